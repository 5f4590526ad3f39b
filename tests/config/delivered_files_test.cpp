// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <tuple>

#include "config/config_store.h"
#include "config/dpi_table.h"
#include "config/factory_config_file.h"
#include "config/file_locations.h"
#include "config/key_entry.h"
#include "config/profile_ini.h"
#include "config/temp_dir.h"

using vexo::ButtonArray;
using vexo::ConfigStore;
using vexo::FileLocations;
using vexo::KeyMode;
using vexo::test::TempDir;

namespace {

std::filesystem::path sourceData() { return std::filesystem::path(VEXO_SOURCE_DIR) / "data"; }

TEST(DeliveredConfig, IsTheGeneratorsOutputWithSensibleFactoryValues) {
    const std::string file = TempDir::take(sourceData() / "config.bin");
    ASSERT_EQ(file.size(), 2042u);
    const auto generated = vexo::FactoryConfigFile();
    EXPECT_EQ(file, std::string(generated.begin(), generated.end())) << "run the regenerate_config_bin target";

    ConfigStore store(sourceData() / "config.bin");
    ASSERT_EQ(store.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(store.firstRunFlag(), 0);
    const auto& r = store.record();

    vexo::ConfigRecord defaults = r;
    vexo::RestoreKeyDefaults(defaults);
    EXPECT_EQ(defaults, r) << "buttons must hold the key defaults";
    EXPECT_EQ(r.functionCode(KeyMode::A, 9), 0);
    EXPECT_EQ(r.reportRate(), 1);
    std::set<std::tuple<int, int, int>> colours;
    std::set<unsigned> values;
    for (std::size_t s = 0; s < 8; ++s) {
        colours.insert({r.dpiColour(s).red, r.dpiColour(s).green, r.dpiColour(s).blue});
        EXPECT_EQ(r.stageEnabled(s), s < 4) << s;
        for (std::uint8_t type = 0; type < 4; ++type) {
            EXPECT_TRUE(vexo::DpiValue(type, r.dpiValues()[s]).has_value()) << "stage " << s << " type " << int(type);
        }
        if (s < 4)
            values.insert(*vexo::DpiValue(0, r.dpiValues()[s]));
    }
    EXPECT_EQ(colours.size(), 8u);
    EXPECT_EQ(values.size(), 4u);
    EXPECT_EQ(r.lightingMode(), 1);
    EXPECT_EQ(r.desktop(), (vexo::DesktopBytes{0, 0, 6, 3, 6}));
    EXPECT_EQ(r.modeSelector(), 0);
    for (auto b : r.macroArea())
        ASSERT_EQ(b, 0);
}

TEST(DeliveredConfig, TheBuildTreeIsAPortableInstallation) {
    const std::filesystem::path bin = VEXO_PROGRAM_DIR;
    EXPECT_EQ(std::filesystem::file_size(bin / "config.bin"), 2042u);
    const vexo::ProfileIni ini(bin / "str.ini");
    EXPECT_EQ(ini.readString("Skins", "Path"), "Black");
    EXPECT_EQ(FileLocations::resolve(bin, "/nonexistent", [](const char*) { return std::nullopt; }).dataDir(), bin);
}

TEST(DeliveredSettings, EnglishBlackSkinAndReadableText) {
    const vexo::ProfileIni ini(sourceData() / "str.ini");
    const std::string lan = ini.readString("Skins", "Lan");
    EXPECT_TRUE(lan != "CHS" && lan != "CHT");
    EXPECT_EQ(ini.readString("Skins", "Path"), "Black");
    for (const char* key : {"RColor", "GColor", "BColor"}) {
        EXPECT_GE(std::atoi(ini.readString("Skins", key).c_str()), 160) << key << " must be light on the dark skin";
    }
    EXPECT_EQ(ini.readString("Setting-EN", "Item1"), "Left Click");
    EXPECT_EQ(ini.readString("Setting-EN", "Item83"), "Single Key-V");
    EXPECT_EQ(ini.readString("Setting-CHS", "Item6"), "DPI +");
    EXPECT_EQ(ini.readString("Setting-CHT", "Item43"), "前進方向鍵");
}

class FileLocationsTest : public ::testing::Test {
protected:
    TempDir dir{"where"};
    std::map<std::string, std::string> env;
    FileLocations::Environment lookup() {
        return [this](const char* name) -> std::optional<std::string> {
            const auto it = env.find(name);
            return it == env.end() ? std::nullopt : std::optional(it->second);
        };
    }
};

TEST_F(FileLocationsTest, TheProgramFolderWinsWhenItHoldsConfigBin) {
    const auto program = dir / "any-name-for-the-program";
    std::filesystem::create_directories(program);
    TempDir::put(program / "config.bin", "x");
    env["XDG_CONFIG_HOME"] = (dir / "cfg").string();
    const auto where = FileLocations::resolve(program, dir / "share", lookup());
    EXPECT_TRUE(where.portable());
    EXPECT_EQ(where.strIni(), program / "str.ini");
    EXPECT_EQ(where.recordIni(), program / "record.ini");
    EXPECT_EQ(where.skinRoots(), std::vector{program / "Skins"});
    std::string error;
    EXPECT_TRUE(where.prepare(error));
    EXPECT_FALSE(std::filesystem::exists(dir / "cfg"));
}

TEST_F(FileLocationsTest, AnInstalledProgramUsesTheUsersFolderFilledFromTheDeliveredFiles) {
    const auto share = dir / "share";
    std::filesystem::create_directories(share);
    TempDir::put(share / "config.bin", "delivered config");
    TempDir::put(share / "str.ini", "delivered ini");
    env["HOME"] = (dir / "home").string();
    auto where = FileLocations::resolve(dir / "bin", share, lookup());
    EXPECT_FALSE(where.portable());
    EXPECT_EQ(where.configBin(), dir / "home" / ".config" / "vexo-t58" / "config.bin");
    EXPECT_EQ(where.skinRoots(), (std::vector{share / "Skins", dir / "home" / ".local/share" / "vexo-t58" / "Skins"}));

    std::filesystem::create_directories(where.dataDir());
    TempDir::put(where.strIni(), "the user's own");
    std::string error;
    ASSERT_TRUE(where.prepare(error)) << error;
    EXPECT_EQ(TempDir::take(where.configBin()), "delivered config");
    EXPECT_EQ(TempDir::take(where.strIni()), "the user's own") << "existing files are never replaced";
    EXPECT_FALSE(std::filesystem::exists(where.recordIni())) << "nothing delivered, nothing copied";

    env["XDG_CONFIG_HOME"] = (dir / "xdg").string();
    env["XDG_DATA_HOME"] = "relative/is/ignored";
    where = FileLocations::resolve(dir / "bin", share, lookup());
    EXPECT_EQ(where.dataDir(), dir / "xdg" / "vexo-t58");
    EXPECT_EQ(where.skinRoots()[1], dir / "home" / ".local/share" / "vexo-t58" / "Skins");

    TempDir::put(dir / "xdg", "a file where a folder should be");
    EXPECT_FALSE(where.prepare(error));
    EXPECT_NE(error.find("xdg"), std::string::npos);
}

TEST_F(FileLocationsTest, WithoutAnyHomeTheUsersFolderIsNeverInAWorldWritablePlace) {
    const auto where = FileLocations::resolve(dir / "bin", dir / "share", lookup());
    EXPECT_EQ(where.dataDir(), std::filesystem::path("/.config/vexo-t58"));
    EXPECT_EQ(where.skinRoots()[1], std::filesystem::path("/.local/share/vexo-t58/Skins"));
}

TEST_F(FileLocationsTest, ASkinIsTakenFromTheUsersOwnFoldersFirstThenTheDeliveredOnes) {
    const auto share = dir / "share";
    env["HOME"] = (dir / "home").string();
    const auto where = FileLocations::resolve(dir / "bin", share, lookup());
    const auto delivered = where.skinRoots()[0];
    const auto own = where.skinRoots()[1];
    std::filesystem::create_directories(delivered / "Black");
    std::filesystem::create_directories(own / "Black");
    std::filesystem::create_directories(own / "Mine");
    std::filesystem::create_directories(delivered / "Blue");
    EXPECT_EQ(where.skinFolder("Blue"), delivered / "Blue");
    EXPECT_EQ(where.skinFolder("Black"), own / "Black") << "the user's own skin wins a name clash";
    EXPECT_EQ(where.skinFolder("Mine"), own / "Mine");
    EXPECT_EQ(where.skinFolder("Missing"), delivered / "Missing") << "nothing found draws nothing";
    EXPECT_EQ(where.skinFolder(""), delivered) << "no name: the skins folder itself";

    // A name from a Windows str.ini finds its folder in another letter case; an exact name first.
    EXPECT_EQ(where.findSkin("black"), own / "Black");
    EXPECT_EQ(where.findSkin("MINE"), own / "Mine");
    std::filesystem::create_directories(own / "mine");
    EXPECT_EQ(where.findSkin("mine"), own / "mine");
    EXPECT_EQ(where.skinFolder("BLACK"), own / "Black");
    // Only folders are skins, and a name never leaves the skins folders.
    std::ofstream(delivered / "Plain").put('x');
    EXPECT_EQ(where.findSkin("plain"), std::nullopt);
    EXPECT_EQ(where.findSkin("Missing"), std::nullopt);
    EXPECT_EQ(where.findSkin(""), std::nullopt);
    EXPECT_EQ(where.findSkin(".."), std::nullopt);
    EXPECT_EQ(where.findSkin("../share"), std::nullopt);
}

} // namespace
