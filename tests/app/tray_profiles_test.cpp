// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The tray menu's profiles through the whole shell, against the simulated mouse: what the menu
// lists when it opens, and what a pick sends to the mouse, saves and shows.
#include <cstdlib>
#include <fstream>

#include "app_shell_fixture.h"
#include "config/profile_document.h"
#include "config/profile_folder.h"
#include "config/profile_ini.h"
#include "ui/basic/basic_page.h"
#include "ui/basic/dpi_rows.h"

namespace vexo {
namespace {

class TrayProfilesTest : public AppShellTest {
protected:
    void SetUp() override {
        AppShellTest::SetUp();
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            oldXdg = old;
        xdg = std::filesystem::path(folder.path().toStdString()) / "xdg";
        ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    }
    void TearDown() override {
        if (oldXdg)
            ::setenv("XDG_CONFIG_HOME", oldXdg->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::path profiles() const { return xdg / "vexo-t58" / "profiles"; }
    void writeFile(const std::string& name, const std::string& text) {
        std::filesystem::create_directories(profiles());
        std::ofstream(profiles() / name, std::ios::binary) << text;
    }
    // A profile that differs from the delivered setup in what the mouse and the page show.
    ProfileContent gameProfile() {
        ConfigStore delivered(locations.configBin());
        EXPECT_EQ(delivered.LoadConfig(), ConfigStore::LoadResult::Loaded);
        ProfileContent c;
        c.firstRunFlag = 1;
        c.record = delivered.record();
        c.record.setReportRate(c.record.reportRate() == 2 ? 4 : 2);
        // Stage 2 on another row of sensor type 3's list than the delivered one.
        c.record.dpiValues()[1] = c.record.dpiValues()[1] == 5 ? 6 : 5;
        c.record.setDpiColour(1, Rgb{0x12, 0x34, 0x56});
        c.labelsA[0] = "Game label";
        c.language = "EN";
        c.skin = "Test";
        c.macros.push_back({"Reload", "1", {"R down 10", "R up 10"}});
        return c;
    }
    std::string configBinBytes() const {
        std::ifstream in(locations.configBin(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::vector<std::string> texts(const std::vector<TrayIcon::MenuEntry>& entries) {
        std::vector<std::string> out;
        for (const auto& e : entries)
            out.push_back(e.text);
        return out;
    }
    static void choose(const std::vector<TrayIcon::MenuEntry>& entries, const std::string& text) {
        for (const auto& e : entries)
            if (e.text == text)
                return e.chosen();
        ADD_FAILURE() << "no menu entry " << text;
    }

    std::filesystem::path xdg;
    std::optional<std::string> oldXdg;
};

TEST_F(TrayProfilesTest, TheMenuListsTheProfilesFoundWhenItOpens) {
    start();
    EXPECT_TRUE(tray.openMenu().empty()) << "no profile folder yet";
    // Saved by another program while the window runs: the next opening shows them, sorted; files
    // that are no profile, or whose name could not be loaded, are not listed.
    writeFile("Work.json", ProfileDocument::Write(gameProfile()));
    writeFile("Game.json", ProfileDocument::Write(gameProfile()));
    writeFile("notes.txt", "not a profile");
    writeFile(".hidden.json", "{}");
    std::filesystem::create_directories(profiles() / "folder.json");
    EXPECT_EQ(texts(tray.openMenu()), (std::vector<std::string>{"Game", "Work"}));
    std::filesystem::remove(profiles() / "Work.json");
    EXPECT_EQ(texts(tray.openMenu()), (std::vector<std::string>{"Game"}));
    EXPECT_EQ(tray.menuText, "Exit");
}

TEST_F(TrayProfilesTest, APickedProfileReachesTheMouseTheFilesAndThePage) {
    start();
    tray.click(TrayIcon::Click::Left);
    ASSERT_EQ(shell->window().CurrentPage(), kBasicPage);
    const ProfileContent game = gameProfile();
    writeFile("Game.json", ProfileDocument::Write(game));
    mouse->clearExchanges();

    choose(tray.openMenu(), "Game");

    // The mouse got the profile's settings, in blocks as the window's Apply builds them.
    const DeviceImage onMouse = mouse->blocks();
    EXPECT_EQ(onMouse.reportRate, game.record.reportRate());
    EXPECT_EQ(onMouse.dpi, DpiImage(game.record, 3));
    EXPECT_EQ(onMouse.keyMatrices[0], KeyMatrixImage(game.record)[0]);
    EXPECT_GT(mouse->exchanges().size(), 20u);
    // Saved: config.bin byte for byte, the labels, the macro; and taken as the applied state.
    std::string expected(1, '\1');
    expected.append(reinterpret_cast<const char*>(game.record.bytes().data()), ConfigRecord::kSize);
    EXPECT_EQ(configBinBytes(), expected);
    EXPECT_TRUE(strIniText().contains("Game label"));
    EXPECT_EQ(ProfileIni(locations.recordIni()).sectionNames(100), std::vector<std::string>{"Reload"});
    EXPECT_TRUE(config.record() == game.record);
    EXPECT_TRUE(config.snapshot() == game.record);
    // The page shown follows: stage 2 shows the profile's DPI value.
    EXPECT_EQ(shell->basicPage().dpiRows().stageText(1), QString::number(*DpiValue(3, game.record.dpiValues()[1])));
    ASSERT_FALSE(tray.notices.empty());
    EXPECT_EQ(tray.notices.back().title, "Info");
    EXPECT_EQ(lastNotice(), "Profile now on the mouse: Game");
    // A Cancel now goes back to the profile, not to what was shown before it.
    config.record().setReportRate(8);
    shell->window().HandleClick({frame::kCancel.left + 2, frame::kCancel.top + 2});
    EXPECT_EQ(config.record().reportRate(), game.record.reportRate());
}

TEST_F(TrayProfilesTest, AProfileInAnotherLanguageSwitchesTheTextsAndSaysSoInIt) {
    start();
    ProfileContent game = gameProfile();
    game.language = "CHS";
    game.labelsA[0] = "游戏";
    writeFile("Game.json", ProfileDocument::Write(game));
    choose(tray.openMenu(), "Game");
    EXPECT_EQ(lastNotice(), SelectTexts("CHS").m_strProfileLoaded + "Game");
    EXPECT_EQ(tray.menuText, SelectTexts("CHS").m_strExit);
    EXPECT_EQ(shell->settings().m_strButtonLabelA[0], "游戏");
    EXPECT_TRUE(strIniText().contains("Lan=CHS"));
}

TEST_F(TrayProfilesTest, ABrokenProfileChangesNothingAndSaysWhy) {
    start();
    tray.click(TrayIcon::Click::Left);
    const std::string before = configBinBytes();
    const QString iniBefore = strIniText();
    ProfileContent bad = gameProfile();
    std::string text = ProfileDocument::Write(bad);
    text.replace(text.find("\"version\""), 9, "\"versoin\"");
    writeFile("Broken.json", text);
    writeFile("Game.json", ProfileDocument::Write(bad));
    mouse->clearExchanges();
    const std::vector<TrayIcon::MenuEntry> menu = tray.openMenu();
    // Deleted between the opening of the menu and the click.
    std::filesystem::remove(profiles() / "Game.json");
    choose(menu, "Game");
    EXPECT_EQ(lastNotice(), "The profile could not be loaded: there is no profile 'Game'");
    choose(menu, "Broken");
    EXPECT_EQ(tray.notices.back().title, "Warning");
    EXPECT_TRUE(lastNotice().starts_with("The profile could not be loaded: ")) << lastNotice();
    EXPECT_NE(lastNotice().find("versoin"), std::string::npos) << lastNotice();
    EXPECT_TRUE(mouse->exchanges().empty());
    EXPECT_EQ(configBinBytes(), before);
    EXPECT_EQ(strIniText(), iniBefore);
    EXPECT_EQ(shell->loadProfile("../escape"), ProfileFolder::CheckName("../escape"));
}

} // namespace
} // namespace vexo
