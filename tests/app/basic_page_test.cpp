// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The basic settings page end to end: clicks at the page's coordinates, the record, the labels in
// str.ini and what the simulated mouse receives on Apply.
#include "basic_page_rig.h"

#include <QFontDatabase>
#include <QFontInfo>

#include "config/button_functions.h"
#include "config/dpi_table.h"
#include "config/key_entry.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/skin/interface_fonts.h"
#include "ui/frame/frame_regions.h"

namespace vexo {
namespace {

using test::BasicPageRig;

class BasicPageTest : public BasicPageRig {};

TEST_F(BasicPageTest, FunctionPicksReachTheFilesAndTheMouseOnApply) {
    start();
    ASSERT_EQ(shell->window().CurrentPage(), kBasicPage);
    // Box 2 opens its list with the sixteen functions in code order.
    click(basic::FunctionBox(1));
    QListWidget* functions = list(basic::kFunctionListId + 1);
    ASSERT_NE(functions, nullptr);
    ASSERT_EQ(functions->count(), 16);
    EXPECT_EQ(functions->item(5)->text(), "Triple-click");
    EXPECT_EQ(functions->item(15)->text(), "Key Off");
    EXPECT_EQ(functions->geometry(), basic::FunctionList(1).rect());
    pickEntry(functions, function_code::TripleClick);
    EXPECT_EQ(list(basic::kFunctionListId + 1), nullptr) << "a choice closes the list";
    EXPECT_FALSE(page().functionList(1).isOpen());
    EXPECT_EQ(record().functionCode(KeyMode::A, 1), function_code::TripleClick);
    // Key Off for button 5 in mode B leaves mode A alone.
    click(basic::kModeB);
    click(basic::FunctionBox(4));
    pickEntry(list(basic::kFunctionListId + 4), function_code::KeyOff);
    EXPECT_EQ(record().functionCode(KeyMode::B, 4), function_code::KeyOff);
    EXPECT_EQ(record().functionCode(KeyMode::A, 4), function_code::Backward);
    EXPECT_EQ(record().modeSelector(), 1);

    mouse->clearExchanges();
    apply();
    const ConfigRecord saved = savedRecord();
    EXPECT_EQ(saved, record());
    EXPECT_EQ(saved.functionCode(KeyMode::A, 1), function_code::TripleClick);
    const IniSettings labels = savedLabels();
    EXPECT_EQ(labels.m_strButtonLabelA[1], "Triple-click");
    EXPECT_EQ(labels.m_strButtonLabelB[4], "Key Off");
    EXPECT_EQ(labels.m_strButtonLabelA[4], "Backward");
    const DeviceImage blocks = mouse->blocks();
    const auto matrices = KeyMatrixImage(record());
    for (std::size_t m = 0; m < kKeyMatrices; ++m)
        EXPECT_EQ(blocks.keyMatrices[m], matrices[m]) << "key matrix " << m;
    EXPECT_FALSE(mouse->exchanges().empty());
}

TEST_F(BasicPageTest, TheOnlyLeftButtonKeepsItsFunctionUntilAnotherTakesIt) {
    ConfigRecord edited = [] {
        ConfigRecord r;
        RestoreKeyDefaults(r);
        for (std::size_t b = 9; b < ConfigRecord::kButtons; ++b)
            r.setFunctionCode(KeyMode::A, b, function_code::KeyOff);
        r.dpiEnabled()[0] = 1;
        return r;
    }();
    writeRecord(edited);
    start();
    click(basic::FunctionBox(0));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Left key must be selected!");
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(list(basic::kFunctionListId), nullptr);
    EXPECT_FALSE(page().functionList(0).isOpen());

    click(basic::FunctionBox(2));
    pickEntry(list(basic::kFunctionListId + 2), function_code::LeftClick);
    click(basic::FunctionBox(0));
    EXPECT_NE(list(basic::kFunctionListId), nullptr);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(BasicPageTest, BoxesOpenOneListAtATimeAndAClickOnAnOpenBoxClosesIt) {
    start();
    click(basic::FunctionBox(3));
    EXPECT_NE(list(basic::kFunctionListId + 3), nullptr);
    click(basic::FunctionBox(3));
    EXPECT_EQ(list(basic::kFunctionListId + 3), nullptr);
    EXPECT_FALSE(page().functionList(3).isOpen());
    click(basic::FunctionBox(1));
    click(basic::FunctionBox(6));
    QCoreApplication::processEvents();
    EXPECT_EQ(list(basic::kFunctionListId + 1), nullptr);
    EXPECT_NE(list(basic::kFunctionListId + 6), nullptr);
    EXPECT_FALSE(page().functionList(1).isOpen());
    // A click on the blank page closes it and is no region's.
    click(QPoint(480, 590));
    QCoreApplication::processEvents();
    EXPECT_EQ(list(basic::kFunctionListId + 6), nullptr);
    // The DPI Switch entry itself is no choice: the list stays open.
    click(basic::FunctionBox(2));
    pickEntry(list(basic::kFunctionListId + 2), function_code::DpiSwitch);
    EXPECT_NE(list(basic::kFunctionListId + 2), nullptr);
    EXPECT_EQ(record().functionCode(KeyMode::A, 2), function_code::MidClick);
}

TEST_F(BasicPageTest, DpiSwitchSideListFollowsThePointerAndSetsTheSubFunctionOfTheShownModeOnly) {
    start();
    const std::string labelB = shell->settings().m_strButtonLabelB[3];
    click(basic::FunctionBox(3));
    QListWidget* functions = list(basic::kFunctionListId + 3);
    hoverEntry(functions, function_code::DpiSwitch);
    QListWidget* side = list(basic::kSideListId);
    ASSERT_NE(side, nullptr);
    ASSERT_EQ(side->count(), 4);
    EXPECT_EQ(side->item(2)->text(), "DPI Loop");
    const QRect item = functions->visualItemRect(functions->item(function_code::DpiSwitch));
    const QPoint itemTopLeft = functions->viewport()->mapTo(&window(), item.topLeft());
    EXPECT_EQ(side->geometry(), QRect(itemTopLeft.x() + item.width(), itemTopLeft.y(), 66, 80));
    hoverEntry(functions, function_code::RgbOnOff);
    QCoreApplication::processEvents();
    EXPECT_EQ(list(basic::kSideListId), nullptr);
    hoverEntry(functions, function_code::DpiSwitch);
    pickEntry(list(basic::kSideListId), 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(list(basic::kSideListId), nullptr);
    EXPECT_EQ(list(basic::kFunctionListId + 3), nullptr);
    EXPECT_EQ(record().functionCode(KeyMode::A, 3), function_code::DpiSwitch);
    EXPECT_EQ(record().dpiSubFunctions(KeyMode::A)[3], dpi_function::Loop);
    EXPECT_EQ(record().functionCode(KeyMode::B, 3), function_code::Forward);
    EXPECT_EQ(shell->settings().m_strButtonLabelA[3], "DPI Loop");
    EXPECT_EQ(shell->settings().m_strButtonLabelB[3], labelB);
    // A click anywhere on the page ends a side list.
    click(basic::FunctionBox(5));
    hoverEntry(list(basic::kFunctionListId + 5), function_code::DpiSwitch);
    ASSERT_NE(list(basic::kSideListId), nullptr);
    click(basic::kKeySettingHeading);
    QCoreApplication::processEvents();
    EXPECT_EQ(list(basic::kSideListId), nullptr);
}

TEST_F(BasicPageTest, ShiftIsOnePerModeAndLeavingItChangesBothModes) {
    start();
    click(basic::FunctionBox(6));
    pickEntry(list(basic::kFunctionListId + 6), function_code::Shift);
    EXPECT_EQ(record().functionCode(KeyMode::A, 6), function_code::Shift);
    EXPECT_EQ(record().functionCode(KeyMode::B, 6), function_code::Shift);
    EXPECT_EQ(shell->settings().m_strButtonLabelB[6], "Shift");
    click(basic::FunctionBox(7));
    pickEntry(list(basic::kFunctionListId + 7), function_code::Shift);
    EXPECT_EQ(record().functionCode(KeyMode::A, 7), function_code::SingleKey) << "a second Shift changes nothing";
    click(basic::kModeB);
    click(basic::FunctionBox(6));
    pickEntry(list(basic::kFunctionListId + 6), function_code::MidClick);
    EXPECT_EQ(record().functionCode(KeyMode::A, 6), function_code::MidClick);
    EXPECT_EQ(record().functionCode(KeyMode::B, 6), function_code::MidClick);
    EXPECT_EQ(shell->settings().m_strButtonLabelA[6], "Mid Click");
}

TEST_F(BasicPageTest, ModesShowTheirLabelsAndKeyDefaultsRestoreBothButLeaveButtonsTenToTwelve) {
    ConfigRecord edited;
    RestoreKeyDefaults(edited);
    edited.dpiEnabled()[0] = 1;
    for (std::size_t b = 9; b < ConfigRecord::kButtons; ++b) {
        edited.setFunctionCode(KeyMode::A, b, function_code::Multimedia);
        edited.setFunctionCode(KeyMode::B, b, function_code::FireKey);
    }
    edited.setFunctionCode(KeyMode::B, 0, function_code::Forward);
    edited.setFunctionCode(KeyMode::B, 3, function_code::LeftClick);
    writeRecord(edited);
    writeFile("str.ini", "[Skins]\nLan=EN\nPath=Test\n[Setting-EN]\nItem1=A one\nItem13=B one\nItem10=A ten\n");
    start();
    const ConfigRecord before = record();
    click(basic::kModeB);
    EXPECT_EQ(record().modeSelector(), 1);
    EXPECT_EQ(pixel(basic::kModeB), test::SkinFixture::kOver);
    EXPECT_EQ(pixel(basic::kModeA), test::SkinFixture::kNormal);
    click(basic::kModeA);
    EXPECT_EQ(record().modeSelector(), 0);
    ConfigRecord codesOnly = record();
    codesOnly.setModeSelector(before.modeSelector());
    EXPECT_EQ(codesOnly, before) << "switching modes changes no function";

    click(basic::kKeyDefault);
    constexpr std::array<int, 9> kDefaults{0, 1, 2, 3, 4, 6, 6, 11, 15};
    for (KeyMode mode : {KeyMode::A, KeyMode::B}) {
        for (std::size_t b = 0; b < 9; ++b)
            EXPECT_EQ(record().functionCode(mode, b), kDefaults[b]);
        EXPECT_EQ(record().dpiSubFunctions(mode)[5], dpi_function::Up);
        EXPECT_EQ(record().dpiSubFunctions(mode)[6], dpi_function::Down);
    }
    EXPECT_EQ(record().functionCode(KeyMode::A, 9), function_code::Multimedia);
    EXPECT_EQ(record().functionCode(KeyMode::B, 11), function_code::FireKey);
    for (std::size_t b = 0; b < 9; ++b)
        EXPECT_EQ(shell->settings().m_strButtonLabelA[b], shell->settings().m_strButtonLabelB[b]);
    EXPECT_EQ(shell->settings().m_strButtonLabelA[0], "Left Click");
    EXPECT_EQ(shell->settings().m_strButtonLabelA[7], "Single Key-V");
    EXPECT_EQ(shell->settings().m_strButtonLabelA[8], "Key Off");
    EXPECT_EQ(shell->settings().m_strButtonLabelA[9], "A ten");
    EXPECT_EQ(record().modeSelector(), 0);
    EXPECT_EQ(savedLabels().m_strButtonLabelA[0], "A one") << "nothing is saved before Apply";
}

TEST_F(BasicPageTest, ReportRateSegmentsShowTheStoredRateAndRedrawOnlyOnChange) {
    ConfigRecord edited;
    RestoreKeyDefaults(edited);
    edited.dpiEnabled()[0] = 1;
    edited.setReportRate(7); // not a rate of the list: shows as 1000 Hz
    writeRecord(edited);
    start();
    EXPECT_EQ(pixel(basic::kRateSegments[3]), kRateLight);
    EXPECT_EQ(pixel(basic::kRateSegments[0]), kRateDark);
    click(basic::kRateSegments[0]);
    EXPECT_EQ(record().reportRate(), 8);
    EXPECT_EQ(pixel(basic::kRateSegments[0]), kRateLight);
    EXPECT_EQ(pixel(basic::kRateSegments[3]), kRateDark);
    click(basic::kRateSegments[2]);
    EXPECT_EQ(record().reportRate(), 2);
    EXPECT_EQ(pixel(basic::kRateSegments[0]), kRateDark);
    click(basic::kRateSegments[2]);
    EXPECT_EQ(record().reportRate(), 2);
    mouse->clearExchanges();
    apply();
    EXPECT_EQ(mouse->blocks().reportRate, 2);
}

TEST_F(BasicPageTest, CancelRestoresTheAppliedCopyWhenThePageIsRebuilt) {
    start();
    click(basic::kRateSegments[1]);
    click(basic::FunctionBox(2));
    pickEntry(list(basic::kFunctionListId + 2), function_code::RgbOnOff);
    click(basic::DpiValueBox(0));
    pickEntry(list(basic::kDpiValueListId), 9);
    EXPECT_EQ(control<QLabel>(basic::kDpiValueFieldId)->text(), "3000");
    click(QPoint(frame::kCancel.right - 5, frame::kCancel.top + 5));
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(record(), config.snapshot());
    shell->trayClicked(TrayIcon::Click::Left);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(control<QLabel>(basic::kDpiValueFieldId)->text(), "500");
    EXPECT_EQ(pixel(basic::kRateSegments[1]), kRateDark);
    EXPECT_EQ(pixel(basic::kRateSegments[3]), kRateLight);
    EXPECT_EQ(shell->settings().m_strButtonLabelA[2], "Mid Click");
    // One set of controls only: the rebuild replaced them.
    EXPECT_EQ(window().findChildren<QLabel*>(QString::number(basic::kDpiValueFieldId)).size(), 1);
}

// Cancel puts back the applied record and its labels at once, whichever way the window comes back
// (without a notification area it is only minimised, or stays where no window manager minimises
// it), so a later Apply cannot save a label that disagrees with its button.
TEST_F(BasicPageTest, AfterCancelTheLabelsMatchTheAppliedFunctionsOnEveryWayBack) {
    writeFile("str.ini", "[Skins]\nLan=EN\nPath=Test\n[Setting-EN]\nItem2=Right Click\n");
    tray.offered = false;
    start();
    ASSERT_EQ(record().functionCode(KeyMode::A, 1), function_code::RightClick);
    const QImage applied = window().BackBuffer().copy(basic::FunctionBox(1).rect());
    for (int round = 0; round < 3; ++round) {
        click(basic::FunctionBox(1));
        pickEntry(list(basic::kFunctionListId + 1), function_code::MidClick);
        ASSERT_EQ(shell->settings().m_strButtonLabelA[1], "Mid Click");
        click(QPoint(frame::kCancel.right - 5, frame::kCancel.top + 5));
        EXPECT_EQ(record().functionCode(KeyMode::A, 1), function_code::RightClick);
        // A bare server leaves the window shown: it already shows the applied settings.
        EXPECT_EQ(shell->settings().m_strButtonLabelA[1], "Right Click") << "round " << round;
        EXPECT_EQ(window().BackBuffer().copy(basic::FunctionBox(1).rect()), applied) << "round " << round;
        // Back by un-minimising, by a second start, or from the icon's click.
        if (round == 0)
            window().showNormal();
        else if (round == 1)
            shell->activate();
        else
            shell->trayClicked(TrayIcon::Click::Left);
        EXPECT_EQ(shell->settings().m_strButtonLabelA[1], "Right Click") << "round " << round;
    }
    apply();
    EXPECT_EQ(savedRecord().functionCode(KeyMode::A, 1), function_code::RightClick);
    EXPECT_EQ(savedLabels().m_strButtonLabelA[1], "Right Click");
}

// Simplified Chinese is drawn in the sans CJK face, and normal text never in a bold face: here the
// serif CJK face may be installed in bold only.
TEST_F(BasicPageTest, SimplifiedChineseTextIsDrawnInTheSansFaceAtNormalWeight) {
    writeFile("str.ini", "[Skins]\nLan=CHS\nPath=Test\n");
    start();
    if (!QFontDatabase::families().contains("Noto Sans CJK SC"))
        GTEST_SKIP() << "needs fonts-noto-cjk";
    const QFontInfo text(window().m_fontText);
    EXPECT_EQ(text.family(), "Noto Sans CJK SC");
    EXPECT_FALSE(text.bold());
    EXPECT_LT(text.weight(), int(QFont::DemiBold));
    EXPECT_EQ(QFontInfo(window().m_fontTitle).family(), "Noto Sans CJK SC");
    // Whatever face is asked for, a weight-400 font never comes out bold.
    for (const char* face : {"宋体", "黑体", "Arial"})
        EXPECT_FALSE(QFontInfo(InterfaceFonts::make(QString::fromUtf8(face), 13, 400, "CHS")).bold()) << face;
}

TEST_F(BasicPageTest, AnApplyTheMouseDidNotTakeWholeIsToldAndTheFilesAreStillSaved) {
    start();
    click(basic::kRateSegments[0]);
    apply();
    EXPECT_TRUE(prompter.shown.empty()) << "a whole Apply says nothing";
    // Block reads come back short: the colours are not written back, and the user learns it.
    SimFaults faults;
    faults.shortRead = 10;
    mouse->setFaults(faults);
    click(basic::kRateSegments[1]);
    apply();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text.rfind("The mouse did not take all of the settings: ", 0), 0u)
        << prompter.shown[0].text;
    EXPECT_NE(prompter.shown[0].text.find("lighting and colours were left as they were"), std::string::npos);
    EXPECT_EQ(savedRecord().reportRate(), 4);
}

TEST_F(BasicPageTest, PageControlsGoWithThePageAndComeBackWithIt) {
    start();
    EXPECT_EQ(window().findChildren<QLabel*>().size(), 19);
    click(basic::DpiValueBox(2));
    ASSERT_NE(list(basic::kDpiValueListId), nullptr);
    click(QPoint(frame::kNextPage.left + 5, frame::kNextPage.top + 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(shell->window().CurrentPage(), kAdvancedPage);
    EXPECT_EQ(window().findChildren<QLabel*>().size(), 0);
    EXPECT_EQ(list(basic::kDpiValueListId), nullptr);
    EXPECT_FALSE(page().dpiRows().valueList().isOpen());
    click(QPoint(frame::kPreviousPage.left + 5, frame::kPreviousPage.top + 5));
    EXPECT_EQ(window().findChildren<QLabel*>().size(), 19);
}

// The pages' own redraws (mode buttons, report-rate segments, DPI ticks, function boxes lit and
// let go) bring their background back from the parts kept aside, pixel for pixel: afterwards the
// page drawn anew from its picture file looks exactly the same, and no redraw needed the whole
// picture decoded again.
TEST_F(BasicPageTest, RedrawsBringTheBackgroundBackFromThePartsKeptAsideExactly) {
    // Backgrounds with no two neighbouring pixels alike, so that a part from the wrong place shows.
    for (const char* name : {"/BasicSet2.png", "/AdvancedSet2.png"}) {
        QImage picture(880, 650, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb((x * 7 + y) & 0xff, (y * 5 + x * 3) & 0xff, (x ^ y) & 0xff));
        ASSERT_TRUE(picture.save(folder.path() + "/Skins/Test" + name));
    }
    start();
    const PageBackground& background = shell->skin().pageBackground();
    ASSERT_TRUE(background.holds(shell->skin().skinDir(), frame::kBasicBackground));
    const QImage& face = window().BackBuffer();
    EXPECT_LT(background.heldBytes(), std::size_t(face.sizeInBytes() / 4));

    click(basic::kModeB);
    click(basic::kModeA);
    for (const Region& segment : basic::kRateSegments)
        click(segment);
    for (int k = 1; k < DpiRows::kRows; ++k) {
        click(basic::DpiTick(k));
        click(basic::DpiTick(k));
    }
    const QPoint away(480, 100);
    for (int k = 0; k < BasicPage::kButtons; ++k) {
        const Region box = basic::FunctionBox(k);
        window().HandleHover(QPoint(box.left + 5, box.top + 5));
        window().HandleMouseMove(away);
    }
    window().HandleHover(QPoint(basic::kKeyDefault.left + 5, basic::kKeyDefault.top + 5));
    window().HandleMouseMove(away);
    EXPECT_EQ(background.fullDecodes(), 0u);
    const QImage redrawn = face.copy();
    window().DrawPage();
    EXPECT_EQ(face, redrawn);
    // A burst of whole-page draws (a mouse plugged in and out) decodes the picture once.
    window().DrawPage();
    window().DrawPage();
    EXPECT_EQ(face, redrawn);
    EXPECT_EQ(background.fullDecodes(), 1u);

    // The advanced page is laid on its own picture; its frame buttons come back the same way.
    click(QPoint(frame::kNextPage.left + 5, frame::kNextPage.top + 5));
    ASSERT_EQ(window().CurrentPage(), kAdvancedPage);
    EXPECT_TRUE(background.holds(shell->skin().skinDir(), frame::kAdvancedBackground));
    EXPECT_LT(background.heldBytes(), std::size_t(face.sizeInBytes() / 4)) << "the whole basic picture went";
    for (const Region& button : {frame::kPreviousPage, frame::kClose, frame::kOk, frame::kCancel}) {
        window().HandleHover(QPoint(button.left + 5, button.top + 5));
        window().HandleMouseMove(away);
    }
    EXPECT_EQ(background.fullDecodes(), 1u);
    const QImage advanced = face.copy();
    window().DrawPage();
    EXPECT_EQ(face, advanced);
}

} // namespace
} // namespace vexo
