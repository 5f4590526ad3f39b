// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Interface fonts and their fall-back faces.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include "ui/qt_test_main.h"
#include "ui/skin/interface_fonts.h"

namespace vexo {
namespace {

bool Installed(const QString& family) { return QFontDatabase::families().contains(family, Qt::CaseInsensitive); }

TEST(InterfaceFontsTest, MissingFacesFallBackToTheNearestInstalledOne) {
    test::TestApp();
    // The font packages README lists give the intended faces.
    if (Installed("Arial") || Installed("Tahoma") || !Installed("Liberation Sans") || !Installed("DejaVu Sans") ||
        !Installed("Noto Sans CJK SC"))
        GTEST_SKIP() << "needs fonts-liberation2, fonts-dejavu-core and fonts-noto-cjk, without Arial or Tahoma";
    EXPECT_EQ(InterfaceFonts::nearestInstalled("Arial", "EN"), "Liberation Sans");
    EXPECT_EQ(InterfaceFonts::nearestInstalled("Tahoma", ""), "DejaVu Sans");
    EXPECT_EQ(InterfaceFonts::nearestInstalled("黑体", "CHS"), "Noto Sans CJK SC");
    EXPECT_EQ(InterfaceFonts::nearestInstalled("黑体", "CHT"), "Noto Sans CJK TC");
    EXPECT_EQ(InterfaceFonts::nearestInstalled("宋体", "CHS"), "Noto Serif CJK SC");
    // The Chinese faces never fall back to a Latin-only face, whatever the language code says.
    EXPECT_TRUE(InterfaceFonts::candidates("宋体", "EN").contains("Noto Sans CJK SC"));
    EXPECT_FALSE(InterfaceFonts::candidates("宋体", "CHS").contains("Liberation Sans"));
    EXPECT_EQ(InterfaceFonts::candidates("Arial", "EN").front(), "Arial");
}

TEST(InterfaceFontsTest, FontsFitTheirCellHeightAndWeight) {
    test::TestApp();
    for (int height : {13, 14, 18}) {
        const QFont font = InterfaceFonts::make("Arial", height, 400, "EN");
        EXPECT_LE(QFontMetrics(font).height(), height + 1) << height;
        EXPECT_GE(QFontMetrics(font).height(), height - 3) << height;
    }
    EXPECT_EQ(InterfaceFonts::make("Tahoma", 18, 700, "EN").weight(), QFont::Bold);
    EXPECT_EQ(InterfaceFonts::make("黑体", 13, 400, "CHS").weight(), QFont::Normal);
    if (Installed("Noto Sans CJK SC")) {
        EXPECT_EQ(QFontInfo(InterfaceFonts::make("黑体", 13, 400, "CHS")).family(), "Noto Sans CJK SC");
    }
}

} // namespace
} // namespace vexo
