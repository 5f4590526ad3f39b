// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The page background laid as the back buffer itself: what it takes, what it keeps aside, and that
// every redraw of it gives the picture's exact pixels, kept aside or not.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "ui/qt_test_main.h"
#include "ui/skin/page_background.h"
#include "ui/skin/picture_buffer.h"
#include "ui/skin/skin_image_cache.h"

namespace vexo {
namespace {

const QString kName = "/Page.png";

class PageBackgroundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // No two neighbouring pixels alike, so that a part drawn from the wrong place shows.
        QImage picture(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb((x * 7 + y) & 0xff, (y * 5 + x * 3) & 0xff, (x ^ y) & 0xff));
        ASSERT_TRUE(picture.save(dir.path() + kName));
        original = SkinImageCache::decodeApart(dir.path(), kName).image;
        ASSERT_FALSE(original.isNull());
    }

    // Lays the picture as canvas and keeps areas aside, as a window drawing its page does.
    void layAndKeep(const QRegion& areas) {
        SkinImageCache::Entry entry = cache.take(dir.path(), kName);
        ASSERT_TRUE(background.lay(canvas, entry, dir.path(), kName, 1));
        background.keep(canvas, areas);
    }

    // Covers the whole canvas, as the page's controls and over looks would cover parts of it.
    void scribble() {
        QPainter p(&canvas);
        p.fillRect(canvas.rect(), Qt::red);
    }

    // Pixels of area on the canvas that differ from the picture's.
    int differing(const QRect& area) const {
        const QImage expected = PictureBuffer::premultipliedCopy(original);
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += canvas.pixel(x, y) != expected.pixel(x, y);
        return count;
    }

    bool draw(const QRect& area) {
        QPainter p(&canvas);
        return background.drawArea(p, area);
    }

    QTemporaryDir dir;
    QImage original;
    SkinImageCache cache;
    PageBackground background;
    QImage canvas;
};

TEST_F(PageBackgroundTest, AnOpaquePictureBecomesTheCanvasItselfAndOthersAreLeftAsTheyWere) {
    SkinImageCache::Entry entry = cache.take(dir.path(), kName);
    const uchar* pixels = entry.image.constBits();
    EXPECT_TRUE(background.lay(canvas, entry, dir.path(), kName, 7));
    EXPECT_TRUE(entry.image.isNull());
    EXPECT_EQ(canvas.constBits(), pixels) << "no copy";
    EXPECT_EQ(canvas.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(canvas, PictureBuffer::premultipliedCopy(original));
    EXPECT_TRUE(background.holds(dir.path(), kName));
    EXPECT_FALSE(background.holds(dir.path(), "/Other.png"));
    EXPECT_TRUE(background.fresh(dir.path(), kName, 7));
    EXPECT_FALSE(background.fresh(dir.path(), kName, 8)) << "drawn on since";
    background.keep(canvas, QRegion(0, 0, 10, 10));
    EXPECT_FALSE(background.fresh(dir.path(), kName, 7)) << "kept parts mean the page is drawn next";

    // A translucent picture is blended over what lies below, so it cannot be laid; nor can a
    // picture of another size than the window's.
    QImage translucent(40, 30, QImage::Format_ARGB32);
    translucent.fill(QColor(10, 20, 30, 128));
    ASSERT_TRUE(translucent.save(dir.path() + "/Glass.png"));
    SkinImageCache::Entry glass = cache.take(dir.path(), "/Glass.png");
    const QImage before = canvas;
    EXPECT_FALSE(background.lay(canvas, glass, dir.path(), "/Glass.png", 9));
    EXPECT_FALSE(glass.image.isNull());
    EXPECT_EQ(canvas.constBits(), before.constBits());
    SkinImageCache::Entry again = cache.take(dir.path(), kName);
    const QImage small(10, 10, QImage::Format_ARGB32_Premultiplied);
    EXPECT_FALSE(background.lay(canvas, again, dir.path(), kName, 9, &small));
    EXPECT_FALSE(again.image.isNull());
    EXPECT_TRUE(background.holds(dir.path(), kName)) << "what was laid stays laid";
}

TEST_F(PageBackgroundTest, RedrawsInsideTheKeptPartsDecodeNothingAndOthersDecodeOnceExactly) {
    const QRect button(20, 30, 50, 20), box(200, 150, 60, 30);
    layAndKeep(QRegion(button) + box);
    EXPECT_EQ(background.heldBytes(), std::size_t(4 * (50 * 20 + 60 * 30)));
    scribble();
    EXPECT_TRUE(draw(button.adjusted(5, 5, -5, -5)));
    EXPECT_TRUE(draw(box));
    EXPECT_EQ(differing(button.adjusted(5, 5, -5, -5)), 0);
    EXPECT_EQ(differing(box), 0);
    EXPECT_EQ(differing(button.adjusted(0, 0, 0, -16)), 4 * 50) << "only the area asked for is drawn";
    EXPECT_EQ(background.fullDecodes(), 0u);

    // Past a kept part (an over look's glow reaching beyond its region): the whole picture, once.
    const QRect glow = button.adjusted(-8, -8, 8, 8);
    EXPECT_TRUE(draw(glow));
    EXPECT_TRUE(draw(QRect(100, 0, 30, 200)));
    EXPECT_EQ(differing(glow), 0);
    EXPECT_EQ(differing(QRect(100, 0, 30, 200)), 0);
    EXPECT_EQ(background.fullDecodes(), 1u);
    EXPECT_GE(background.heldBytes(), std::size_t(original.sizeInBytes()));

    background.forget();
    EXPECT_FALSE(background.holds(dir.path(), kName));
    EXPECT_EQ(background.heldBytes(), 0u);
}

TEST_F(PageBackgroundTest, APageDrawnAnewIsUncoveredFromOneDecodeOfTheWholePicture) {
    layAndKeep(QRegion(10, 10, 20, 20));
    for (int draw = 0; draw < 3; ++draw) {
        scribble();
        ASSERT_TRUE(background.uncover(canvas));
        EXPECT_EQ(differing(canvas.rect()), 0);
    }
    EXPECT_EQ(background.fullDecodes(), 1u);
    background.forget();
    EXPECT_FALSE(background.uncover(canvas)) << "nothing laid";
}

TEST_F(PageBackgroundTest, APictureGoneFromDiskStillHasItsKeptPartsAndNothingElseIsDrawn) {
    const QRect kept(10, 10, 40, 40);
    layAndKeep(QRegion(kept));
    scribble();
    ASSERT_TRUE(QFile::remove(dir.path() + kName));
    EXPECT_TRUE(draw(kept));
    EXPECT_EQ(differing(kept), 0);
    EXPECT_FALSE(draw(QRect(100, 100, 20, 20)));
    EXPECT_EQ(canvas.pixel(110, 110), qRgb(255, 0, 0)) << "left as it was";
    EXPECT_FALSE(background.uncover(canvas));
    EXPECT_EQ(canvas.pixel(110, 110), qRgb(255, 0, 0));
}

} // namespace
} // namespace vexo
