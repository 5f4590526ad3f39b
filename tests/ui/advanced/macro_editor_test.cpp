// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The macro editor of the advanced page: its list handling, the mouse-event insertion rules, the
// loop-times field, delays, Confirm and what reaches record.ini and the macro blocks.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QMenu>
#include <QMouseEvent>

#include "ui/advanced_page_fixture.h"
#include "config/profile_ini.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"

namespace vexo {
namespace {

class MacroEditorTest : public ::testing::Test, public test::AdvancedPageFixture {
protected:
    MacroEditor& editor() { return page->editor(); }
    QStringList lines() { return editor().sequenceLines(); }
    QStringList macros() {
        QStringList names;
        for (int i = 0; i < editor().macroList()->count(); ++i)
            names << editor().macroList()->item(i)->text();
        return names;
    }
    void choose(const QString& event) {
        click(MacroEditor::kEventBox);
        ASSERT_TRUE(editor().eventList().isOpen());
        editor().eventList().list()->setCurrentRow(int(MacroEditor::MouseEvents().indexOf(event)));
        EXPECT_FALSE(editor().eventList().isOpen());
    }
    std::vector<std::uint8_t> block(std::size_t slot) {
        const auto area = config.record().macroArea();
        return {area.begin() + slot * 128, area.begin() + slot * 128 + 128};
    }
};

TEST_F(MacroEditorTest, ShowingThePageListsTheMacrosAndTheFirstOne) {
    writeRecordIni("[One]\r\nMacroLoopTimes=5\r\nItemCount=3\r\nItem0=\"A   Dn\"\r\nItem1=50 ms\r\nItem2=A   Up\r\n"
                   "[Two]\r\nMacroLoopTimes=2\r\nItemCount=0\r\n");
    EncodeLoopTimes(MacroArea(config.record().macroArea()), 0, 7);
    open();
    EXPECT_EQ(macros(), (QStringList{"One", "Two"}));
    EXPECT_EQ(editor().macroList()->currentRow(), 0);
    EXPECT_EQ(editor().nameField()->text(), "One");
    EXPECT_EQ(lines(), (QStringList{"A   Dn", "50 ms", "A   Up"})); // quotes are not part of the line
    // The mouse's copy of the loop times is shown, and a Confirm would store it.
    EXPECT_EQ(editor().loopField()->text(), "7");
    EXPECT_EQ(editor().loopTimesText(), "7");

    // Selecting the other macro shows its (empty) lines and its stored loop times.
    editor().macroList()->setCurrentRow(1);
    EXPECT_EQ(editor().nameField()->text(), "Two");
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(editor().loopField()->text(), "2");

    // Showing values is no edit: the file the user did not edit stays byte for byte as it was.
    std::ifstream file(recordIni(), std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept,
              "[One]\r\nMacroLoopTimes=5\r\nItemCount=3\r\nItem0=\"A   Dn\"\r\nItem1=50 ms\r\nItem2=A   Up\r\n"
              "[Two]\r\nMacroLoopTimes=2\r\nItemCount=0\r\n");
}

TEST_F(MacroEditorTest, NewRefusesBlankDuplicateAndEleventhNames) {
    open();
    EXPECT_TRUE(macros().isEmpty());
    EXPECT_EQ(editor().loopField()->text(), "1"); // nothing to show: the field falls back to 1
    click(MacroEditor::kNew);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Macro name is blank"});

    // On an empty list the name is added without clearing the key-sequence list.
    editor().sequenceList()->addItem("Q   Dn");
    editor().nameField()->setText("Fire");
    click(MacroEditor::kNew);
    EXPECT_EQ(macros(), QStringList{"Fire"});
    EXPECT_EQ(editor().macroList()->currentRow(), 0);
    EXPECT_EQ(lines(), QStringList{"Q   Dn"});
    EXPECT_EQ(recordIniText(), ""); // adding does not touch record.ini

    editor().nameField()->setText("fIRE");
    prompter.shown.clear();
    click(MacroEditor::kNew);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Macro name already exists"});
    for (int i = 2; i <= 10; ++i) {
        editor().nameField()->setText(QString("m%1").arg(i));
        click(MacroEditor::kNew);
    }
    EXPECT_EQ(macros().size(), 10);
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(editor().macroList()->currentRow(), 9);
    editor().nameField()->setText("eleven");
    prompter.shown.clear();
    click(MacroEditor::kNew);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Macro numbers up to 10."});
    EXPECT_EQ(prompter.shown.back().caption, "Warning");
    // The field holds no more than a section name can have.
    editor().nameField()->setText(QString(40, 'x'));
    EXPECT_EQ(editor().nameField()->text().size(), 31);
}

TEST_F(MacroEditorTest, MouseEventsGoWhereTheRulesSay) {
    writeRecordIni("[M]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n");
    open();
    choose("L-Button Click");
    EXPECT_EQ(lines(), (QStringList{"L-Button   Dn", "50 ms", "L-Button   Up", "50 ms"}));

    // After an event line at row 2: a delay at row 3, the event at row 4, which is selected.
    editor().sequenceList()->setCurrentRow(2);
    choose("R-Button   Dn");
    EXPECT_EQ(lines().mid(2, 3), (QStringList{"L-Button   Up", "50 ms", "R-Button   Dn"}));
    EXPECT_EQ(editor().sequenceList()->currentRow(), 4);

    // After a delay line: the event first, then its delay; the event is selected.
    editor().sequenceList()->setCurrentRow(1);
    choose("M-Button Click");
    EXPECT_EQ(lines().mid(1, 5), (QStringList{"50 ms", "M-Button   Dn", "50 ms", "M-Button   Up", "50 ms"}));
    EXPECT_EQ(editor().sequenceList()->currentRow(), 2);

    // Nothing selected in a list that has lines: nothing is inserted.
    const int before = int(lines().size());
    editor().sequenceList()->setCurrentRow(-1);
    choose("L-Button   Up");
    EXPECT_EQ(lines().size(), before);
    // A click elsewhere on the page closes the open list.
    click(MacroEditor::kEventBox);
    window->HandleClick(QPoint(600, 580));
    EXPECT_FALSE(editor().eventList().isOpen());
}

TEST_F(MacroEditorTest, LoopTimesAreCheckedStoredAndEncodedAtOnce) {
    writeRecordIni(
        "[A]\r\nMacroLoopTimes=3\r\nItemCount=1\r\nItem0=A   Dn\r\n[B]\r\nMacroLoopTimes=4\r\nItemCount=0\r\n");
    open();
    editor().macroList()->setCurrentRow(1);
    editor().loopField()->setText("0");
    EXPECT_EQ(editor().loopField()->text(), "1");
    EXPECT_EQ(ProfileIni(recordIni()).readString("B", "MacroLoopTimes"), "1");
    EXPECT_EQ(block(1)[0], 0);
    EXPECT_EQ(block(1)[1], 1);
    editor().loopField()->setText("65535");
    EXPECT_EQ(ProfileIni(recordIni()).readString("B", "MacroLoopTimes"), "65535");
    EXPECT_EQ(block(1)[0], 0xFF);
    editor().loopField()->setText("65536");
    EXPECT_EQ(editor().loopField()->text(), "1");
    // A name not yet confirmed gets its section this way.
    editor().nameField()->setText("New");
    click(MacroEditor::kNew);
    editor().loopField()->setText("9");
    EXPECT_EQ(ReadMacroSectionNames(ProfileIni(recordIni())), (std::vector<std::string>{"A", "B", "New"}));
}

TEST_F(MacroEditorTest, DelaysComeFromThePromptWithinTheirLimits) {
    writeRecordIni("[M]\r\nMacroLoopTimes=1\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=50 ms\r\nItem2=A   Up\r\n");
    open();
    QListWidget* list = editor().sequenceList();
    delayAnswer = 300;
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(lines()[1], "300 ms");
    EXPECT_EQ(delaysAsked, std::vector<int>{50});
    delayAnswer = 20000;
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(lines()[1], "10 ms");
    delayAnswer = std::nullopt; // cancelled
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(lines()[1], "10 ms");
    emit list->itemDoubleClicked(list->item(0)); // an event line asks nothing
    EXPECT_EQ(delaysAsked.size(), 3u);

    // The context menu deletes the selected line only.
    list->setCurrentRow(0);
    emit list->customContextMenuRequested(QPoint(5, 5));
    ASSERT_NE(editor().contextMenu(), nullptr);
    ASSERT_EQ(editor().contextMenu()->actions().size(), 1);
    EXPECT_EQ(editor().contextMenu()->actions()[0]->text(), "Delete");
    editor().contextMenu()->actions()[0]->trigger();
    EXPECT_EQ(lines(), (QStringList{"10 ms", "A   Up"}));
}

TEST_F(MacroEditorTest, HoverSelectsSequenceRowsAndLightsOneEditorButtonAtATime) {
    writeRecordIni("[M]\r\nMacroLoopTimes=1\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=50 ms\r\nItem2=A   Up\r\n");
    open();
    QListWidget* list = editor().sequenceList();
    list->setCurrentRow(-1);
    const QPoint over = list->visualItemRect(list->item(2)).center();
    QMouseEvent move(QEvent::MouseMove, over, list->viewport()->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &move);
    EXPECT_EQ(list->currentRow(), 2);

    const auto hoverAt = [this](const Region& r) {
        window->HandleMouseMove(inside(r));
        window->HandleHover(inside(r));
    };
    hoverAt(MacroEditor::kNew);
    EXPECT_EQ(pixel(MacroEditor::kNew), test::SkinFixture::kOver);
    hoverAt(MacroEditor::kConfirm);
    EXPECT_EQ(pixel(MacroEditor::kNew), test::SkinFixture::kNormal);
    EXPECT_EQ(pixel(MacroEditor::kConfirm), test::SkinFixture::kOver);
    // The restore-defaults button is of another group; still only the one under the pointer is lit.
    hoverAt(DesktopSettingsPanel::kRestoreDefaults);
    EXPECT_EQ(pixel(DesktopSettingsPanel::kRestoreDefaults), test::SkinFixture::kOver);
    EXPECT_EQ(pixel(MacroEditor::kConfirm), test::SkinFixture::kNormal);
    window->HandleMouseMove(QPoint(600, 580));
    EXPECT_EQ(pixel(MacroEditor::kConfirm), test::SkinFixture::kNormal);
    EXPECT_EQ(pixel(DesktopSettingsPanel::kRestoreDefaults), test::SkinFixture::kNormal);
}

TEST_F(MacroEditorTest, ConfirmStoresEncodesAndMovesSlots) {
    writeRecordIni("[A]\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=A   Dn\r\n"
                   "[B]\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=B   Dn\r\n"
                   "[C]\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=C   Dn\r\n");
    EncodeMacroStore(ProfileIni(recordIni()), MacroArea(config.record().macroArea()));
    const std::vector<std::uint8_t> oldC = block(2);
    open();
    // Delete A, then confirm B: B becomes the last section, C slot 0, B slot 1; slot 2 keeps C.
    click(MacroEditor::kDelete);
    EXPECT_EQ(macros(), (QStringList{"B", "C"}));
    EXPECT_TRUE(editor().nameField()->text().isEmpty());
    editor().macroList()->setCurrentRow(0);
    click(MacroEditor::kConfirm);
    EXPECT_EQ(ReadMacroSectionNames(ProfileIni(recordIni())), (std::vector<std::string>{"C", "B"}));
    EXPECT_EQ(block(0)[3], 0x06); // C
    EXPECT_EQ(block(1)[3], 0x05); // B
    EXPECT_EQ(block(2), oldC);
    EXPECT_TRUE(prompter.shown.empty());

    // An empty list clears the block and leaves the file alone.
    const std::string before = recordIniText();
    editor().sequenceList()->clear();
    click(MacroEditor::kConfirm);
    EXPECT_EQ(block(0), std::vector<std::uint8_t>(128, 0));
    EXPECT_EQ(recordIniText(), before);
}

TEST_F(MacroEditorTest, AMacroTooLongForTheMouseIsStoredWholeAndReported) {
    writeRecordIni("[Long]\r\nMacroLoopTimes=2\r\nItemCount=0\r\n");
    open();
    for (int i = 0; i < 70; ++i) {
        if (i > 0)
            editor().appendSequenceLine("50 ms");
        editor().appendSequenceLine(i % 2 == 0 ? "A   Dn" : "A   Up");
    }
    click(MacroEditor::kConfirm);
    const StoredMacro stored = LoadMacro(ProfileIni(recordIni()), "Long");
    EXPECT_EQ(stored.lines.size(), 139u);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_NE(prompter.shown[0].text.find("\"Long\""), std::string::npos) << prompter.shown[0].text;
    EXPECT_NE(prompter.shown[0].text.find("last 7 events"), std::string::npos) << prompter.shown[0].text;
    // The block holds the first 63 events and nothing spills into the next block.
    EXPECT_EQ(block(0)[127], 0x04);
    EXPECT_EQ(block(1), std::vector<std::uint8_t>(128, 0));
}

} // namespace
} // namespace vexo

namespace vexo {
namespace {

TEST_F(MacroEditorTest, ARecordIniThatCannotBeReadIsToldOnceAndLeftAsItIs) {
    // UTF-16 big-endian with its byte-order mark: a file this program can neither read nor keep.
    std::string bigEndian = "\xFE\xFF";
    for (const char c : std::string("[Burst]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n")) {
        bigEndian += '\0';
        bigEndian += c;
    }
    writeRecordIni(bigEndian);
    open();
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_NE(shownTexts()[0].find("No macros are shown from it"), std::string::npos) << shownTexts()[0];
    EXPECT_TRUE(macros().isEmpty());

    // Shown again (the page is left and entered again): no second box.
    window->ShowBasicPage();
    window->ShowAdvancedPage();
    EXPECT_EQ(shownTexts().size(), 1u);
    std::ifstream file(recordIni(), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()), bigEndian);
}

// A section name of 100 KB is left out alone: the macros after it are listed in their slots, and
// the window says once that a section is not listed, leaving the file as it was.
TEST_F(MacroEditorTest, AHugeSectionNameHidesNoMacroAfterIt) {
    const std::string text = "[" + std::string(100000, 'n') +
        "]\r\nItemCount=0\r\n"
        "[One]\r\nMacroLoopTimes=5\r\nItemCount=1\r\nItem0=A   Dn\r\n"
        "[Two]\r\nMacroLoopTimes=2\r\nItemCount=0\r\n";
    writeRecordIni(text);
    open();
    EXPECT_EQ(macros(), (QStringList{"One", "Two"}));
    EXPECT_EQ(editor().nameField()->text(), "One");
    EXPECT_EQ(lines(), (QStringList{"A   Dn"}));
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_TRUE(shownTexts()[0].starts_with("1 section(s) of record.ini have names that do not fit"))
        << shownTexts()[0];
    window->ShowBasicPage();
    window->ShowAdvancedPage();
    EXPECT_EQ(shownTexts().size(), 1u);
    EXPECT_EQ(recordIniText(), text);
}

} // namespace
} // namespace vexo
