// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The main window as a user meets it: hover that leaves no trace with any skin, a window that
// cannot be lost without a notification area, the frame without a mouse, and the plain look of a
// skin without a background.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "ui/qt_test_main.h"
#include "ui/recording_frame_actions.h"
#include "ui/skin/skin_context.h"
#include "ui/skin_fixture.h"
#include "skin_set.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/frame/page_content.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {
namespace {

using test::SkinFixture;

// A page with one drop-down box that lights under the pointer, drawn from the skin like the basic
// page's button function boxes.
class BoxPage final : public PageContent {
public:
    void build() override {}
    explicit BoxPage(SkinContext& skin) : skin_(skin) {}
    void draw(QPainter& canvas) override {
        DrawSkinImage(&canvas, skin_, "/DropdownBox-normal.png", kBox.left, kBox.top);
    }
    void tearDown() override {}
    bool click(QPoint) override { return false; }
    QRegion backgroundParts() const override { return {}; }
    std::vector<HoverTracker::Item> hoverItems() override {
        return {{frame::kFirstPageId, kBox, frame::kFirstPageGroup, [this](QPainter& canvas, bool over) {
                     DrawSkinImage(&canvas, skin_, over ? "/DropdownBox-over.png" : "/DropdownBox-normal.png",
                                   kBox.left, kBox.top);
                 }}};
    }
    std::vector<DropDownList*> dropDowns() override { return {}; }

    static constexpr Region kBox{38, 160, 143, 181};

private:
    SkinContext& skin_;
};

class MainDialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override { test::TestApp(); }
    void open(const QString& skinDir, bool tray = true) {
        window.reset();
        skinContext.strSkinDir = skinDir.toStdString();
        skinContext.images().clear();
        window = std::make_unique<CMainDialog>(skinContext, actions, tray);
        window->m_strOk = "OK";
        window->m_strApply = "Apply";
        window->m_strCancel = "Cancel";
        window->m_strBasicSettings = "Basic Settings";
        window->m_strMouseAbsent = "No gaming mouse is connected.";
        window->LoadBackground();
        window->SetPageContent(kBasicPage, &page);
        window->ShowBasicPage();
        window->show();
        actions.calls.clear();
    }
    void hoverAt(QPoint p) {
        window->HandleMouseMove(p);
        window->HandleHover(p);
    }
    static QPoint inside(const Region& r) { return QPoint(r.left + 2, r.top + 2); }
    // Pixels of a and b that differ inside area.
    static int differing(const QImage& a, const QImage& b, const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += a.pixel(x, y) != b.pixel(x, y);
        return count;
    }
    // Pixels inside area that are not the colour c.
    static int notColoured(const QImage& image, const QRect& area, QRgb c) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) != c;
        return count;
    }

    SkinContext skinContext;
    test::RecordingFrameActions actions;
    BoxPage page{skinContext};
    std::unique_ptr<CMainDialog> window;
};

// Ten passes over every hover-sensitive region must leave the window exactly as it was drawn, for
// each delivered skin and for a skin whose over pictures are larger than its normal ones (a glow
// around the button that the normal picture does not cover).
TEST_F(MainDialogWindowTest, TenHoverPassesLeaveEveryRegionAsItWasWithEverySkin) {
    QTemporaryDir root;
    std::vector<QString> skins;
    for (const skingen::Palette& palette : skingen::Palette::all()) {
        QString error;
        ASSERT_TRUE(skingen::writeSkin(palette, root.path() + "/" + palette.name, &error)) << error.toStdString();
        skins.push_back(root.path() + "/" + palette.name);
    }
    ASSERT_GE(skins.size(), 2u);
    // Over pictures 8 pixels larger all round than the normal ones, a translucent red glow with
    // the button in the middle; drawn at the region's corner they reach past its right and bottom.
    SkinFixture glowing;
    const auto glow = [&](const QString& name, int w, int h) {
        QImage over(w + 16, h + 16, QImage::Format_ARGB32);
        over.fill(QColor(255, 0, 0, 90));
        for (int y = 8; y < h + 8; ++y)
            for (int x = 8; x < w + 8; ++x)
                over.setPixelColor(x, y, QColor(230, 40, 40));
        over.save(glowing.path() + name);
        glowing.write(QString(name).replace("-over", "-normal"), w / 2, h / 2, QColor(SkinFixture::kNormal));
    };
    glow("/button-over.png", 105, 21);
    for (const char* name : {"min", "close", "Skins"})
        glow(QString("/button-%1-over.png").arg(name), 18, 18);
    for (const char* name : {"PrePage", "NextPage"})
        glow(QString("/button-%1-over.png").arg(name), 40, 40);
    glow("/DropdownBox-over.png", 105, 21);
    skins.push_back(glowing.path());

    using namespace frame;
    const std::vector<std::pair<const char*, Region>> regions = {{"OK", kOk},
                                                                 {"Apply", kApply},
                                                                 {"Cancel", kCancel},
                                                                 {"Skins", kSkins},
                                                                 {"Close", kClose},
                                                                 {"Minimise", kMinimise},
                                                                 {"Previous page", kPreviousPage},
                                                                 {"Next page", kNextPage},
                                                                 {"function box", BoxPage::kBox}};
    const QPoint away(500, 300);
    for (const QString& skin : skins) {
        open(skin);
        const QImage first = window->BackBuffer().copy();
        const QRect whole = first.rect();
        for (const auto& [name, region] : regions) {
            for (int pass = 0; pass < 10; ++pass) {
                hoverAt(inside(region));
                if (pass == 0) {
                    EXPECT_GT(differing(window->BackBuffer(), first, whole), 0) << name << ": the over look shows";
                }
                window->HandleMouseMove(away);
            }
            EXPECT_EQ(differing(window->BackBuffer(), first, whole), 0) << name << " in " << skin.toStdString();
        }
        // Along the row of text buttons, each lighting in turn, and off again.
        for (int pass = 0; pass < 10; ++pass) {
            for (const Region& r : {kOk, kApply, kCancel, kApply})
                hoverAt(inside(r) + QPoint(10, 0));
            window->HandleMouseMove(away);
        }
        EXPECT_EQ(differing(window->BackBuffer(), first, whole), 0) << "text buttons in " << skin.toStdString();
        // Straight from one group's region to another's: the one left returns to its first look,
        // glow included, and only the one under the pointer shows its over look.
        hoverAt(inside(kClose));
        hoverAt(inside(kMinimise));
        const QImage titleBarLit = window->BackBuffer().copy();
        EXPECT_GT(differing(titleBarLit, first, QRect(690, 0, 190, 50)), 0);
        hoverAt(inside(kOk));
        hoverAt(inside(kApply));
        EXPECT_EQ(differing(window->BackBuffer(), first, QRect(690, 0, 190, 50)), 0) << skin.toStdString();
        EXPECT_EQ(window->Hover().shownIds(), std::vector<int>{kHoverApply});
        window->HandleMouseMove(away);
        EXPECT_EQ(differing(window->BackBuffer(), first, whole), 0) << "mixed groups in " << skin.toStdString();
        // Every restore came from the parts of the background kept aside (over looks measured,
        // glow and all), a small share of the picture; none needed the whole picture again.
        const PageBackground& background = skinContext.pageBackground();
        EXPECT_EQ(background.fullDecodes(), 0u) << skin.toStdString();
        EXPECT_LT(background.heldBytes(), std::size_t(first.sizeInBytes() / 8)) << skin.toStdString();
    }
}

TEST_F(MainDialogWindowTest, WithoutANotificationAreaNothingHidesTheWindow) {
    SkinFixture skin;
    open(skin.path(), false);
    actions.present = true;
    using namespace frame;
    const auto restore = [&] {
        window->showNormal();
        ASSERT_FALSE(window->isMinimized());
    };
    // Minimise, OK, Cancel, Enter and Esc minimise: the window stays in the task bar.
    window->HandleClick(inside(kMinimise));
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    restore();
    window->HandleClick(inside(kOk) + QPoint(10, 0));
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"applyConfig", "takeSnapshot", "applyDesktopSettings"}));
    restore();
    actions.calls.clear();
    window->HandleClick(inside(kCancel) + QPoint(10, 0));
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(actions.calls, std::vector<std::string>{"restoreSnapshot"});
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        restore();
        QTest::keyClick(window.get(), key);
        EXPECT_TRUE(window->isMinimized());
        EXPECT_TRUE(window->isVisible());
    }
    // Closing it (Alt+F4, the window manager's close) ends the program as Exit would.
    restore();
    actions.calls.clear();
    window->close();
    EXPECT_EQ(actions.calls, std::vector<std::string>{"shutdown"});

    // With a notification area the same buttons hide it, and closing only hides.
    open(skin.path(), true);
    window->HandleClick(inside(kMinimise));
    EXPECT_FALSE(window->isVisible());
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(MainDialogWindowTest, WithoutAMouseTheFrameIsDrawnAndThePageSaysSo) {
    SkinFixture skin;
    skinContext.strSkinDir = skin.path().toStdString();
    window = std::make_unique<CMainDialog>(skinContext, actions, false);
    window->m_strOk = "OK";
    window->m_strBasicSettings = "Basic Settings";
    window->m_strMouseAbsent = "No gaming mouse is connected.";
    ASSERT_TRUE(window->LoadBackground());
    // No page: the frame alone, as the start-up without a mouse draws it.
    window->DrawPage();
    const QImage& buffer = window->BackBuffer();
    using namespace frame;
    for (const Region& r : {kOk, kApply, kCancel, kSkins, kClose, kMinimise, kPreviousPage, kNextPage})
        EXPECT_EQ(buffer.pixel(r.left + 1, r.top + 1), SkinFixture::kNormal);
    EXPECT_GT(notColoured(buffer, kPageTitle.rect(), SkinFixture::kBasicBackground), 20) << "the title is drawn";
    EXPECT_GT(notColoured(buffer, kMouseAbsentLine.rect(), SkinFixture::kBasicBackground), 20) << "the line is drawn";
    // The line is in the text colour.
    bool textColoured = false;
    for (int y = kMouseAbsentLine.top; y < kMouseAbsentLine.bottom; ++y)
        for (int x = kMouseAbsentLine.left; x < kMouseAbsentLine.left + 200; ++x)
            textColoured |= buffer.pixel(x, y) == qRgb(0, 255, 0);
    EXPECT_TRUE(textColoured);

    // Once the mouse is there the line goes, with the next drawing of the page.
    actions.present = true;
    window->DrawPage();
    EXPECT_EQ(notColoured(window->BackBuffer(), kMouseAbsentLine.rect(), SkinFixture::kBasicBackground), 0);
}

TEST_F(MainDialogWindowTest, ASkinWithoutBackgroundGivesAPlainCentredWindowThatCanBeUsed) {
    open("/nonexistent-skin", false);
    EXPECT_TRUE(window->PlainLook());
    EXPECT_EQ(window->size(), QSize(880, 650));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->geometry().center(), screen.center());
    const QImage& buffer = window->BackBuffer();
    ASSERT_FALSE(buffer.isNull());
    EXPECT_EQ(buffer.pixel(500, 300), CMainDialog::kPlainBackground);
    using namespace frame;
    // Every frame button has a face and its caption or sign; the pointer lights it.
    for (const Region& r : {kOk, kApply, kCancel, kSkins, kClose, kMinimise, kPreviousPage, kNextPage}) {
        EXPECT_NE(buffer.pixel(r.left + 2, r.top + 2), CMainDialog::kPlainBackground);
        const QRgb normal = buffer.pixel(r.left + 2, r.top + 2);
        hoverAt(inside(r));
        EXPECT_NE(window->BackBuffer().pixel(r.left + 2, r.top + 2), normal);
        window->HandleMouseMove(QPoint(500, 300));
        EXPECT_EQ(window->BackBuffer().pixel(r.left + 2, r.top + 2), normal);
    }
    EXPECT_GT(notColoured(buffer, kOk.rect().adjusted(2, 2, -2, -2), buffer.pixel(kOk.left + 2, kOk.top + 2)), 10)
        << "the caption is drawn";
    EXPECT_GT(notColoured(buffer, kMouseAbsentLine.rect(), CMainDialog::kPlainBackground), 20);
    // It can be closed.
    window->HandleClick(inside(kClose));
    EXPECT_EQ(actions.calls, std::vector<std::string>{"shutdown"});
}

} // namespace
} // namespace vexo
