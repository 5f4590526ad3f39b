// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The advanced page's desktop settings and macro recording, driven through the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>

#include "ui/advanced_page_fixture.h"
#include "ui/advanced/desktop_steps.h"
#include "ui/frame/frame_regions.h"

namespace vexo {
namespace {

using Panel = DesktopSettingsPanel;

class AdvancedPageTest : public ::testing::Test, public test::AdvancedPageFixture {
protected:
    // How many segments of a slider are lit, checking that they are the first ones.
    int lit(int slider) const {
        int count = 0;
        for (int step = 1; step <= desktop::kSteps; ++step) {
            const QRgb colour = pixel(Panel::Segment(slider, step));
            EXPECT_TRUE(colour == kLight || colour == kDark) << "slider " << slider << " step " << step;
            if (colour == kLight) {
                EXPECT_EQ(count, step - 1) << "slider " << slider << " lit out of order";
                ++count;
            }
        }
        return count;
    }
    DesktopBytes bytes() const { return config.record().desktop(); }
};

TEST_F(AdvancedPageTest, FirstShowingReadsTheDesktopOnceAndShowsIt) {
    desktop.precision = true;
    desktop.speed = 10;
    desktop.wheelLines = DesktopPointerSettings::kScrollOneScreen;
    desktop.doubleClickMs = 500;
    open();
    EXPECT_EQ(bytes(), (DesktopBytes{1, 1, 6, 0, 6}));
    EXPECT_EQ(lit(Panel::kSpeedSlider), 6);
    EXPECT_EQ(lit(Panel::kWheelSlider), 0); // one screen per notch lights nothing
    EXPECT_EQ(lit(Panel::kDoubleClickSlider), 6);
    EXPECT_EQ(pixel(Panel::kPrecisionBox), kTick);
    EXPECT_EQ(pixel(Panel::kOneScreenBox), kTick);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(page->panel().desktopRead());

    // Changes on the desktop meanwhile are not read again in this process.
    desktop.speed = 20;
    desktop.calls.clear();
    click(frame::kPreviousPage);
    click(frame::kNextPage);
    EXPECT_EQ(window->CurrentPage(), kAdvancedPage);
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(lit(Panel::kSpeedSlider), 6);
}

TEST_F(AdvancedPageTest, ValuesOutsideTheStepsAreClampedAndFailedReadsKeepTheStoredByte) {
    desktop.speed = 3; // step 2
    desktop.wheelLines = 40; // kept as 40, shown as 11
    desktop.doubleClickMs = 1000; // slower than step 1
    open();
    EXPECT_EQ(bytes(), (DesktopBytes{0, 0, 2, 40, 1}));
    EXPECT_EQ(lit(Panel::kWheelSlider), 11);
    EXPECT_EQ(lit(Panel::kDoubleClickSlider), 1);
    // Applying gives the desktop back the 40 lines and the speed of step 2.
    desktop.calls.clear();
    page->ApplyDesktopSettings();
    EXPECT_EQ(desktop.calls,
              (std::vector<std::string>{"set precision 0", "set speed 2", "set wheel 40", "set double-click 900"}));

    // Another process: every read fails; the bytes of config.bin stay, each failure is told.
    page.reset();
    window.reset();
    prompter.shown.clear();
    config.record().setDesktop({1, 0, 9, 5, 3});
    for (bool& fail : desktop.failRead)
        fail = true;
    desktop.calls.clear();
    open();
    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"GETMOUSESPEED failed.", "GETWHEELSCROLLLINES failed.",
                                        "GetDoubleClickTime failed."}));
    for (const auto& shown : prompter.shown)
        EXPECT_EQ(shown.caption, "Warning");
    // A failed acceleration read turns precision off without a word, as the desktop says nothing.
    EXPECT_EQ(bytes(), (DesktopBytes{0, 0, 9, 5, 3}));
    EXPECT_EQ(lit(Panel::kSpeedSlider), 9);
    // Reading writes nothing.
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"get precision", "get speed", "get wheel", "get double-click"}));
}

TEST_F(AdvancedPageTest, SegmentAndBoxClicksEditTheRecordOnly) {
    open();
    desktop.calls.clear();
    click(Panel::Segment(Panel::kSpeedSlider, 3));
    window->HandleClick(QPoint(Panel::Segment(Panel::kWheelSlider, 11).right - 1, 360));
    click(Panel::Segment(Panel::kDoubleClickSlider, 1));
    click(Panel::kPrecisionBox);
    click(Panel::kOneScreenBox);
    EXPECT_EQ(bytes(), (DesktopBytes{1, 1, 3, 11, 1}));
    EXPECT_EQ(lit(Panel::kSpeedSlider), 3);
    EXPECT_EQ(lit(Panel::kWheelSlider), 11);
    EXPECT_EQ(lit(Panel::kDoubleClickSlider), 1);
    EXPECT_EQ(pixel(Panel::kPrecisionBox), kTick);
    click(Panel::kPrecisionBox);
    EXPECT_EQ(pixel(Panel::kPrecisionBox), kPane);
    EXPECT_EQ(bytes().enhancePrecision, 0);
    EXPECT_TRUE(desktop.calls.empty());

    // Just beside a slider, a box or the button the click is no region's: it moves the window.
    QSignalSpy moves(window.get(), &CMainDialog::moveRequested);
    const int distance = QApplication::startDragDistance();
    for (const QPoint p : {QPoint(316, 205), QPoint(52, 211), QPoint(67, 260)}) {
        window->HandleClick(p);
        window->HandleDrag(p + QPoint(distance, 0), Qt::LeftButton);
    }
    EXPECT_EQ(moves.count(), 3);
    // A segment's click does not drag.
    window->HandleClick(inside(Panel::Segment(Panel::kSpeedSlider, 3)));
    window->HandleDrag(inside(Panel::Segment(Panel::kSpeedSlider, 3)) + QPoint(distance, 0), Qt::LeftButton);
    EXPECT_EQ(moves.count(), 3);
    EXPECT_EQ(bytes(), (DesktopBytes{0, 1, 3, 11, 1}));
}

TEST_F(AdvancedPageTest, ApplySendsEveryValueAndReportsEachFailure) {
    open();
    config.record().setDesktop({1, 1, 11, 7, 11});
    desktop.calls.clear();
    page->ApplyDesktopSettings();
    // With one screen per notch ticked the wheel gets that whatever the slider says.
    EXPECT_EQ(
        desktop.calls,
        (std::vector<std::string>{"set precision 1", "set speed 20", "set wheel 4294967295", "set double-click 200"}));
    EXPECT_TRUE(prompter.shown.empty());

    for (bool& fail : desktop.failWrite)
        fail = true;
    desktop.calls.clear();
    page->ApplyDesktopSettings();
    EXPECT_EQ(desktop.calls.size(), 4u); // every call is made regardless
    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"SETMOUSE failed.", "SETMOUSESPEED failed.", "SETWHEELSCROLLLINES failed.",
                                        "SPI_SETDOUBLECLICKTIME failed."}));
}

TEST_F(AdvancedPageTest, RestoreDefaultsChangesTheDesktopAtOnceEvenWithoutAMouse) {
    actions.present = false;
    desktop.wheelLines = 9;
    open();
    click(Panel::kPrecisionBox);
    click(Panel::kOneScreenBox);
    desktop.calls.clear();
    click(Panel::kRestoreDefaults);
    EXPECT_EQ(desktop.calls,
              (std::vector<std::string>{"set precision 0", "set speed 10", "set wheel 3", "set double-click 500"}));
    EXPECT_EQ(bytes(), (DesktopBytes{0, 0, 6, 3, 6}));
    EXPECT_EQ(lit(Panel::kSpeedSlider), 6);
    EXPECT_EQ(lit(Panel::kWheelSlider), 3);
    EXPECT_EQ(lit(Panel::kDoubleClickSlider), 6);
    EXPECT_EQ(pixel(Panel::kPrecisionBox), kPane);
    EXPECT_EQ(pixel(Panel::kOneScreenBox), kPane);
    // Without a mouse, OK and Apply do not reach the desktop.
    click(frame::kApply);
    EXPECT_TRUE(actions.calls.empty());
}

class RecordingTest : public AdvancedPageTest {
protected:
    void SetUp() override {
        writeRecordIni("[M]\r\nMacroLoopTimes=1\r\nItemCount=1\r\nItem0=Z   Dn\r\n");
        open();
        prompter.shown.clear();
    }
    QStringList lines() const { return page->editor().sequenceLines(); }
    MacroRecorder& recorder() { return page->recorder(); }
};

TEST_F(RecordingTest, PressRepeatAndReleaseGiveThreeLinesAndPressesNeverReachTheFields) {
    page->editor().nameField()->setText("M");
    click(MacroEditor::kStartRecording);
    ASSERT_TRUE(recorder().recording());
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Start Recording"});
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(texts.m_strStopHint));
    EXPECT_TRUE(lines().isEmpty()); // the old lines go when a recording starts

    key(QEvent::KeyPress, test::kKeyA);
    key(QEvent::KeyRelease, test::kKeyA, true); // X11 repeats a held key as release and press
    key(QEvent::KeyPress, test::kKeyA, true);
    key(QEvent::KeyPress, test::kKeyA, true);
    key(QEvent::KeyRelease, test::kKeyA);
    EXPECT_EQ(lines(), (QStringList{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(recorder().recordedEvents(), 2u);
    EXPECT_EQ(page->editor().sequenceList()->currentRow(), 2);
    EXPECT_EQ(page->editor().nameField()->text(), "M");

    // Ctrl+Break is recorded like any other keys and does not stop the recording.
    key(QEvent::KeyPress, test::kKeyCtrl);
    key(QEvent::KeyPress, 119); // Pause
    key(QEvent::KeyRelease, 119);
    key(QEvent::KeyRelease, test::kKeyCtrl);
    EXPECT_TRUE(recorder().recording());
    EXPECT_EQ(lines().mid(3),
              (QStringList{"50 ms", "Ctrl   Dn", "50 ms", "Pause   Dn", "50 ms", "Pause   Up", "50 ms", "Ctrl   Up"}));
    // Enter and Esc are recorded too instead of hiding the window.
    key(QEvent::KeyPress, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(lines().last(), "Esc   Dn");
}

// The Enter that closes the start message, or a key held since before the start, is released
// inside the recording: such a release has no press in this recording and is not listed.
TEST_F(RecordingTest, AReleaseWhosePressCameBeforeTheStartIsNotListed) {
    key(QEvent::KeyPress, test::kKeyB); // held since before the start
    click(MacroEditor::kStartRecording);
    key(QEvent::KeyRelease, 28); // Enter, its press closed the message box
    EXPECT_TRUE(lines().isEmpty());
    key(QEvent::KeyPress, test::kKeyA);
    key(QEvent::KeyRelease, test::kKeyB);
    key(QEvent::KeyRelease, test::kKeyA);
    key(QEvent::KeyRelease, test::kKeyA); // a second release of the same press
    EXPECT_EQ(lines(), (QStringList{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(recorder().recordedEvents(), 2u);
    // Pressed again within the recording, the key is listed both ways.
    tap(test::kKeyB);
    EXPECT_EQ(lines().mid(3), (QStringList{"50 ms", "B   Dn", "50 ms", "B   Up"}));

    // A new recording forgets the presses of the last one.
    key(QEvent::KeyPress, test::kKeyA);
    click(MacroEditor::kStopRecording);
    click(MacroEditor::kStartRecording);
    key(QEvent::KeyRelease, test::kKeyA);
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(RecordingTest, TheSixtyFifthEventStopsTheRecordingUnlisted) {
    click(MacroEditor::kStartRecording);
    for (int i = 0; i < 32; ++i)
        tap(i % 2 == 0 ? test::kKeyA : test::kKeyB);
    EXPECT_EQ(lines().size(), 64 * 2 - 1);
    EXPECT_TRUE(recorder().recording());
    prompter.shown.clear();
    key(QEvent::KeyPress, test::kKeyA);
    EXPECT_FALSE(recorder().recording());
    EXPECT_FALSE(keyboard.installed());
    EXPECT_EQ(lines().size(), 64 * 2 - 1);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Stop Recording"});
    // Keys now reach the fields again.
    key(QEvent::KeyPress, test::kKeyB);
    EXPECT_EQ(lines().size(), 64 * 2 - 1);
}

TEST_F(RecordingTest, StartWithoutMacrosStopTwiceAndLeavingThePage) {
    click(MacroEditor::kStopRecording);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Stop Recording", texts.m_strNotRecording}));
    EXPECT_EQ(prompter.shown.back().caption, "Warning");

    click(MacroEditor::kStartRecording);
    tap(test::kKeyA);
    prompter.shown.clear();
    click(MacroEditor::kStopRecording);
    click(MacroEditor::kStopRecording);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Stop Recording", "Stop Recording", texts.m_strNotRecording}));
    EXPECT_EQ(lines(), (QStringList{"A   Dn", "50 ms", "A   Up"})); // the lines stay after the stop

    // Leaving the page while recording removes the hook without a word.
    click(MacroEditor::kStartRecording);
    prompter.shown.clear();
    click(frame::kPreviousPage);
    EXPECT_FALSE(keyboard.installed());
    EXPECT_FALSE(recorder().recording());
    EXPECT_TRUE(prompter.shown.empty());

    // No macro in the list: only the warning, no start message.
    click(frame::kNextPage);
    page->editor().macroList()->setCurrentRow(0);
    click(MacroEditor::kDelete);
    prompter.shown.clear();
    click(MacroEditor::kStartRecording);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Macro name is blank"});
    EXPECT_FALSE(keyboard.installed());
}

} // namespace
} // namespace vexo
