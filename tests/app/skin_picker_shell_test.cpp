// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The Skins button's flow through the shell: the picker run modally, the choice applied at once,
// stored in str.ini and drawn; Cancel changes nothing.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "../ui/qt_test_main.h"
#include "../ui/skin_fixture.h"
#include "app/app_shell.h"
#include "sim/memory_pointer_settings.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "recording_tray_icon.h"
#include "sim/recording_pauser.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "support/recording_prompter.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/dialogs/skins_dialog.h"
#include "ui/skin/skin_context.h"

namespace vexo {
namespace {

constexpr QRgb kOtherBackground = 0xff00a000;

// Acts on the modal dialog of type D as soon as it is open (a modal run blocks the test).
template <typename D>
class WhenModal : public QObject {
public:
    explicit WhenModal(std::function<void(D&)> act) : act_(std::move(act)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
                timer_.stop();
                ran = true;
                act_(*dialog);
            }
        });
        timer_.start(5);
    }
    bool ran = false;

private:
    std::function<void(D&)> act_;
    QTimer timer_;
};

class SkinPickerShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::copy_file(std::filesystem::path(qgetenv("VEXO_BUILD_DIR").toStdString()) / "bin/config.bin",
                                   dir / "config.bin");
        std::filesystem::create_directories(dir / "Skins");
        skin.write("/skins.png", 400, 292, Qt::darkGray);
        other.write("/skins.png", 400, 292, Qt::darkGray);
        other.write("/BasicSet2.png", 880, 650, kOtherBackground);
        std::filesystem::rename(skin.path().toStdString(), dir / "Skins/Test");
        std::filesystem::rename(other.path().toStdString(), dir / "Skins/Other");
        QFile ini(folder.path() + "/str.ini");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Skins]\nLan=EN\nPath=Test\nRColor=0\nGColor=255\nBColor=0\n");
        ini.close();
        shell = std::make_unique<AppShell>(
            ShellParts{hid, pauser, config, tray, prompter, desktop, nullptr, nullptr, locations, nullptr});
        // The picker is opened from the window on screen.
        shell->initialise(true);
        ASSERT_EQ(shell->window().CurrentPage(), kBasicPage);
        // The directory search gives the folder's absolute path; start from that form.
        ASSERT_EQ(QDir(QString::fromStdString(shell->skin().strSkinDir)).absolutePath(), folder.path() + "/Skins/Test");
    }
    void TearDown() override { shell.reset(); }
    QString strIni() const {
        QFile file(folder.path() + "/str.ini");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir folder;
    test::SkinFixture skin;
    test::SkinFixture other;
    FileLocations locations = FileLocations::inFolder(folder.path().toStdString());
    std::shared_ptr<SimMouse> mouse = std::make_shared<SimMouse>(3);
    SimHidBackend hid{mouse};
    RecordingPauser pauser;
    ConfigStore config{locations.configBin()};
    test::RecordingTrayIcon tray;
    test::RecordingPrompter prompter;
    MemoryPointerSettings desktop;
    std::unique_ptr<AppShell> shell;
};

TEST_F(SkinPickerShellTest, AChosenSkinIsAppliedStoredAndDrawnAtOnce) {
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);
    WhenModal<CSkinsDialog> pick([](CSkinsDialog& dialog) {
        dialog.HandleClick(CSkinsDialog::kDropDown.topLeft());
        QListWidget* list = dialog.findChild<QListWidget*>("562");
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 2);
        ASSERT_EQ(list->item(0)->text(), "Other");
        list->setCurrentRow(0);
        dialog.HandleClick(CSkinsDialog::kOk.topLeft());
    });
    // The Skins button of the title bar opens it.
    shell->window().HandleClick(frame::kSkins.topLeft());
    ASSERT_TRUE(pick.ran);
    EXPECT_EQ(shell->skin().strSkinName, "Other");
    EXPECT_EQ(shell->skin().strSkinDir, (folder.path() + "/Skins/Other").toStdString());
    EXPECT_EQ(shell->settings().m_strSkinName, "Other");
    EXPECT_EQ(shell->skin().textColor.g, 255);
    EXPECT_TRUE(strIni().contains("Path=Other")) << strIni().toStdString();
    EXPECT_TRUE(strIni().contains("RColor=0\nGColor=255\nBColor=0\n")) << strIni().toStdString();
    EXPECT_EQ(shell->window().CurrentPage(), kBasicPage);
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), kOtherBackground) << "the page is drawn from the new skin";
    EXPECT_TRUE(shell->window().isVisible());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(SkinPickerShellTest, OkWithoutTheListKeepsTheSkinAndStoresTheColourChosenFromBlack) {
    const std::string skinDir = shell->skin().strSkinDir;
    QColor offered;
    WhenModal<CSkinsDialog> pick([&offered](CSkinsDialog& dialog) {
        WhenModal<QColorDialog> colour([&offered](QColorDialog& chooser) {
            offered = chooser.currentColor();
            chooser.setCurrentColor(QColor(1, 2, 3));
            chooser.accept();
        });
        dialog.HandleClick(CSkinsDialog::kSwatch.topLeft());
        EXPECT_TRUE(colour.ran);
        dialog.HandleClick(CSkinsDialog::kOk.topLeft());
    });
    shell->openSkinPicker();
    ASSERT_TRUE(pick.ran);
    EXPECT_EQ(offered, QColor(Qt::black)) << "the chooser opens on black, not on the colour in use";
    EXPECT_EQ(shell->skin().strSkinDir, skinDir);
    EXPECT_EQ(shell->skin().strSkinName, "Test");
    EXPECT_EQ(shell->skin().textColor.r, 1);
    EXPECT_EQ(shell->skin().textColor.g, 2);
    EXPECT_EQ(shell->skin().textColor.b, 3);
    // Keys keep their places in the file.
    EXPECT_TRUE(strIni().startsWith("[Skins]\nLan=EN\nPath=Test\nRColor=1\nGColor=2\nBColor=3\n"))
        << strIni().toStdString();
}

TEST_F(SkinPickerShellTest, CancelChangesNothing) {
    const QString before = strIni();
    const std::string skinDir = shell->skin().strSkinDir;
    WhenModal<CSkinsDialog> pick([](CSkinsDialog& dialog) {
        dialog.HandleClick(CSkinsDialog::kDropDown.topLeft());
        dialog.findChild<QListWidget*>("562")->setCurrentRow(0);
        dialog.HandleClick(CSkinsDialog::kCancel.topLeft() + QPoint(50, 5));
    });
    shell->openSkinPicker();
    ASSERT_TRUE(pick.ran);
    EXPECT_EQ(strIni(), before);
    EXPECT_EQ(shell->skin().strSkinDir, skinDir);
    EXPECT_EQ(shell->skin().strSkinName, "Test");
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), test::SkinFixture::kBasicBackground);
}

TEST_F(SkinPickerShellTest, AChoiceThatCannotBeSavedStillAppliesAndIsReported) {
    // A directory in the place of str.ini cannot be replaced.
    QFile::remove(folder.path() + "/str.ini");
    QDir().mkpath(folder.path() + "/str.ini");
    shell->applySkinChoice((folder.path() + "/Skins/Other").toStdString(), "Other", TextColour{9, 9, 9});
    EXPECT_EQ(shell->skin().strSkinName, "Other");
    EXPECT_EQ(shell->window().BackBuffer().pixel(500, 300), kOtherBackground);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text.rfind(AppShell::kSkinNotSavedText, 0), 0u) << prompter.shown[0].text;
}

} // namespace
} // namespace vexo
