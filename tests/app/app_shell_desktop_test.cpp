// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The application shell on real desktops: notices' time-outs, the window without a notification
// area or a mouse, boxes open while a later start comes, skin folders, and hover over the real
// basic page.
#include "app_shell_fixture.h"

namespace vexo {
namespace {

TEST_F(AppShellTest, EveryNoticeStaysUpAtLeastFiveSeconds) {
    start(false);
    tray.click(TrayIcon::Click::Left);
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return shell->mousePresent(); }));
    for (std::uint8_t kind : {5, 7, 8, 9}) {
        const std::size_t before = tray.notices.size();
        mouse->pushNotice(kind, 1);
        ASSERT_TRUE(waitFor([&] { return tray.notices.size() > before; }));
    }
    mouse->unplug();
    ASSERT_TRUE(waitFor([&] { return !shell->mousePresent(); }));
    ASSERT_GE(tray.notices.size(), 8u);
    for (const auto& notice : tray.notices)
        EXPECT_GE(notice.timeoutMs, 5000) << notice.text;
    // The presence notices, which asked for a tenth of a second, get the desktop's usual five.
    EXPECT_EQ(tray.notices.front().timeoutMs, 5000);
    EXPECT_EQ(tray.notices.back().timeoutMs, 5000);
}

TEST_F(AppShellTest, WithoutANotificationAreaTheWindowStaysAndTheMouseIsAwaitedOnThePage) {
    tray.offered = false;
    start(false);
    shell->activate();
    ASSERT_TRUE(shell->window().isVisible());
    const QImage& buffer = shell->window().BackBuffer();
    const auto lineDrawn = [&] {
        const Region line = frame::kMouseAbsentLine;
        for (int y = line.top; y < line.bottom; ++y)
            for (int x = line.left; x < line.right; ++x)
                if (buffer.pixel(x, y) != test::SkinFixture::kBasicBackground)
                    return true;
        return false;
    };
    // The frame is drawn without a mouse, and the page says what is missing.
    EXPECT_EQ(buffer.pixel(frame::kOk.left + 1, frame::kOk.top + 1), test::SkinFixture::kNormal);
    EXPECT_EQ(buffer.pixel(frame::kNextPage.left + 1, frame::kNextPage.top + 1), test::SkinFixture::kNormal);
    EXPECT_TRUE(lineDrawn());
    EXPECT_EQ(texts().m_strMouseAbsent, "No gaming mouse is connected. Plug the mouse in to change its settings.");

    // The mouse arriving while the window is shown gets the basic page's first showing, with the
    // first run's labels; the line goes.
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return shell->basicPageReady(); }));
    EXPECT_EQ(shell->window().CurrentPage(), kBasicPage);
    EXPECT_TRUE(strIniText().contains("Item1=Left Click")) << strIniText().toStdString();
    EXPECT_FALSE(lineDrawn());

    // Unplugged: the window stays where it is (no icon could bring it back) and says so again.
    mouse->unplug();
    ASSERT_TRUE(waitFor([&] { return !shell->mousePresent(); }));
    EXPECT_TRUE(shell->window().isVisible());
    EXPECT_TRUE(lineDrawn());
}

// Answers a box by running what the event loop of a real box could deliver meanwhile.
class ReentrantPrompter final : public Prompter {
public:
    std::function<void()> whileOpen;
    std::vector<std::string> shown;
    int depth = 0, deepest = 0;
    void message(const std::string& text, const std::string&) override {
        shown.push_back(text);
        deepest = std::max(deepest, ++depth);
        if (whileOpen)
            whileOpen();
        --depth;
    }
};

TEST_F(AppShellTest, ALaterStartOrAnIconClickWhileAStartUpBoxIsOpenRepeatsNothing) {
    for (const bool withTray : {true, false}) {
        SCOPED_TRACE(withTray ? "with a notification area" : "without one");
        tray.offered = withTray;
        std::filesystem::remove(std::filesystem::path(folder.path().toStdString()) / "config.bin");
        ReentrantPrompter boxes;
        std::size_t exchangesBefore = 0, exchangesAfter = 0;
        boxes.whileOpen = [&] {
            exchangesBefore = mouse->exchanges().size();
            shell->activate();
            shell->activate();
            tray.click(TrayIcon::Click::Left);
            exchangesAfter = mouse->exchanges().size();
        };
        shell = std::make_unique<AppShell>(
            ShellParts{hid, pauser, config, tray, boxes, desktop, &monitor, nullptr, locations, nullptr});
        shell->initialise(!withTray);
        ASSERT_EQ(boxes.shown, std::vector<std::string>{"Config file is not exist."});
        EXPECT_EQ(boxes.deepest, 1);
        EXPECT_EQ(exchangesAfter, exchangesBefore) << "no second exchange with the mouse";
        EXPECT_TRUE(shell->basicPageReady()) << "the start-up's own first showing still ran";
        EXPECT_EQ(shell->window().isVisible(), !withTray);
        shell.reset();
    }
}

TEST_F(AppShellTest, SkinFoldersMatchInAnyCaseAndAMissingOneFallsBackToTheDeliveredSkin) {
    writeStrIni("EN", "tEsT");
    start();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(shell->skin().strSkinName, "Test");
    EXPECT_EQ(shownWindow().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);

    // A deleted skin: the delivered one, with one message.
    const std::filesystem::path skins = std::filesystem::path(folder.path().toStdString()) / "Skins";
    std::filesystem::rename(skins / "Test", skins / "Black");
    writeStrIni("EN", "Gone");
    shell.reset();
    start();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The skin \"Gone\" was not found; the skin \"Black\" is used instead.");
    EXPECT_EQ(shell->skin().strSkinName, "Black");
    EXPECT_EQ(std::filesystem::path(shell->skin().strSkinDir), skins / "Black");
    EXPECT_FALSE(shownWindow().PlainLook());
    EXPECT_TRUE(strIniText().contains("Path=Gone")) << "str.ini keeps the user's choice";

    // No skin at all: one message, and a plain window that is still drawn and centred.
    std::filesystem::remove_all(skins);
    shell.reset();
    prompter.shown.clear();
    start();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(prompter.shown[0].text).startsWith("No skin was found"));
    EXPECT_TRUE(shownWindow().PlainLook());
    EXPECT_EQ(shell->window().size(), QSize(880, 650));
    EXPECT_NE(shell->window().BackBuffer().pixel(frame::kOk.left + 2, frame::kOk.top + 2),
              CMainDialog::kPlainBackground);
}

// The real basic page under the pointer, with each delivered skin: ten passes over every hover
// region of the frame and the page leave the window exactly as it was drawn.
TEST_F(AppShellTest, TenHoverPassesOverTheBasicPageLeaveNoTraceWithTheDeliveredSkins) {
    const std::filesystem::path skins = std::filesystem::path(folder.path().toStdString()) / "Skins";
    const std::filesystem::path delivered =
        std::filesystem::path(qgetenv("VEXO_BUILD_DIR").toStdString()) / "bin/Skins";
    std::vector<Region> regions = {frame::kOk,           frame::kApply,    frame::kCancel,
                                   frame::kSkins,        frame::kClose,    frame::kMinimise,
                                   frame::kPreviousPage, frame::kNextPage, basic::kKeyDefault};
    for (int k = 0; k < 8; ++k)
        regions.push_back(basic::FunctionBox(k));
    for (const char* name : {"Black", "Blue"}) {
        SCOPED_TRACE(name);
        std::filesystem::create_directory_symlink(delivered / name, skins / name);
        writeStrIni("EN", name);
        shell.reset();
        start();
        tray.click(TrayIcon::Click::Left);
        CMainDialog& window = shell->window();
        ASSERT_EQ(shell->window().CurrentPage(), kBasicPage);
        const QPoint away(700, 140);
        window.HandleMouseMove(away);
        const QImage first = window.BackBuffer().copy();
        for (const Region& r : regions) {
            const QPoint p(r.left + 3, r.top + 3);
            for (int pass = 0; pass < 10; ++pass) {
                window.HandleMouseMove(p);
                window.HandleHover(p);
                window.HandleMouseMove(away);
            }
            EXPECT_EQ(window.BackBuffer(), first) << "region at " << r.left << "," << r.top;
        }
        // Down the column of function boxes, each lighting in turn.
        for (int k = 0; k < 8; ++k) {
            const QPoint p(basic::FunctionBox(k).left + 3, basic::FunctionBox(k).top + 3);
            window.HandleMouseMove(p);
            window.HandleHover(p);
        }
        window.HandleMouseMove(away);
        EXPECT_EQ(window.BackBuffer(), first);
    }
}

} // namespace
} // namespace vexo
