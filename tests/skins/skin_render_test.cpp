// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The generator itself: reproducible pictures and honest failures.

#include "palette.h"
#include "skin_set.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

// Text rendering needs the GUI application object (offscreen platform, set by the test runner).
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "skins_test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

TEST(SkinRender, DrawingIsReproducible) {
    // The build re-draws the skins whenever the generator changes; the same generator must give
    // the same files, or installed skins would differ from one build to the next.
    const auto first = vexo::skingen::renderSkin(vexo::skingen::Palette::blue());
    const auto second = vexo::skingen::renderSkin(vexo::skingen::Palette::blue());
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].name, second[i].name);
        EXPECT_TRUE(first[i].image == second[i].image) << first[i].name.toStdString();
    }
}

TEST(SkinRender, WritingReportsAFolderThatCannotBeMade) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // A file where the skin folder should go.
    QFile blocker(tmp.filePath(QStringLiteral("Black")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(vexo::skingen::writeSkin(vexo::skingen::Palette::black(), blocker.fileName(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Black"))) << error.toStdString();
}

TEST(SkinRender, WritingReplacesAnOlderSkinWhole) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = tmp.filePath(QStringLiteral("Blue"));
    QDir().mkpath(folder);
    QFile stale(folder + QStringLiteral("/button-over.png"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("not a picture");
    stale.close();
    QString error;
    ASSERT_TRUE(vexo::skingen::writeSkin(vexo::skingen::Palette::blue(), folder, &error)) << error.toStdString();
    const QImage over(folder + QStringLiteral("/button-over.png"));
    EXPECT_EQ(over.size(), QSize(105, 21));
    // No temporary files are left beside the pictures.
    for (const QString& entry : QDir(folder).entryList(QDir::Files)) {
        EXPECT_TRUE(entry.endsWith(QStringLiteral(".png"))) << entry.toStdString();
    }
}

} // namespace
