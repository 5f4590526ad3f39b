// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The main window's frame: page switching, click dispatch, hover, dragging, keys.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <utility>

#include "ui/qt_test_main.h"
#include "ui/recording_frame_actions.h"
#include "ui/skin_fixture.h"
#include "ui/skin/drop_down_list.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/frame/page_content.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {
namespace {

using test::SkinFixture;

// A page with one region that takes clicks, one hover region and one drop-down.
class RecordingPage final : public PageContent {
public:
    explicit RecordingPage(QWidget* owner)
        : list(
              owner, {41, Region{300, 200, 400, 220}, QRect(300, 220, 100, 60)},
              [] {
                  return QStringList{"a", "b"};
              },
              [this](int row) { chosen.push_back(row); }) {}
    void build() override { ++builds; }
    void draw(QPainter&) override { ++draws; }
    void tearDown() override {
        ++teardowns;
        list.close();
    }
    bool click(QPoint p) override {
        if (list.layout().box.contains(p)) {
            list.clickBox();
            return true;
        }
        return kTaken.contains(p);
    }
    QRegion backgroundParts() const override { return {}; }
    std::vector<HoverTracker::Item> hoverItems() override {
        return {{frame::kFirstPageId, kTaken, frame::kFirstPageGroup, nullptr}};
    }
    std::vector<DropDownList*> dropDowns() override { return {&list}; }

    static constexpr Region kTaken{200, 300, 260, 330};
    int builds = 0, draws = 0, teardowns = 0;
    std::vector<int> chosen;
    DropDownList list;
};

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        skinContext.strSkinDir = skin.path().toStdString();
        window = std::make_unique<CMainDialog>(skinContext, actions);
        window->m_strOk = "OK";
        window->m_strApply = "Apply";
        window->m_strCancel = "Cancel";
        window->m_strBasicSettings = "Basic Settings";
        window->m_strAdvancedSettings = "Advanced Settings";
        ASSERT_TRUE(window->LoadBackground());
        basic = std::make_unique<RecordingPage>(window.get());
        advanced = std::make_unique<RecordingPage>(window.get());
        window->SetPageContent(kBasicPage, basic.get());
        window->SetPageContent(kAdvancedPage, advanced.get());
        window->ShowBasicPage();
        window->show();
        actions.calls.clear();
    }
    QRgb pixelAt(const Region& r) const { return window->BackBuffer().pixel(r.left + 1, r.top + 1); }
    void hoverAt(QPoint p) {
        window->HandleMouseMove(p);
        window->HandleHover(p);
    }
    static QPoint inside(const Region& r) { return QPoint(r.left + 2, r.top + 2); }

    SkinFixture skin;
    SkinContext skinContext;
    test::RecordingFrameActions actions;
    std::unique_ptr<CMainDialog> window;
    std::unique_ptr<RecordingPage> basic, advanced;
};

TEST_F(MainDialogTest, WindowTakesTheBackgroundSizeAndPagesDrawTheirBackground) {
    skin.write("/BasicSet2.png", 700, 500, QColor(SkinFixture::kBasicBackground));
    skinContext.images().clear();
    ASSERT_TRUE(window->LoadBackground());
    EXPECT_EQ(window->size(), QSize(700, 500));
    EXPECT_EQ(window->BackBuffer().format(), QImage::Format_ARGB32_Premultiplied);

    skinContext.strSkinDir = "/nonexistent-skin";
    EXPECT_FALSE(window->LoadBackground());
    EXPECT_TRUE(window->PlainLook());
    window->HandleClick(inside(frame::kNextPage));
    EXPECT_EQ(window->CurrentPage(), kAdvancedPage);
}

TEST_F(MainDialogTest, PageSwitchProtocolBuildsOnceAndTearsTheOtherPageDown) {
    EXPECT_EQ(window->CurrentPage(), kBasicPage);
    EXPECT_EQ(basic->builds, 1);
    // Entering a page always asks the other one to remove whatever controls it has.
    EXPECT_EQ(advanced->teardowns, 1);
    EXPECT_EQ(basic->teardowns, 0);
    EXPECT_EQ(pixelAt(Region{500, 300, 501, 301}), SkinFixture::kBasicBackground);
    EXPECT_EQ(pixelAt(frame::kOk), SkinFixture::kNormal);

    window->ShowBasicPage(); // already shown: nothing happens
    EXPECT_EQ(basic->builds, 1);
    EXPECT_EQ(basic->draws, 1);

    window->HandleClick(inside(frame::kNextPage));
    EXPECT_EQ(window->CurrentPage(), kAdvancedPage);
    EXPECT_EQ(basic->teardowns, 1);
    EXPECT_EQ(advanced->builds, 1);
    EXPECT_EQ(pixelAt(Region{500, 300, 501, 301}), SkinFixture::kAdvancedBackground);

    window->HandleClick(inside(frame::kPreviousPage));
    EXPECT_EQ(window->CurrentPage(), kBasicPage);
    EXPECT_EQ(advanced->teardowns, 2);
    EXPECT_EQ(basic->builds, 2);

    // The rebuild sequence tears the shown page down and builds it again.
    window->RebuildCurrentPage();
    EXPECT_EQ(window->CurrentPage(), kBasicPage);
    EXPECT_EQ(basic->teardowns, 2);
    EXPECT_EQ(basic->builds, 3);
    EXPECT_EQ(advanced->builds, 1);
}

TEST_F(MainDialogTest, OkAndApplyAreInertWithoutAMouseAndNeverDrag) {
    QSignalSpy moves(window.get(), &CMainDialog::moveRequested);
    window->HandleClick(inside(frame::kOk));
    window->HandleClick(inside(frame::kApply));
    EXPECT_TRUE(actions.calls.empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(moves.count(), 0);
}

TEST_F(MainDialogTest, ApplyAndOkRunTheWholeApplyWithAMouse) {
    actions.present = true;
    window->HandleClick(inside(frame::kApply));
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"applyConfig", "takeSnapshot", "applyDesktopSettings"}));
    EXPECT_TRUE(window->isVisible());
    actions.calls.clear();
    window->HandleClick(inside(frame::kOk));
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"applyConfig", "takeSnapshot", "applyDesktopSettings"}));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainDialogTest, WhileAnApplyIsSavingTheWindowTakesNoInputAndTheSnapshotWaits) {
    actions.present = true;
    actions.holdApply = true;
    window->HandleClick(inside(frame::kApply));
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"applyConfig"}));
    EXPECT_TRUE(window->ApplyRunning());
    EXPECT_FALSE(window->isEnabled());
    // No second Apply, no Cancel, no page change while the first one saves.
    window->HandleClick(inside(frame::kApply));
    window->HandleClick(inside(frame::kCancel));
    window->HandleClick(inside(frame::kNextPage));
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"applyConfig"}));
    ASSERT_TRUE(actions.pendingApply);
    std::exchange(actions.pendingApply, {})();
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"applyConfig", "takeSnapshot", "applyDesktopSettings"}));
    EXPECT_FALSE(window->ApplyRunning());
    EXPECT_TRUE(window->isEnabled());
    window->HandleClick(inside(frame::kApply));
    EXPECT_EQ(actions.calls.size(), 4u);
}

TEST_F(MainDialogTest, AClickOnAColumnTwoButtonsShareRunsBoth) {
    actions.present = true;
    const std::vector<std::string> apply{"applyConfig", "takeSnapshot", "applyDesktopSettings"};
    ASSERT_TRUE(frame::kOk.contains(QPoint(frame::kApply.left, frame::kApply.top + 2)));
    window->HandleClick(QPoint(frame::kApply.left, frame::kApply.top + 2)); // OK, then Apply
    std::vector<std::string> twice = apply;
    twice.insert(twice.end(), apply.begin(), apply.end());
    EXPECT_EQ(actions.calls, twice);
    EXPECT_FALSE(window->isVisible());

    window->show();
    actions.calls.clear();
    ASSERT_TRUE(frame::kApply.contains(QPoint(frame::kCancel.left, frame::kCancel.top + 2)));
    window->HandleClick(QPoint(frame::kCancel.left, frame::kCancel.top + 2)); // Apply, then Cancel
    std::vector<std::string> applyThenCancel = apply;
    applyThenCancel.push_back("restoreSnapshot");
    EXPECT_EQ(actions.calls, applyThenCancel);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainDialogTest, TheFirstShowingOfTheBasicPageWithAMouseReadsItWhicheverWayItComes) {
    // Shown at start without a mouse: nothing could be read.
    EXPECT_FALSE(actions.synced);
    actions.present = true;
    window->HandleClick(inside(frame::kNextPage));
    EXPECT_TRUE(actions.calls.empty());
    window->HandleClick(inside(frame::kPreviousPage));
    EXPECT_TRUE(actions.synced);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"prepareBasicPage"}));
    EXPECT_EQ(basic->builds, 2);

    // Read while the page is already on screen (the mouse came later): the page is drawn again.
    actions.synced = false;
    const int draws = basic->draws;
    window->ShowBasicPage();
    EXPECT_EQ(basic->builds, 3);
    EXPECT_GT(basic->draws, draws);
    // Nothing new to read: nothing happens.
    window->ShowBasicPage();
    EXPECT_EQ(basic->builds, 3);
}

TEST_F(MainDialogTest, TheWebLinkOpensTheTextTablesHostAndNothingWithoutOne) {
    window->m_strWebAddress = "";
    window->HandleClick(inside(frame::kWebLink));
    EXPECT_TRUE(actions.calls.empty());
    window->m_strWebAddress = "https://shop.vexo-gaming.example/t58";
    window->HandleClick(inside(frame::kWebLink));
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"openUrl https://shop.vexo-gaming.example/t58"}));
}

TEST_F(MainDialogTest, EveryOtherFrameRegionDoesItsOwnThing) {
    QSignalSpy moves(window.get(), &CMainDialog::moveRequested);
    window->m_strWebAddress = "www.vexo-gaming.example";
    window->HandleClick(inside(frame::kSkins));
    window->HandleClick(inside(frame::kWebLink));
    window->HandleClick(inside(frame::kClose));
    EXPECT_EQ(actions.calls,
              (std::vector<std::string>{"openSkinPicker", "openUrl https://www.vexo-gaming.example", "shutdown"}));
    EXPECT_TRUE(window->isVisible());

    window->HandleClick(inside(frame::kMinimise));
    EXPECT_FALSE(window->isVisible());

    window->show();
    actions.calls.clear();
    window->HandleClick(inside(frame::kCancel)); // works without a mouse
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"restoreSnapshot"}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(window->LastClick(), inside(frame::kCancel));
}

TEST_F(MainDialogTest, OnlyClicksNoRegionTakesDragTheWindowOnceThePointerMoves) {
    QSignalSpy moves(window.get(), &CMainDialog::moveRequested);
    const int distance = QApplication::startDragDistance();
    const auto drag = [&](QPoint from) {
        window->HandleClick(from);
        window->HandleDrag(from + QPoint(distance, 0), Qt::LeftButton);
    };
    drag(inside(RecordingPage::kTaken));
    EXPECT_FALSE(window->MovePending());
    drag(QPoint(frame::kClose.right, frame::kClose.top)); // right edge is outside
    EXPECT_EQ(moves.count(), 1);
    // A click that does not move is only a click.
    window->HandleClick(QPoint(500, 300));
    EXPECT_TRUE(window->MovePending());
    EXPECT_TRUE(window->HandleDrag(QPoint(500 + distance - 1, 300), Qt::LeftButton));
    EXPECT_EQ(moves.count(), 1);
    // The button let go before the pointer went far enough: no move, now or later.
    EXPECT_FALSE(window->HandleDrag(QPoint(500 + 5 * distance, 300), Qt::NoButton));
    EXPECT_FALSE(window->MovePending());
    EXPECT_FALSE(window->HandleDrag(QPoint(500 + 6 * distance, 300), Qt::LeftButton));
    EXPECT_EQ(moves.count(), 1);
    drag(QPoint(500, 300));
    EXPECT_EQ(moves.count(), 2);
    // With no page shown every click outside the frame drags.
    window->SetPageContent(kBasicPage, nullptr);
    window->RebuildCurrentPage();
    drag(inside(RecordingPage::kTaken));
    EXPECT_EQ(moves.count(), 3);
    // Real events go the same way: press, a short move, release is a click; a long move drags.
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(600, 400));
    QMouseEvent shortMove(QEvent::MouseMove, QPointF(601, 400), window->mapToGlobal(QPointF(601, 400)), Qt::NoButton,
                          Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &shortMove);
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(601, 400));
    EXPECT_EQ(moves.count(), 3);
    EXPECT_FALSE(window->MovePending());
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(600, 400));
    QMouseEvent longMove(QEvent::MouseMove, QPointF(600, 400 + distance),
                         window->mapToGlobal(QPointF(600, 400 + distance)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &longMove);
    EXPECT_EQ(moves.count(), 4);
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(600, 400 + distance));
    QTest::mousePress(window.get(), Qt::RightButton, {}, QPoint(600, 400));
    EXPECT_FALSE(window->MovePending());
}

TEST_F(MainDialogTest, HoverShowsOneOverImageAtATime) {
    using namespace frame;
    hoverAt(inside(kOk));
    EXPECT_EQ(pixelAt(kOk), SkinFixture::kOver);
    // Straight from OK onto Apply: Apply lights, OK returns to normal in the same redraw.
    hoverAt(inside(kApply) + QPoint(10, 0));
    EXPECT_EQ(pixelAt(kApply), SkinFixture::kOver);
    EXPECT_EQ(pixelAt(kOk), SkinFixture::kNormal);
    // And back: OK lights again.
    hoverAt(inside(kOk));
    EXPECT_EQ(pixelAt(kOk), SkinFixture::kOver);
    EXPECT_EQ(pixelAt(kApply), SkinFixture::kNormal);
    EXPECT_TRUE(window->Hover().item(kHoverOk)->overShown);
    EXPECT_FALSE(window->Hover().item(kHoverApply)->overShown);

    // Onto a button of another group: only the one under the pointer stays lit.
    hoverAt(inside(kSkins));
    EXPECT_EQ(pixelAt(kSkins), SkinFixture::kOver);
    EXPECT_EQ(pixelAt(kOk), SkinFixture::kNormal);
    EXPECT_EQ(window->Hover().shownIds(), std::vector<int>{kHoverSkins});

    // A non-sensitive point returns everything to normal.
    window->HandleMouseMove(QPoint(500, 300));
    for (const Region& r : {kOk, kApply, kCancel, kSkins, kClose, kMinimise, kPreviousPage, kNextPage})
        EXPECT_EQ(pixelAt(r), SkinFixture::kNormal);
    EXPECT_FALSE(window->Hover().item(kHoverOk)->pointerOver);

    // Every frame region lights on its own.
    for (const Region& r : {kCancel, kClose, kMinimise, kPreviousPage, kNextPage}) {
        hoverAt(inside(r));
        EXPECT_EQ(pixelAt(r), SkinFixture::kOver);
    }
}

TEST_F(MainDialogTest, RepeatedHoverNoticesDrawNothingNewAndMissingOverImagesKeepTheCaption) {
    using namespace frame;
    hoverAt(inside(kCancel));
    ASSERT_EQ(pixelAt(kCancel), SkinFixture::kOver);
    // Paint the region by hand: a second notice for the same region must not redraw it.
    {
        QImage& buffer = const_cast<QImage&>(window->BackBuffer());
        buffer.setPixel(kCancel.left + 1, kCancel.top + 1, qRgb(1, 1, 1));
    }
    hoverAt(inside(kCancel) + QPoint(1, 1));
    EXPECT_EQ(pixelAt(kCancel), qRgb(1, 1, 1));

    window->HandleMouseMove(QPoint(500, 300));
    skin.remove("/button-over.png");
    hoverAt(inside(kApply));
    EXPECT_EQ(pixelAt(kApply), SkinFixture::kNormal);
    EXPECT_TRUE(window->Hover().item(kHoverApply)->overShown);
}

TEST_F(MainDialogTest, EnterAndEscHideTheWindowFromItsChildrenToo) {
    QSignalSpy hidden(window.get(), &CMainDialog::hiddenByKey);
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    window->show();
    auto* edit = new QLineEdit(window.get());
    edit->show();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    window->show();
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(edit->text(), "a");
    EXPECT_EQ(hidden.count(), 2);
    // Closing only hides.
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainDialogTest, DropDownOpensClosesFollowsThePointerAndChoosesOnce) {
    DropDownList& list = basic->list;
    const QPoint box(310, 205);
    window->HandleClick(box);
    ASSERT_TRUE(list.isOpen());
    QListWidget* control = list.list();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->objectName(), "41");
    EXPECT_EQ(control->count(), 2);
    EXPECT_EQ(control->geometry(), QRect(300, 220, 100, 60));

    window->HandleClick(box); // a second click on the box closes
    EXPECT_FALSE(list.isOpen());
    EXPECT_EQ(list.list(), nullptr);

    window->HandleClick(box);
    control = list.list();
    window->HandleClick(QPoint(350, 250)); // inside the list rectangle: stays open
    EXPECT_TRUE(list.isOpen());
    window->HandleClick(QPoint(600, 400)); // anywhere else closes
    EXPECT_FALSE(list.isOpen());
    EXPECT_TRUE(basic->chosen.empty());

    window->HandleClick(box);
    control = list.list();
    const QRect second = control->visualItemRect(control->item(1));
    QTest::mouseMove(control->viewport(), second.center());
    EXPECT_EQ(control->currentRow(), 1);
    EXPECT_TRUE(basic->chosen.empty()); // following the pointer is not a choice
    const QRect first = control->visualItemRect(control->item(0));
    for (Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(control->viewport(), other, {}, first.center());
        QTest::mouseDClick(control->viewport(), other, {}, first.center());
    }
    EXPECT_TRUE(basic->chosen.empty()) << "only the left button chooses";
    EXPECT_TRUE(list.isOpen());
    QTest::mouseMove(control->viewport(), second.center());
    QTest::mousePress(control->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(basic->chosen, std::vector<int>{1});
    EXPECT_FALSE(list.isOpen());

    // A double click on the box is one click: the list opens and stays open. (Through the window
    // system, so that the second press arrives as the double click it is.)
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, box);
    EXPECT_TRUE(list.isOpen());
    window->HandleClick(box);
    ASSERT_FALSE(list.isOpen());

    // Leaving the page closes an open list.
    window->HandleClick(box);
    window->ShowAdvancedPage();
    EXPECT_FALSE(list.isOpen());
}

} // namespace
} // namespace vexo
