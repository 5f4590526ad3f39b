// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/skin_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "config/ui_fonts.h"
#include "platform/prompter.h"
#include "ui/skin/interface_fonts.h"
#include "ui/skin/mem_dc.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {

namespace {

enum HoverId { kHoverOk = 1, kHoverCancel, kHoverClose };
constexpr int kButtonGroup = 0;
constexpr int kWheelRowsPerNotch = 3;
// Marks the list viewports whose wheel events the dialog turns into row scrolling.
constexpr const char* kWheelScrollsRows = "vexoWheelScrollsRows";

const QString kButtonNormal = QStringLiteral("/button-normal.png");
const QString kButtonOver = QStringLiteral("/button-over.png");
const QString kCloseNormal = QStringLiteral("/button-close-normal.png");
const QString kCloseOver = QStringLiteral("/button-close-over.png");

// Collects what DrawDialogSkinImage would show, so that no message box opens while a painter is
// active on the back buffer (its event loop could start another redraw of the same buffer).
class DeferredPrompter final : public Prompter {
public:
    void message(const std::string& text, const std::string& caption) override { shown.emplace_back(text, caption); }
    std::vector<std::pair<std::string, std::string>> shown;
};

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

CSkinDialog::CSkinDialog(SkinContext& skin, QString background, std::string failureTitle, Prompter& prompter,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_skin(skin), m_prompter(prompter),
      m_strBackground(std::move(background)), m_strFailureTitle(std::move(failureTitle)),
      m_surface(*this, nullptr, QColor::fromRgb(kControlBackground)) {
    setModal(true);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(kDesignWidth, kDesignHeight);
    m_surface.setHandlers({[this](QPoint p) { HandleClick(p); }, {}, [this] { ReportImageFailures(); }});
    HoverTracker& hover = m_surface.hover();
    hover.addFrameItem(kHoverOk, kOkButton, kButtonGroup,
                       [this](QPainter& canvas, bool over) { DrawButton(canvas, kOkButton, m_strOk, over); });
    hover.addFrameItem(kHoverCancel, kCancelButton, kButtonGroup,
                       [this](QPainter& canvas, bool over) { DrawButton(canvas, kCancelButton, m_strCancel, over); });
    hover.addFrameItem(kHoverClose, kCloseButton, kButtonGroup,
                       [this](QPainter& canvas, bool over) { DrawCloseButton(canvas, over); });
}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::setVisible(bool visible) {
    // Initialised before the first showing, so that the dialog is centred at its final size.
    if (visible && !m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void CSkinDialog::OnInitDialog() {
    m_language = LanguageOf(m_skin.strLanguage);
    const QImage background = m_skin.image(m_strBackground);
    if (background.isNull()) {
        m_prompter.message("error", m_strFailureTitle);
        m_surface.canvas() = QImage(kDesignWidth, kDesignHeight, QImage::Format_ARGB32_Premultiplied);
        setFixedSize(kDesignWidth, kDesignHeight);
    } else {
        m_surface.canvas() = QImage(background.size(), QImage::Format_ARGB32_Premultiplied);
        setFixedSize(background.size());
    }
    const FontSpec font = FontsFor(m_language, kAskForHei).text;
    m_fontText = InterfaceFonts::make(FromUtf8(font.face), font.height, font.weight, m_skin.strLanguage);
    m_strOk = Localized("确定", "確定", "OK");
    m_strCancel = Localized("取消", "取消", "Cancel");
    CreateControls();
    Redraw();
}

std::unique_ptr<CMemDC> CSkinDialog::OpenCanvas() { return m_surface.open(); }

void CSkinDialog::Redraw() {
    {
        const std::unique_ptr<CMemDC> dc = OpenCanvas();
        QPainter* canvas = dc->painter();
        if (canvas == nullptr)
            return;
        canvas->fillRect(m_surface.canvas().rect(), QColor::fromRgb(kControlBackground));
        // The background was reported when the dialog was initialised.
        DrawSkinImage(canvas, m_skin, m_strBackground, 0, 0);
        DrawButton(*canvas, kOkButton, m_strOk, false);
        DrawButton(*canvas, kCancelButton, m_strCancel, false);
        DrawCloseButton(*canvas, false);
        m_prompts.clear();
        DrawContent(*canvas);
        m_surface.hover().resetFlags();
    }
    ReportImageFailures();
}

void CSkinDialog::DrawImage(QPainter& canvas, const QString& name, int x, int y) {
    if (m_failedImages.contains(name)) {
        DrawSkinImage(&canvas, m_skin, name, x, y);
        return;
    }
    DeferredPrompter deferred;
    if (!DrawDialogSkinImage(&canvas, m_skin, name, x, y, deferred)) {
        m_failedImages.insert(name);
        m_pendingMessages.insert(m_pendingMessages.end(), deferred.shown.begin(), deferred.shown.end());
    }
}

void CSkinDialog::ReportImageFailures() {
    // Taken first: a message box runs an event loop in which another redraw may add to the list.
    const auto messages = std::exchange(m_pendingMessages, {});
    for (const auto& [text, caption] : messages)
        m_prompter.message(text, caption);
}

void CSkinDialog::DrawButton(QPainter& canvas, const Region& region, const QString& caption, bool over) {
    DrawImage(canvas, over ? kButtonOver : kButtonNormal, region.left, region.top);
    DrawSkinText(canvas, region.rect(), caption, m_fontText, m_skin.textColour(), TextLayout::Centre);
}

void CSkinDialog::DrawCloseButton(QPainter& canvas, bool over) {
    DrawImage(canvas, over ? kCloseOver : kCloseNormal, kCloseButton.left, kCloseButton.top);
}

QString CSkinDialog::Localized(const LocalizedText& text) const {
    switch (m_language) {
    case Language::SimplifiedChinese: return FromUtf8(text.simplifiedChinese);
    case Language::TraditionalChinese: return FromUtf8(text.traditionalChinese);
    case Language::English: break;
    }
    return FromUtf8(text.english);
}

QString CSkinDialog::Localized(const char* simplified, const char* traditional, const char* english) const {
    return Localized(LocalizedText{simplified, traditional, english});
}

void CSkinDialog::DrawPrompt(QPainter& canvas, const QRect& rect, const QString& text, int flags) {
    m_prompts.push_back({rect, text, flags});
    if ((flags & Qt::TextWordWrap) == 0) {
        // One line: cut at the right when too wide, whole in the tooltip.
        const TextLayout layout = (flags & Qt::AlignHCenter) != 0 ? TextLayout::Centre : TextLayout::LeftMiddle;
        DrawSkinText(canvas, rect, text, m_fontText, Qt::white, layout);
        return;
    }
    canvas.save();
    canvas.setClipRect(rect);
    canvas.setFont(m_fontText);
    canvas.setPen(Qt::white);
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.drawText(rect, flags, text);
    canvas.restore();
}

QLabel* CSkinDialog::CreateStatic(int id, const Region& region, Qt::Alignment alignment) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::number(id));
    label->setGeometry(region.rect());
    label->setFont(m_fontText);
    label->setAlignment(alignment);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kControlBackground));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    // Clicks pass through to the dialog, which may have a drop-down box under the text.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLineEdit* CSkinDialog::CreateEdit(int id, const Region& region, bool bordered, bool digitsOnly) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setGeometry(region.rect());
    edit->setFont(m_fontText);
    edit->setFrame(bordered);
    edit->setAlignment(Qt::AlignCenter);
    edit->setTextMargins(0, 0, 0, 0);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(kControlBackground));
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Window, QColor::fromRgb(kControlBackground));
    edit->setPalette(palette);
    if (digitsOnly)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

DropDownList* CSkinDialog::CreateDropDown(int listId, const Region& box, const Region& list, DropDownList::Entries rows,
                                          DropDownList::Chosen chosen, std::vector<QWidget*> covered,
                                          bool wheelScrollsRows) {
    DropDownList::Layout layout;
    layout.controlId = listId;
    layout.box = box;
    layout.listRect = list.rect();
    layout.reportsDoubleClicks = true;
    layout.text = Qt::white;
    layout.background = QColor::fromRgb(kControlBackground);
    // The list is closed when a pick arrives: the covered controls come back before the pick runs.
    const std::size_t index = m_dropDowns.size();
    auto* dropDown = new DropDownList(
        this, layout, std::move(rows),
        [this, index, chosen = std::move(chosen)](int row) {
            Cover(m_dropDowns[index], false);
            if (chosen)
                chosen(row);
        },
        this);
    dropDown->setFont(m_fontText);
    m_dropDowns.push_back({dropDown, std::move(covered), wheelScrollsRows});
    return dropDown;
}

void CSkinDialog::Cover(const DropDown& dropDown, bool covered) {
    for (QWidget* control : dropDown.covered)
        control->setEnabled(!covered);
}

bool CSkinDialog::ClickDropDowns(QPoint p) {
    bool taken = false;
    for (const DropDown& dropDown : m_dropDowns) {
        if (dropDown.list->closeIfOutside(p)) {
            Cover(dropDown, false);
            continue;
        }
        if (!dropDown.list->layout().box.contains(p))
            continue;
        taken = true;
        if (!dropDown.list->isOpen()) {
            // Keys typed while the list is open belong to none of the covered controls.
            Cover(dropDown, true);
            setFocus();
        }
        dropDown.list->clickBox();
        Cover(dropDown, dropDown.list->isOpen());
        if (QListWidget* list = dropDown.list->list(); list != nullptr && dropDown.wheelScrollsRows) {
            list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
            list->viewport()->installEventFilter(this);
            list->viewport()->setProperty(kWheelScrollsRows, true);
        }
    }
    return taken;
}

bool CSkinDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched->property(kWheelScrollsRows).toBool()) {
        if (auto* list = qobject_cast<QListWidget*>(watched->parent())) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            // A high-resolution wheel reports parts of a notch; each report still moves the list.
            const int notches = std::max(1, std::abs(delta) / QWheelEvent::DefaultDeltasPerStep);
            const int rows = kWheelRowsPerNotch * notches;
            QScrollBar* bar = list->verticalScrollBar();
            bar->setValue(bar->value() + (delta > 0 ? -rows : rows));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int CSkinDialog::DecimalValue(const QString& text) {
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min<long long>(value * 10 + (c.unicode() - '0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(value);
}

void CSkinDialog::HandleClick(QPoint p) {
    if (kOkButton.contains(p)) {
        accept();
        return;
    }
    if (kCancelButton.contains(p) || kCloseButton.contains(p)) {
        reject();
        return;
    }
    HandleDialogClick(p);
}

void CSkinDialog::HandleMouseMove(QPoint p) { m_surface.pointerMoved(p); }

void CSkinDialog::HandleHover(QPoint p) { m_surface.hoverNotice(p); }

void CSkinDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return;
    case Qt::Key_Escape: reject(); return;
    default: QDialog::keyPressEvent(event);
    }
}

} // namespace vexo
