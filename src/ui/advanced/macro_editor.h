// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/profile_ini.h"
#include "ui/skin/drop_down_list.h"
#include "ui/skin/hover_tracker.h"
#include "ui/advanced/macro_recorder.h"
#include "ui/skin/region.h"

class QPainter;
class QWidget;

namespace vexo {

class CMainDialog;
class ConfigStore;
class Prompter;

// The macro editor of the advanced page: the macro list (the sections of record.ini), the selected
// macro's key-sequence list, the name and loop-times fields, the mouse-event drop-down and the New,
// Delete and Confirm buttons. The key-sequence list is a working copy: only Confirm stores it in
// record.ini and encodes every macro into the configuration record. Loop times are the exception:
// each accepted change is stored and encoded at once.
class MacroEditor final : public QObject, public MacroRecorder::Target {
    Q_OBJECT
public:
    // Asks the user for a delay; given the delay shown, gives the entered milliseconds, or nothing
    // when the user cancelled.
    using DelayPrompt = std::function<std::optional<int>(int currentMs)>;

    struct Texts {
        QString macroSetting, selectMacro, keySequence, recordOption, macroName, loopTimes, recordOnlyKeys;
        QString startRecording, stopRecording, newMacro, deleteText, confirm;
        std::string macroNameBlank, macroNameExists, title;
    };

    static constexpr Region kMacroList{462, 220, 591, 512};
    static constexpr Region kSequenceList{592, 220, 725, 512};
    static constexpr Region kStartRecording{735, 229, 764, 258};
    static constexpr Region kStopRecording{735, 265, 764, 294};
    static constexpr Region kNameField{735, 322, 799, 336};
    static constexpr Region kLoopField{735, 362, 799, 376};
    static constexpr Region kEventBox{735, 402, 854, 416};
    static constexpr Region kNew{513, 528, 618, 549};
    static constexpr Region kDelete{617, 528, 722, 549};
    static constexpr Region kConfirm{721, 528, 826, 549};
    static constexpr int kMaxMacros = 10;
    // Follows the reason when record.ini exists but cannot be read or kept.
    static constexpr const char* kStoreUnusableText = "No macros are shown from it, and it is not changed.";
    // Follows the count of sections the macro list leaves out.
    static constexpr const char* kUnlistedSectionsText =
        "They are not listed, have no block in the mouse, and are left as they are in the file.";
    // Control ids, which are also the controls' object names.
    static constexpr int kLoopFieldId = 149;
    static constexpr int kNameFieldId = 150;
    static constexpr int kMacroListId = 151;
    static constexpr int kSequenceListId = 152;
    // The mouse events the drop-down inserts.
    static const QStringList& MouseEvents();

    // All references must outlive the editor.
    MacroEditor(CMainDialog& window, ConfigStore& config, Prompter& prompter, std::filesystem::path recordIni,
                const Texts& texts, DelayPrompt askDelay);
    ~MacroEditor() override;

    // Creates the controls (if they do not exist) and fills them from record.ini.
    void build();
    // Destroys the controls and closes the drop-down and the context menu.
    void tearDown();
    bool built() const { return m_pMacroList != nullptr; }
    void draw(QPainter& canvas);
    // A click on New, Delete, Confirm or the drop-down box; true when one took it.
    bool click(QPoint p);
    // New, Delete and Confirm as one hover group.
    std::vector<HoverTracker::Item> hoverItems(int firstId, int group);
    DropDownList& eventList() { return m_eventList; }

    void FillMacroEditor();
    void NewMacro();
    void DeleteSelectedMacro();
    void ConfirmMacro();
    void ToggleMouseEventList() { m_eventList.clickBox(); }
    void OnMouseEventChosen(int row);
    void DeleteSequenceLine();

    // MacroRecorder::Target.
    bool hasMacros() const override;
    bool macroSelected() const override;
    void clearSequence() override;
    void appendSequenceLine(const QString& line) override;

    // The controls, while they exist (for tests and the page).
    QListWidget* macroList() const { return m_pMacroList; }
    QListWidget* sequenceList() const { return m_pSequenceList; }
    QLineEdit* nameField() const { return m_pNameField; }
    QLineEdit* loopField() const { return m_pLoopField; }
    QMenu* contextMenu() const { return m_pContextMenu; }
    const QString& loopTimesText() const { return m_strLoopTimesText; }
    QStringList sequenceLines() const;

private:
    void OnMacroSelected(int row);
    void OnLoopTimesChanged();
    void setLoopField(const QString& text);
    void OnSequenceDoubleClick(int row);
    void OnSequenceContextMenu(QPoint at);
    void selectMacroRow(int row);
    void insertLines(int at, const QStringList& lines);
    void drawEventBox(QPainter& canvas);
    void warn(const std::string& text);
    void reportDroppedEvents(const std::array<std::size_t, 10>& dropped);

    CMainDialog& window_;
    ConfigStore& config_;
    Prompter& prompter_;
    ProfileIni m_store;
    const Texts& texts_;
    DelayPrompt askDelay_;
    QPointer<QListWidget> m_pMacroList;
    QPointer<QListWidget> m_pSequenceList;
    QPointer<QLineEdit> m_pNameField;
    QPointer<QLineEdit> m_pLoopField;
    QPointer<QMenu> m_pContextMenu;
    DropDownList m_eventList;
    QString m_strEventBoxText; // the last inserted mouse event, shown in the drop-down box
    QString m_strLoopTimesText; // the loop times last accepted: what Confirm stores
    bool m_bFilling = false; // the editor itself changes the macro list's selection
    bool m_bShowingLoopTimes = false; // the editor itself sets the loop field: record.ini is left alone
    bool m_bStoreProblemTold = false; // a record.ini that cannot be used, or not whole, is reported once
};

} // namespace vexo
