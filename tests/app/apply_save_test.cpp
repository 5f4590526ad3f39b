// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The window's Apply writes its files on another thread: the event loop keeps turning meanwhile,
// the window takes no second Apply, what is saved is whole, a failure is told as before, and the end
// of the program waits for the save.
#include <QTimer>
#include <string>

#include "app_shell_fixture.h"
#include "config/ini_settings.h"

namespace vexo {
namespace {

class ApplySaveTest : public AppShellTest {
protected:
    std::filesystem::path dir() const { return folder.path().toStdString(); }
    // About 32 MB of one-key sections and no language section: the labels' save reads all of it,
    // appends the section at the end and writes all of it again.
    static std::string HugeStrIni() {
        std::string text = "[Skins]\r\nLan=EN\r\nPath=Test\r\n";
        constexpr std::size_t kBytes = 32u * 1024 * 1024;
        text.reserve(kBytes + 64);
        for (std::size_t n = 0; text.size() < kBytes; ++n)
            text += "[s" + std::to_string(n % 100000) + "]\r\nk=v\r\n";
        return text;
    }
    void clickApply() { shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2}); }
    std::size_t leftoverTemporaries() const {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir())) {
            const std::string name = entry.path().filename().string();
            count += (name.starts_with("str.ini.") || name.starts_with("config.bin.")) ? 1 : 0;
        }
        return count;
    }
};

TEST_F(ApplySaveTest, TheEventLoopTurnsWhileAHugeStrIniIsSavedAndTheResultIsWhole) {
    start(true, true);
    ASSERT_TRUE(shell->window().isVisible());
    // The huge file arrives after the start, as another program's edit would.
    const std::string huge = HugeStrIni();
    test::TempDir::put(dir() / "str.ini", huge);
    config.record().setReportRate(4);
    prompter.shown.clear();

    int ticksWhileSaving = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ticksWhileSaving += shell->window().ApplyRunning() ? 1 : 0; });
    timer.start(1);
    clickApply();
    // The click is over while the files are still being written; the window waits for them.
    ASSERT_TRUE(shell->window().ApplyRunning());
    EXPECT_FALSE(shell->window().isEnabled());
    // A second Apply meanwhile starts nothing.
    const std::size_t exchangesAfterFirst = mouse->exchanges().size();
    clickApply();
    EXPECT_EQ(mouse->exchanges().size(), exchangesAfterFirst);
    ASSERT_TRUE(applyFinished(60000));
    timer.stop();
    EXPECT_GT(ticksWhileSaving, 2) << "the event loop did not turn during the save";
    EXPECT_TRUE(shell->window().isEnabled());
    EXPECT_EQ(config.snapshot().reportRate(), 4);
    EXPECT_EQ(exchanges, std::vector<std::string>{"desktop"}); // the desktop settings after the save
    for (const auto& box : prompter.shown)
        ADD_FAILURE() << "unexpected message: " << box.text;

    // Every line of the file is kept, and the labels follow it.
    const std::string after = test::TempDir::take(dir() / "str.ini");
    ASSERT_GT(after.size(), huge.size());
    EXPECT_EQ(after.compare(0, huge.size(), huge), 0);
    ProfileIni saved(dir() / "str.ini");
    EXPECT_EQ(saved.readString("Setting-EN", IniSettings::LabelKey(KeyMode::A, 0), "missing"),
              shell->settings().m_strButtonLabelA[0]);
    EXPECT_EQ(saved.readString("Setting-EN", IniSettings::LabelKey(KeyMode::B, 11), "missing"),
              shell->settings().m_strButtonLabelB[11]);
    EXPECT_EQ(firstRunByte(), 1);
    ConfigStore reread(locations.configBin());
    ASSERT_EQ(reread.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(reread.record().reportRate(), 4);
    EXPECT_EQ(leftoverTemporaries(), 0u);
}

TEST_F(ApplySaveTest, TheEndOfTheProgramWaitsForASaveStillRunning) {
    start(true, true);
    const std::string huge = HugeStrIni();
    test::TempDir::put(dir() / "str.ini", huge);
    config.record().setReportRate(2);
    clickApply();
    ASSERT_TRUE(shell->window().ApplyRunning());
    // The tray menu's Exit while the files are written: it returns only once they are.
    shell->exitCommand();
    EXPECT_FALSE(shell->window().ApplyRunning());
    ConfigStore reread(locations.configBin());
    ASSERT_EQ(reread.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(reread.record().reportRate(), 2);
    const std::string after = test::TempDir::take(dir() / "str.ini");
    EXPECT_EQ(after.compare(0, huge.size(), huge), 0);
    EXPECT_NE(after.find("[Setting-EN]", huge.size()), std::string::npos);
    EXPECT_EQ(leftoverTemporaries(), 0u);
}

TEST_F(ApplySaveTest, ASaveThatFailsIsToldAfterTheSaveAndTheWindowTakesInputAgain) {
    start(true, true);
    // config.bin became a folder: it can be neither read for changes nor replaced.
    std::filesystem::remove(dir() / "config.bin");
    std::filesystem::create_directories(dir() / "config.bin" / "inside");
    prompter.shown.clear();
    clickApply();
    ASSERT_TRUE(applyFinished());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, SettingsSync::kSaveFailedCaption);
    EXPECT_TRUE(prompter.shown[0].text.starts_with("Error Code is: ")) << prompter.shown[0].text;
    // The labels were saved all the same; the window takes input again.
    EXPECT_NE(test::TempDir::take(dir() / "str.ini").find("[Setting-EN]"), std::string::npos);
    EXPECT_TRUE(shell->window().isEnabled());
    EXPECT_TRUE(std::filesystem::is_directory(dir() / "config.bin" / "inside"));
}

} // namespace
} // namespace vexo
