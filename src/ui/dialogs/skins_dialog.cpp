// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/skins_dialog.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "config/ui_texts.h"
#include "platform/prompter.h"
#include "ui/skin/mem_dc.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {

namespace {

constexpr const char* kBackground = "/skins.png";
constexpr const char* kBackgroundFailedTitle = "Skins Dialog Load background image failed!!!";
// Name box and list: white text on dark grey.
const QColor kFieldText = Qt::white;
const QColor kFieldBackground(40, 40, 40);
// The size the skins are drawn for, kept when the background is missing so the dialog can be closed.
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 292;

enum HoverId { kHoverOk = 1, kHoverCancel, kHoverClose };
enum HoverGroup { kGroupTextButtons = 1, kGroupClose };

struct PickerTexts {
    const char* ok;
    const char* cancel;
    const char* hint;
};

PickerTexts TextsFor(Language language) {
    switch (language) {
    case Language::SimplifiedChinese: return {"确定", "取消", "请点击设置UI文本颜色"};
    case Language::TraditionalChinese: return {"確定", "取消", "請點擊設置UI文本顏色"};
    case Language::English: break;
    }
    return {"OK", "Cancel", "Please click to set the UI text color"};
}

QStringList SubFolders(const QString& root) {
    // Only directories count; "." and ".." never. A link to a folder is a folder, as on Windows
    // a junction is.
    return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
}

bool HoldsASkin(const QString& folder) {
    // A folder without the page background would leave the main window black, its buttons unseen.
    return !SkinImageCache::resolve(folder, "/BasicSet2.png").isEmpty();
}

} // namespace

QStringList CSkinsDialog::SkinNames(const QStringList& roots) {
    QStringList names;
    for (const QString& root : roots) {
        for (const QString& name : SubFolders(root)) {
            if (!names.contains(name) && HoldsASkin(QDir(root).filePath(name)))
                names << name;
        }
    }
    // The file system's order means nothing to the user; a stable order does. Names stay exact.
    QCollator collator;
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    return names;
}

std::optional<QString> CSkinsDialog::SkinFolder(const QStringList& roots, const QString& name) {
    for (auto root = roots.crbegin(); root != roots.crend(); ++root) {
        // Exactly this name, letter case included.
        if (SubFolders(*root).contains(name) && HoldsASkin(QDir(*root).filePath(name)))
            return QDir(*root).absoluteFilePath(name);
    }
    return std::nullopt;
}

CSkinsDialog::CSkinsDialog(Setup setup, SkinContext& skin, Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_setup(std::move(setup)), m_skin(skin),
      m_prompter(prompter),
      m_list(
          this, DropDownList::Layout{kSkinListId, kDropDown, kList.rect(), true, kFieldText, kFieldBackground},
          [this] {
              // Read again at every opening, so folders added meanwhile appear.
              m_skinNames = SkinNames(m_setup.skinsRoots);
              return m_skinNames;
          },
          [this](int row) { ChooseSkin(row); }),
      m_surface(*this, nullptr, Qt::black) {
    setObjectName("CSkinsDialog");
    setWindowTitle(QString::fromUtf8(kApplicationTitle.data(), qsizetype(kApplicationTitle.size())));
    setFixedSize(kDesignWidth, kDesignHeight);
    m_colorInterface = m_skin.textColour();
    m_surface.setHandlers({[this](QPoint p) { HandleClick(p); }, {}, {}});
    // The skin named in the field (the entries are read just before this is asked).
    m_list.setCurrent([this] { return int(m_skinNames.indexOf(m_strSelectedSkin)); });
    Initialise();
}

CSkinsDialog::~CSkinsDialog() { m_list.close(); }

void CSkinsDialog::Initialise() {
    m_strSelectedSkinDir = m_skin.skinDir();
    m_hBackground = m_skin.image(kBackground);
    if (m_hBackground.isNull()) {
        m_prompter.message("error", kBackgroundFailedTitle);
        // The buttons are still drawn where their pictures exist, so there is something to close.
        m_surface.canvas() = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        m_surface.canvas().fill(Qt::black);
        DrawAll();
        return;
    }
    setFixedSize(m_hBackground.size());
    m_surface.canvas() = m_hBackground.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_colorText = m_skin.textColour();
    m_strSelectedSkin = QString::fromStdString(m_skin.strSkinName);
    const PickerTexts texts = TextsFor(LanguageOf(m_setup.language));
    m_strOk = QString::fromUtf8(texts.ok);
    m_strCancel = QString::fromUtf8(texts.cancel);
    m_strColorHint = QString::fromUtf8(texts.hint);
    m_list.setFont(m_setup.font);

    m_nameBox = new QLabel(m_strSelectedSkin, this);
    m_nameBox->setObjectName(QString::number(kNameBoxId));
    m_nameBox->setGeometry(kNameBox.rect());
    m_nameBox->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_nameBox->setFont(m_setup.font);
    m_nameBox->setAutoFillBackground(true);
    QPalette names = m_nameBox->palette();
    names.setColor(QPalette::Window, kFieldBackground);
    names.setColor(QPalette::WindowText, kFieldText);
    m_nameBox->setPalette(names);
    // Clicks reach the dialog, whose drop-down area covers the box.
    m_nameBox->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_swatch = new QLabel(this);
    m_swatch->setObjectName(QString::number(kSwatchId));
    m_swatch->setGeometry(kSwatch.rect());
    m_swatch->setAutoFillBackground(true);
    m_swatch->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette swatch = m_swatch->palette();
    swatch.setColor(QPalette::Window, m_colorText);
    m_swatch->setPalette(swatch);

    // OK and Cancel light up in turn; the close button on its own.
    HoverTracker& hover = m_surface.hover();
    hover.addFrameItem(kHoverOk, kOk, kGroupTextButtons,
                       [this](QPainter& c, bool over) { DrawTextButton(c, kOk, m_strOk, over); });
    hover.addFrameItem(kHoverCancel, kCancel, kGroupTextButtons,
                       [this](QPainter& c, bool over) { DrawTextButton(c, kCancel, m_strCancel, over); });
    hover.addFrameItem(kHoverClose, kClose, kGroupClose, [this](QPainter& c, bool over) {
        DrawDialogSkinImage(&c, m_skin, over ? "/button-close-over.png" : "/button-close-normal.png", kClose.left,
                            kClose.top, m_prompter);
    });
    DrawAll();
}

std::unique_ptr<CMemDC> CSkinsDialog::OpenCanvas() { return m_surface.open(); }

void CSkinsDialog::DrawTextButton(QPainter& canvas, const Region& region, const QString& caption, bool over) {
    DrawDialogSkinImage(&canvas, m_skin, over ? "/button-over.png" : "/button-normal.png", region.left, region.top,
                        m_prompter);
    DrawSkinText(canvas, region.rect(), caption, m_setup.font, m_colorInterface, TextLayout::Centre);
}

void CSkinsDialog::DrawAll() {
    std::unique_ptr<CMemDC> dc = OpenCanvas();
    QPainter* canvas = dc->painter();
    if (canvas == nullptr)
        return;
    if (!m_hBackground.isNull()) {
        canvas->setCompositionMode(QPainter::CompositionMode_Source);
        canvas->drawImage(0, 0, m_hBackground);
    }
    DrawTextButton(*canvas, kOk, m_strOk, false);
    DrawTextButton(*canvas, kCancel, m_strCancel, false);
    DrawDialogSkinImage(canvas, m_skin, "/button-close-normal.png", kClose.left, kClose.top, m_prompter);
    if (!m_strColorHint.isEmpty()) {
        // The English hint is wider than its box; the box is two lines high, so it wraps there.
        canvas->save();
        canvas->setClipRect(kHint.rect());
        canvas->setFont(m_setup.font);
        canvas->setPen(m_colorInterface);
        canvas->drawText(kHint.rect(), Qt::AlignCenter | Qt::TextWordWrap, m_strColorHint);
        canvas->restore();
    }
}

void CSkinsDialog::HandleClick(QPoint p) {
    // A click outside the box and the list closes an open list first.
    m_list.closeIfOutside(p);
    if (kOk.contains(p)) {
        // Without a background nothing was set up; there is nothing to apply.
        if (backgroundLoaded())
            accept();
        else
            reject();
        return;
    }
    if (kCancel.contains(p) || kClose.contains(p)) {
        reject();
        return;
    }
    if (!backgroundLoaded())
        return;
    if (kDropDown.contains(p)) {
        m_list.clickBox();
        if (QListWidget* list = m_list.list())
            list->viewport()->installEventFilter(this);
        return;
    }
    if (kSwatch.contains(p))
        ChooseColour();
}

void CSkinsDialog::ChooseSkin(int row) {
    if (row < 0 || row >= m_skinNames.size())
        return;
    m_strSelectedSkin = m_skinNames.at(row);
    m_nSelectedIndex = row;
    if (m_nameBox)
        m_nameBox->setText(m_strSelectedSkin);
    // The folder as the search finds it now; a folder gone meanwhile keeps the previous one.
    if (const std::optional<QString> folder = SkinFolder(m_setup.skinsRoots, m_strSelectedSkin))
        m_strSelectedSkinDir = *folder;
}

void CSkinsDialog::ChooseColour() {
    if (!m_setup.chooseColour)
        return;
    const std::optional<QColor> chosen = m_setup.chooseColour(this);
    if (!chosen || !chosen->isValid())
        return;
    m_colorText = chosen->toRgb();
    if (m_swatch) {
        QPalette swatch = m_swatch->palette();
        swatch.setColor(QPalette::Window, m_colorText);
        m_swatch->setPalette(swatch);
        m_swatch->update();
    }
}

void CSkinsDialog::HandleWheel(int delta) {
    QListWidget* list = m_list.list();
    if (list == nullptr || delta == 0)
        return;
    QScrollBar* bar = list->verticalScrollBar();
    // The list scrolls by whole entries, so one step of the bar is one line.
    const int lines = kWheelLines * bar->singleStep();
    bar->setValue(bar->value() + (delta > 0 ? -lines : lines));
}

void CSkinsDialog::HandleMouseMove(QPoint p) { m_surface.pointerMoved(p); }

void CSkinsDialog::HandleHover(QPoint p) { m_surface.hoverNotice(p); }

void CSkinsDialog::wheelEvent(QWheelEvent* event) {
    HandleWheel(event->angleDelta().y());
    event->accept();
}

void CSkinsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Esc keep their usual meaning: OK and Cancel.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        HandleClick(kOk.topLeft());
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CSkinsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Over the list too, a wheel step is three lines, whatever the desktop's setting.
    QListWidget* list = m_list.list();
    if (list != nullptr && watched == list->viewport() && event->type() == QEvent::Wheel) {
        HandleWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vexo
