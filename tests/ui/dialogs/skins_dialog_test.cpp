// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The skin picker: the skins it lists, its result, hover, wheel and missing pictures.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>

#include "ui/qt_test_main.h"
#include "ui/skin_fixture.h"
#include "support/recording_prompter.h"
#include "ui/skin/skin_drawing.h"
#include "ui/dialogs/skins_dialog.h"
#include "ui/skin/skin_context.h"

namespace vexo {
namespace {

using test::SkinFixture;

constexpr QRgb kPickerBackground = 0xff203040;

// A skin folder with everything the picker draws.
void AddPickerPictures(SkinFixture& skin) { skin.write("/skins.png", 400, 292, kPickerBackground); }

// An empty folder made into a skin folder by its page background alone.
void MakeSkin(const QString& folder) {
    QDir().mkpath(folder);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::gray);
    image.save(folder + "/BasicSet2.png");
}

class SkinsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        AddPickerPictures(skin);
        skinContext.strSkinDir = skin.path().toStdString();
        skinContext.strSkinName = "Current";
        skinContext.textColor = TextColour{10, 20, 30};
        delivered = roots.path() + "/delivered";
        own = roots.path() + "/own";
        QDir().mkpath(delivered);
        QDir().mkpath(own);
    }
    std::unique_ptr<CSkinsDialog> open(const char* language = "EN") {
        CSkinsDialog::Setup setup{{delivered, own}, language, QFont(), [this](QWidget*) {
                                      ++chooserOpened;
                                      return chooserAnswer;
                                  }};
        return std::make_unique<CSkinsDialog>(setup, skinContext, prompter);
    }
    QListWidget* list(CSkinsDialog& dialog) {
        // A closed list is deleted later; only the open one counts.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.findChild<QListWidget*>("562");
    }
    QStringList entries(CSkinsDialog& dialog) {
        QStringList names;
        if (QListWidget* l = list(dialog))
            for (int i = 0; i < l->count(); ++i)
                names << l->item(i)->text();
        return names;
    }

    SkinFixture skin;
    SkinContext skinContext;
    QTemporaryDir roots;
    QString delivered, own;
    test::RecordingPrompter prompter;
    std::optional<QColor> chooserAnswer;
    int chooserOpened = 0;
};

TEST_F(SkinsDialogTest, ListsTheSkinsOfBothFoldersOnceTheUsersOwnWinningAndNothingElse) {
    MakeSkin(delivered + "/Black");
    MakeSkin(delivered + "/Blue");
    MakeSkin(own + "/Black");
    MakeSkin(own + "/Mine");
    QDir().mkpath(own + "/NoPictures");
    QFile file(delivered + "/notes.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    auto dialog = open();
    EXPECT_EQ(dialog->size(), QSize(400, 292)) << "the dialog takes the size of its background";
    EXPECT_FALSE(dialog->skinListOpen());
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    ASSERT_TRUE(dialog->skinListOpen());
    ASSERT_NE(list(*dialog), nullptr);
    EXPECT_EQ(list(*dialog)->geometry(), CSkinsDialog::kList.rect());
    EXPECT_EQ(entries(*dialog), (QStringList{"Black", "Blue", "Mine"}));

    list(*dialog)->setCurrentRow(0);
    EXPECT_FALSE(dialog->skinListOpen()) << "a choice closes the list";
    EXPECT_EQ(dialog->m_strSelectedSkin, "Black");
    EXPECT_EQ(dialog->m_strSelectedSkinDir, QDir(own).absoluteFilePath("Black"));
    EXPECT_EQ(dialog->findChild<QLabel*>("560")->text(), "Black");

    // Opened again, the list is read again: a folder added meanwhile appears.
    MakeSkin(own + "/Added");
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    EXPECT_EQ(entries(*dialog), (QStringList{"Added", "Black", "Blue", "Mine"}));
    list(*dialog)->setCurrentRow(2);
    EXPECT_EQ(dialog->m_strSelectedSkinDir, QDir(delivered).absoluteFilePath("Blue"));
    EXPECT_EQ(dialog->m_nSelectedIndex, 2);
}

TEST_F(SkinsDialogTest, TheBoxTogglesTheListAndAClickElsewhereClosesIt) {
    MakeSkin(delivered + "/Black");
    auto dialog = open();
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    EXPECT_TRUE(dialog->skinListOpen());
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    EXPECT_FALSE(dialog->skinListOpen());
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    dialog->HandleClick(QPoint(300, 100));
    EXPECT_FALSE(dialog->skinListOpen());
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << "a click on no button ends nothing";
    EXPECT_EQ(dialog->m_strSelectedSkin, "Current");
}

TEST_F(SkinsDialogTest, OkWithoutTheListKeepsTheSkinAndReturnsTheChosenColour) {
    auto dialog = open();
    EXPECT_EQ(dialog->m_strSelectedSkin, "Current");
    EXPECT_EQ(dialog->m_strSelectedSkinDir, skin.path());
    EXPECT_EQ(dialog->m_colorText, QColor(10, 20, 30));
    EXPECT_EQ(dialog->findChild<QLabel*>("561")->palette().color(QPalette::Window), QColor(10, 20, 30));

    chooserAnswer = QColor(200, 100, 50);
    dialog->HandleClick(CSkinsDialog::kSwatch.topLeft());
    EXPECT_EQ(chooserOpened, 1);
    EXPECT_EQ(dialog->m_colorText, QColor(200, 100, 50));
    EXPECT_EQ(dialog->findChild<QLabel*>("561")->palette().color(QPalette::Window), QColor(200, 100, 50));
    // A cancelled chooser keeps the colour.
    chooserAnswer.reset();
    dialog->HandleClick(CSkinsDialog::kSwatch.topLeft());
    EXPECT_EQ(dialog->m_colorText, QColor(200, 100, 50));

    dialog->HandleClick(CSkinsDialog::kOk.topLeft());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->m_strSelectedSkin, "Current");
    EXPECT_EQ(dialog->m_strSelectedSkinDir, skin.path());
    EXPECT_TRUE(prompter.shown.empty());
    // The picker changes nothing by itself.
    EXPECT_EQ(skinContext.textColor.r, 10);
}

TEST_F(SkinsDialogTest, CancelAndCloseEndWithCancel) {
    for (const Region& button : {CSkinsDialog::kCancel, CSkinsDialog::kClose}) {
        auto dialog = open();
        dialog->HandleClick(QPoint(button.right - 2, button.top + 2));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
}

TEST_F(SkinsDialogTest, TextsFollowTheLanguage) {
    EXPECT_EQ(open("CHS")->m_strColorHint, QString::fromUtf8("请点击设置UI文本颜色"));
    EXPECT_EQ(open("CHT")->m_strOk, QString::fromUtf8("確定"));
    auto english = open("chs");
    EXPECT_EQ(english->m_strOk, "OK");
    EXPECT_EQ(english->m_strCancel, "Cancel");
    EXPECT_EQ(english->m_strColorHint, "Please click to set the UI text color");
}

TEST_F(SkinsDialogTest, AMissingBackgroundIsReportedAndLeavesAnEmptyDialogThatOnlyCloses) {
    skin.remove("/skins.png");
    MakeSkin(delivered + "/Black");
    auto dialog = open();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "error");
    EXPECT_EQ(prompter.shown[0].caption, "Skins Dialog Load background image failed!!!");
    EXPECT_FALSE(dialog->backgroundLoaded());
    EXPECT_EQ(dialog->findChild<QLabel*>("560"), nullptr);
    EXPECT_EQ(dialog->findChild<QLabel*>("561"), nullptr);
    EXPECT_TRUE(dialog->m_strOk.isEmpty());
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    EXPECT_FALSE(dialog->skinListOpen());
    dialog->HandleClick(CSkinsDialog::kSwatch.topLeft());
    EXPECT_EQ(chooserOpened, 0);
    dialog->HandleClick(CSkinsDialog::kOk.topLeft());
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << "nothing valid to apply";
}

TEST_F(SkinsDialogTest, AMissingButtonPictureIsReportedEachTimeItWouldBeDrawn) {
    skin.remove("/button-close-normal.png");
    auto dialog = open();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "LoadPng---Load image failed.");
    EXPECT_EQ(prompter.shown[0].caption, "VEXO T58");
    dialog->HandleMouseMove(CSkinsDialog::kClose.topLeft());
    dialog->HandleHover(CSkinsDialog::kClose.topLeft());
    dialog->HandleMouseMove(QPoint(300, 100));
    EXPECT_EQ(prompter.shown.size(), 2u) << "the normal picture again, after the over picture";
}

TEST_F(SkinsDialogTest, HoverLightsOkAndCancelInTurnAndMovingAwayPutsThemBack) {
    auto dialog = open();
    const QPoint ok = CSkinsDialog::kOk.topLeft() + QPoint(2, 2);
    const QPoint cancel = QPoint(CSkinsDialog::kCancel.right - 3, CSkinsDialog::kCancel.top + 2);
    EXPECT_EQ(dialog->BackBuffer().pixel(ok), SkinFixture::kNormal);
    dialog->HandleMouseMove(ok);
    dialog->HandleHover(ok);
    EXPECT_EQ(dialog->BackBuffer().pixel(ok), SkinFixture::kOver);
    dialog->HandleMouseMove(cancel);
    dialog->HandleHover(cancel);
    EXPECT_EQ(dialog->BackBuffer().pixel(ok), SkinFixture::kNormal);
    EXPECT_EQ(dialog->BackBuffer().pixel(cancel), SkinFixture::kOver);
    dialog->HandleMouseMove(QPoint(300, 100));
    EXPECT_EQ(dialog->BackBuffer().pixel(cancel), SkinFixture::kNormal);
    EXPECT_EQ(dialog->BackBuffer().pixel(300, 100), kPickerBackground);
}

TEST_F(SkinsDialogTest, TheWheelScrollsTheOpenListThreeLinesAStep) {
    for (int i = 0; i < 20; ++i)
        MakeSkin(own + QString("/Skin%1").arg(i));
    auto dialog = open();
    dialog->show();
    dialog->HandleWheel(-120); // nothing open: nothing happens
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    QCoreApplication::processEvents();
    ASSERT_NE(list(*dialog), nullptr);
    QScrollBar* bar = list(*dialog)->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    dialog->HandleWheel(-120);
    EXPECT_EQ(bar->value(), 3);
    dialog->HandleWheel(-120);
    EXPECT_EQ(bar->value(), 6);
    dialog->HandleWheel(120);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_TRUE(dialog->skinListOpen()) << "scrolling chooses nothing";
}

TEST_F(SkinsDialogTest, ASkinCopiedFromWindowsWithOtherLetterCasesWorks) {
    // Windows matches file names without regard to case; such a folder must work unchanged.
    QDir dir(skin.path());
    ASSERT_TRUE(dir.rename("skins.png", "SKINS.PNG"));
    ASSERT_TRUE(dir.rename("button-normal.png", "Button-Normal.png"));
    ASSERT_TRUE(dir.rename("button-close-normal.png", "BUTTON-CLOSE-NORMAL.png"));
    QDir().mkpath(own + "/FromWindows");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.save(own + "/FromWindows/basicset2.PNG");

    auto dialog = open();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(dialog->backgroundLoaded());
    EXPECT_EQ(dialog->BackBuffer().pixel(CSkinsDialog::kOk.topLeft() + QPoint(2, 2)), SkinFixture::kNormal);
    dialog->HandleClick(CSkinsDialog::kDropDown.topLeft());
    EXPECT_EQ(entries(*dialog), QStringList{"FromWindows"});
}

} // namespace
} // namespace vexo
