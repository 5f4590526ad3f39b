// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The program's icon: each size drawn when first asked for, exactly the build's picture of it.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <memory>

#include "app/app_icon.h"
#include "app/app_icon_engine.h"
#include "../ui/qt_test_main.h"

namespace vexo {
namespace {

QImage Pixels(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); }

TEST(AppIconTest, SizesAreDrawnOnlyWhenAskedForOnceEachAndMatchTheBuildsPictures) {
    test::TestApp();
    AppIconEngine engine;
    EXPECT_EQ(engine.drawnSizes(), 0); // a start behind the icon pays for no size it does not show
    ASSERT_EQ(engine.availableSizes(QIcon::Normal, QIcon::Off).size(), 7);

    const QPixmap small = engine.pixmap({22, 22}, QIcon::Normal, QIcon::Off);
    EXPECT_EQ(engine.drawnSizes(), 1);
    EXPECT_EQ(Pixels(small), DrawAppIcon(22));
    EXPECT_EQ(Pixels(engine.pixmap({22, 22}, QIcon::Active, QIcon::On)), DrawAppIcon(22));
    EXPECT_EQ(engine.drawnSizes(), 1);

    // A size between the offered ones, or a rectangle, gets a square drawn at its smaller side.
    EXPECT_EQ(Pixels(engine.pixmap({40, 30}, QIcon::Normal, QIcon::Off)), DrawAppIcon(30));
    EXPECT_EQ(engine.actualSize({40, 30}, QIcon::Normal, QIcon::Off), QSize(30, 30));
    EXPECT_TRUE(engine.pixmap({0, 16}, QIcon::Normal, QIcon::Off).isNull());
    EXPECT_TRUE(engine.pixmap({-4, -4}, QIcon::Normal, QIcon::Off).isNull());
    EXPECT_EQ(engine.drawnSizes(), 2);

    // A copy (QIcon detaches this way) keeps what was drawn.
    std::unique_ptr<QIconEngine> copy(engine.clone());
    EXPECT_EQ(static_cast<AppIconEngine&>(*copy).drawnSizes(), 2);

    // Disabled looks as the style makes it, at the same size, not as the normal picture.
    const QImage disabled = Pixels(engine.pixmap({22, 22}, QIcon::Disabled, QIcon::Off));
    EXPECT_EQ(disabled.size(), QSize(22, 22));
    EXPECT_NE(disabled, DrawAppIcon(22));
}

TEST(AppIconTest, AnIconPaintsItsPictureCentredInTheRectangleAndOffersEverySize) {
    test::TestApp();
    const QIcon icon = AppIcon();
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), 7);
    EXPECT_EQ(icon.availableSizes().back(), QSize(128, 128));

    QImage canvas(40, 24, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        icon.paint(&painter, QRect(0, 0, 40, 24));
    }
    EXPECT_EQ(canvas.copy(8, 0, 24, 24), DrawAppIcon(24));
    // Nothing outside the centred square.
    for (int x : {0, 7, 32, 39})
        for (int y = 0; y < 24; ++y)
            ASSERT_EQ(qAlpha(canvas.pixel(x, y)), 0) << x << "," << y;
}

} // namespace
} // namespace vexo
