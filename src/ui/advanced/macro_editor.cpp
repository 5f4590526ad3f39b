// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The macro editor's controls: creation, filling from record.ini, drawing, selection and the
// loop-times field.
#include "ui/advanced/macro_editor.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "config/config_store.h"
#include "macro/macro_encoder.h"
#include "macro/macro_name.h"
#include "macro/macro_store.h"
#include "platform/prompter.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/mem_dc.h"
#include "ui/skin/skin_context.h"
#include "ui/skin/skin_drawing.h"

namespace vexo {

namespace {

constexpr int kEventRowHeight = 16;
constexpr Region kHeading{469, 160, 578, 181};
constexpr Region kSelectMacroTitle{462, 196, 591, 220};
constexpr Region kKeySequenceTitle{592, 196, 725, 220};
constexpr Region kRecordOptionTitle{735, 196, 856, 220};
constexpr Region kStartLabel{770, 229, 866, 258};
constexpr Region kStopLabel{770, 265, 866, 294};
constexpr Region kNameLabel{735, 303, 866, 320};
constexpr Region kLoopLabel{735, 343, 866, 360};
constexpr Region kEventLabel{735, 383, 866, 400};

MacroArea AreaOf(ConfigStore& config) { return MacroArea(config.record().macroArea()); }

std::uint16_t LoopTimesOfBlock(ConfigStore& config, int slot) {
    const MacroBlock block = BlockOfSlot(AreaOf(config), static_cast<std::size_t>(slot));
    return static_cast<std::uint16_t>(block[kLoopTimesHighOffset] << 8 | block[kLoopTimesLowOffset]);
}

// The skinned page shows through the lists and fields; their texts take the skin's text colour.
void StyleControl(QWidget* control, const QFont& font, const QColor& text) {
    control->setFont(font);
    control->setStyleSheet(QString("background: transparent; border: none; color: %1;"
                                   "selection-background-color: #3a5f8f; selection-color: white;")
                               .arg(text.name()));
}

} // namespace

const QStringList& MacroEditor::MouseEvents() {
    static const QStringList events{"L-Button Click", "R-Button Click", "M-Button Click",
                                    "L-Button   Dn",  "L-Button   Up",  "R-Button   Dn",
                                    "R-Button   Up",  "M-Button   Dn",  "M-Button   Up"};
    return events;
}

MacroEditor::MacroEditor(CMainDialog& window, ConfigStore& config, Prompter& prompter, std::filesystem::path recordIni,
                         const Texts& texts, DelayPrompt askDelay)
    : window_(window), config_(config), prompter_(prompter), m_store(std::move(recordIni)), texts_(texts),
      askDelay_(std::move(askDelay)),
      m_eventList(
          &window,
          {154, kEventBox,
           QRect(kEventBox.left, kEventBox.bottom, kEventBox.width(), kEventRowHeight * int(MouseEvents().size()) + 4)},
          [] { return MouseEvents(); }, [this](int row) { OnMouseEventChosen(row); }) {}

MacroEditor::~MacroEditor() { tearDown(); }

void MacroEditor::warn(const std::string& text) { prompter_.message(text, "Warning"); }

void MacroEditor::build() {
    m_eventList.setFont(window_.m_fontText);
    if (!built()) {
        auto* macros = new QListWidget(&window_);
        macros->setObjectName(QString::number(kMacroListId));
        macros->setGeometry(kMacroList.rect());
        macros->setSortingEnabled(false);
        macros->setUniformItemSizes(true);
        StyleControl(macros, window_.m_fontText, window_.Skin().textColour());
        connect(macros, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!m_bFilling)
                OnMacroSelected(row);
        });
        m_pMacroList = macros;

        auto* sequence = new QListWidget(&window_);
        sequence->setObjectName(QString::number(kSequenceListId));
        sequence->setGeometry(kSequenceList.rect());
        // One line height for all: adding a line then lays out that line, not the whole list.
        sequence->setUniformItemSizes(true);
        StyleControl(sequence, window_.m_fontText, window_.Skin().textColour());
        // The row under the pointer is selected as it moves, before any click.
        sequence->setMouseTracking(true);
        sequence->viewport()->setMouseTracking(true);
        connect(sequence, &QListWidget::itemEntered, sequence,
                [sequence](QListWidgetItem* item) { sequence->setCurrentItem(item); });
        connect(sequence, &QListWidget::itemDoubleClicked, this,
                [this, sequence](QListWidgetItem* item) { OnSequenceDoubleClick(sequence->row(item)); });
        sequence->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(sequence, &QListWidget::customContextMenuRequested, this,
                [this](QPoint at) { OnSequenceContextMenu(at); });
        m_pSequenceList = sequence;

        auto* name = new QLineEdit(&window_);
        name->setObjectName(QString::number(kNameFieldId));
        name->setGeometry(kNameField.rect());
        name->setAlignment(Qt::AlignCenter);
        // Every reader of the macro list holds a name of at most 31 characters.
        name->setMaxLength(int(kMaxMacroNameUnits));
        StyleControl(name, window_.m_fontText, window_.Skin().textColour());
        m_pNameField = name;

        auto* loop = new QLineEdit(&window_);
        loop->setObjectName(QString::number(kLoopFieldId));
        loop->setGeometry(kLoopField.rect());
        loop->setAlignment(Qt::AlignCenter);
        loop->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), loop));
        StyleControl(loop, window_.m_fontText, window_.Skin().textColour());
        connect(loop, &QLineEdit::textChanged, this, [this] { OnLoopTimesChanged(); });
        m_pLoopField = loop;

        for (QWidget* control : std::initializer_list<QWidget*>{macros, sequence, name, loop})
            control->show();
    }
    FillMacroEditor();
}

void MacroEditor::tearDown() {
    m_eventList.close();
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_pContextMenu, m_pLoopField, m_pNameField, m_pSequenceList, m_pMacroList}) {
        if (control != nullptr) {
            control->disconnect(this);
            control->hide();
            control->deleteLater();
        }
    }
    m_pContextMenu = nullptr;
    m_pLoopField = nullptr;
    m_pNameField = nullptr;
    m_pSequenceList = nullptr;
    m_pMacroList = nullptr;
}

void MacroEditor::selectMacroRow(int row) {
    m_bFilling = true;
    m_pMacroList->setCurrentRow(row);
    m_bFilling = false;
}

void MacroEditor::setLoopField(const QString& text) {
    // Setting a field's text counts as a change even when the text stays the same; but showing a
    // value is no edit, so the file keeps what it holds until the user changes the field.
    m_bShowingLoopTimes = true;
    if (m_pLoopField->text() == text)
        OnLoopTimesChanged();
    else
        m_pLoopField->setText(text);
    m_bShowingLoopTimes = false;
}

void MacroEditor::FillMacroEditor() {
    if (!built())
        return;
    m_bFilling = true;
    m_pMacroList->clear();
    m_pSequenceList->clear();
    m_bFilling = false;
    const std::vector<std::string> names = ReadMacroSectionNames(m_store);
    // A file that exists but cannot be used shows no macros; the user must know why, once.
    if (const std::string problem = m_store.problem(); !problem.empty() && !m_bStoreProblemTold) {
        m_bStoreProblemTold = true;
        warn(problem + ". " + kStoreUnusableText);
    }
    // A name too long, or too many before them, keeps sections out of the list: said once too.
    if (!m_bStoreProblemTold) {
        if (const std::size_t unlisted = CountUnlistedSections(m_store, names.size()); unlisted > 0) {
            m_bStoreProblemTold = true;
            warn(UnlistedSectionsText(unlisted) + ". " + kUnlistedSectionsText);
        }
    }
    for (const std::string& name : names)
        m_pMacroList->addItem(QString::fromStdString(name));
    if (!names.empty()) {
        const StoredMacro first = LoadMacro(m_store, names.front());
        m_pNameField->setText(QString::fromStdString(names.front()));
        m_pNameField->setCursorPosition(0); // a long name shows its beginning
        m_strLoopTimesText = QString::fromStdString(first.loopTimesText);
        setLoopField(m_strLoopTimesText);
        for (const std::string& line : first.lines)
            m_pSequenceList->addItem(QString::fromStdString(line));
    }
    selectMacroRow(names.empty() ? -1 : 0);
    // The mouse's copy of the first macro's loop times is what is shown.
    setLoopField(names.empty() ? QString() : QString::number(LoopTimesOfBlock(config_, 0)));
}

void MacroEditor::OnMacroSelected(int row) {
    if (!built() || row < 0)
        return;
    const std::string name = m_pMacroList->item(row)->text().toStdString();
    m_pNameField->setText(QString::fromStdString(name));
    m_pNameField->setCursorPosition(0);
    const StoredMacro macro = LoadMacro(m_store, name);
    setLoopField(QString::fromStdString(macro.loopTimesText));
    m_pSequenceList->clear();
    for (const std::string& line : macro.lines)
        m_pSequenceList->addItem(QString::fromStdString(line));
    if (!macro.lines.empty() && row < int(kMacroSlotCount))
        setLoopField(QString::number(LoopTimesOfBlock(config_, row)));
}

void MacroEditor::OnLoopTimesChanged() {
    if (!built())
        return;
    bool ok = false;
    const qlonglong n = m_pLoopField->text().toLongLong(&ok);
    if (!ok || n < 1 || n > 65535) {
        // Setting the text runs this handler again, which stores the 1.
        m_pLoopField->setText("1");
        return;
    }
    const int row = m_pMacroList->currentRow();
    if (row < 0)
        return;
    EncodeLoopTimes(AreaOf(config_), static_cast<std::size_t>(row), static_cast<std::uint16_t>(n));
    m_strLoopTimesText = QString::number(n);
    const std::string name = m_pMacroList->item(row)->text().toStdString();
    const std::string text = m_strLoopTimesText.toStdString();
    // Unchanged values are not written again (filling the editor sets the field several times).
    if (m_bShowingLoopTimes || (m_store.exists() && m_store.readString(name, kLoopTimesKey, "\x01") == text))
        return;
    if (const MacroWriteResult written = WriteMacroLoopTimes(m_store, name, text); !written.ok)
        warn(written.message);
}

QStringList MacroEditor::sequenceLines() const {
    QStringList lines;
    if (m_pSequenceList != nullptr) {
        for (int i = 0; i < m_pSequenceList->count(); ++i)
            lines << m_pSequenceList->item(i)->text();
    }
    return lines;
}

bool MacroEditor::hasMacros() const { return m_pMacroList != nullptr && m_pMacroList->count() > 0; }

bool MacroEditor::macroSelected() const { return m_pMacroList != nullptr && m_pMacroList->currentRow() >= 0; }

void MacroEditor::clearSequence() {
    if (m_pSequenceList != nullptr)
        m_pSequenceList->clear();
}

void MacroEditor::appendSequenceLine(const QString& line) {
    if (m_pSequenceList == nullptr)
        return;
    m_pSequenceList->addItem(line);
    m_pSequenceList->setCurrentRow(m_pSequenceList->count() - 1);
}

void MacroEditor::draw(QPainter& canvas) {
    const QFont& font = window_.m_fontText;
    const QColor colour = window_.Skin().textColour();
    DrawSkinText(canvas, kHeading.rect(), texts_.macroSetting, font, colour, TextLayout::LeftMiddle);
    DrawSkinText(canvas, kSelectMacroTitle.rect(), texts_.selectMacro, font, colour, TextLayout::Centre);
    DrawSkinText(canvas, kKeySequenceTitle.rect(), texts_.keySequence, font, colour, TextLayout::Centre);
    DrawSkinText(canvas, kRecordOptionTitle.rect(), texts_.recordOption, font, colour, TextLayout::Centre);
    DrawSkinText(canvas, kStartLabel.rect(), texts_.startRecording, font, colour, TextLayout::LeftMiddle);
    DrawSkinText(canvas, kStopLabel.rect(), texts_.stopRecording, font, colour, TextLayout::LeftMiddle);
    DrawSkinText(canvas, kNameLabel.rect(), texts_.macroName, font, colour, TextLayout::LeftMiddle);
    DrawSkinText(canvas, kLoopLabel.rect(), texts_.loopTimes, font, colour, TextLayout::LeftMiddle);
    DrawSkinText(canvas, kEventLabel.rect(), texts_.recordOnlyKeys, font, colour, TextLayout::LeftMiddle);
    for (const auto& [region, caption] : {std::pair{kNew, &texts_.newMacro}, std::pair{kDelete, &texts_.deleteText},
                                          std::pair{kConfirm, &texts_.confirm}}) {
        DrawSkinImage(&canvas, window_.Skin(), "/button-normal.png", region.left, region.top);
        DrawSkinText(canvas, region.rect(), *caption, font, colour, TextLayout::Centre);
    }
    drawEventBox(canvas);
}

void MacroEditor::drawEventBox(QPainter& canvas) {
    // The box is part of the background: its old text goes by drawing that part again.
    DrawSkinImageArea(&canvas, window_.Skin(), "/AdvancedSet2.png", kEventBox.rect());
    QRect text = kEventBox.rect().adjusted(4, 0, -16, 0);
    DrawSkinText(canvas, text, m_strEventBoxText, window_.m_fontText, window_.Skin().textColour(),
                 TextLayout::LeftMiddle);
}

std::vector<HoverTracker::Item> MacroEditor::hoverItems(int firstId, int group) {
    std::vector<HoverTracker::Item> items;
    int id = firstId;
    for (const auto& [region, caption] : {std::pair{kNew, &texts_.newMacro}, std::pair{kDelete, &texts_.deleteText},
                                          std::pair{kConfirm, &texts_.confirm}}) {
        const Region r = region;
        const QString* text = caption;
        items.push_back({id++, r, group, [this, r, text](QPainter& canvas, bool over) {
                             DrawSkinImage(&canvas, window_.Skin(), over ? "/button-over.png" : "/button-normal.png",
                                           r.left, r.top);
                             DrawSkinText(canvas, r.rect(), *text, window_.m_fontText, window_.Skin().textColour(),
                                          TextLayout::Centre);
                         }});
    }
    return items;
}

bool MacroEditor::click(QPoint p) {
    if (kEventBox.contains(p)) {
        ToggleMouseEventList();
        return true;
    }
    // New and Delete, Delete and Confirm share an edge column; the first button takes it.
    if (kNew.contains(p)) {
        NewMacro();
        return true;
    }
    if (kDelete.contains(p)) {
        DeleteSelectedMacro();
        return true;
    }
    if (kConfirm.contains(p)) {
        ConfirmMacro();
        return true;
    }
    return false;
}

} // namespace vexo
