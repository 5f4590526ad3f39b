// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Loading, preparing, caching and drawing skin pictures.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <thread>

#include "ui/qt_test_main.h"
#include "ui/skin_fixture.h"
#include "ui/skin/skin_context.h"
#include "support/recording_prompter.h"
#include "ui/skin/elided_texts.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_image_cache.h"
#include "ui/skin/skin_context.h"

namespace vexo {
namespace {

class SkinDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        skinContext.strSkinDir = skin.path().toStdString();
        canvas.fill(qRgb(255, 0, 0));
    }
    test::SkinFixture skin;
    SkinContext skinContext;
    QImage canvas{40, 40, QImage::Format_ARGB32_Premultiplied};
};

TEST_F(SkinDrawingTest, AlphaPicturesArePremultipliedByTruncationAndBlendedSourceOver) {
    QImage straight(2, 1, QImage::Format_ARGB32);
    // 129 * 128 / 255 = 64.75: truncation gives 64 where a rounding premultiply gives 65.
    straight.setPixel(0, 0, qRgba(3, 254, 129, 128));
    straight.setPixel(1, 0, qRgba(255, 255, 255, 0));
    const QImage prepared = SkinImageCache::prepare(straight);
    ASSERT_EQ(prepared.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(prepared.pixel(0, 0), qRgba(1, 127, 64, 128));
    EXPECT_EQ(prepared.pixel(1, 0), qRgba(0, 0, 0, 0));

    skin.write("/half.png", 4, 4, QColor(0, 0, 255, 128), true);
    skin.write("/clear.png", 4, 4, QColor(0, 255, 0, 0), true);
    QPainter painter(&canvas);
    ASSERT_TRUE(DrawSkinImage(&painter, skinContext, "/half.png", 10, 10));
    ASSERT_TRUE(DrawSkinImage(&painter, skinContext, "/clear.png", 20, 20));
    painter.end();
    // Source over: about half blue over red; a fully transparent picture leaves the canvas alone.
    const QColor blended = canvas.pixelColor(11, 11);
    EXPECT_NEAR(blended.red(), 127, 2);
    EXPECT_NEAR(blended.blue(), 128, 2);
    EXPECT_EQ(canvas.pixel(21, 21), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(9, 9), qRgb(255, 0, 0));
}

TEST_F(SkinDrawingTest, PicturesWithoutAlphaCoverOpaqueAtTheirOwnSize) {
    skin.write("/solid.png", 5, 3, QColor(0, 200, 0));
    QPainter painter(&canvas);
    ASSERT_TRUE(DrawSkinImage(&painter, skinContext, "/solid.png", 2, 4));
    painter.end();
    EXPECT_EQ(canvas.pixel(2, 4), qRgb(0, 200, 0));
    EXPECT_EQ(canvas.pixel(6, 6), qRgb(0, 200, 0));
    EXPECT_EQ(canvas.pixel(7, 4), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 7), qRgb(255, 0, 0));
}

TEST_F(SkinDrawingTest, NamesMatchFilesWithoutRegardToCase) {
    skin.write("/DropdownBox.png", 3, 3, QColor(1, 2, 3));
    EXPECT_FALSE(SkinImageCache::resolve(skin.path(), "/dropdownbox.png").isEmpty());
    QPainter painter(&canvas);
    EXPECT_TRUE(DrawSkinImage(&painter, skinContext, "/dropdownbox.png", 0, 0));
    EXPECT_TRUE(DrawSkinImage(&painter, skinContext, "/DROPDOWNBOX.PNG", 0, 0));
    EXPECT_FALSE(DrawSkinImage(&painter, skinContext, "/dropdownbox2.png", 0, 0));
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(1, 2, 3));
}

TEST_F(SkinDrawingTest, CacheDecodesOnceButFollowsReplacedFilesAndOtherFolders) {
    SkinImageCache cache;
    skin.write("/a.png", 2, 2, QColor(10, 10, 10));
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(10, 10, 10));
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(10, 10, 10));
    EXPECT_EQ(cache.decodeCount(), 1u);

    // Same size, new content: the modification time tells the cache.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    skin.write("/a.png", 2, 2, QColor(20, 20, 20));
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(20, 20, 20));
    EXPECT_EQ(cache.decodeCount(), 2u);

    // Rewritten in place with the same size and its old modification time put back, to the
    // nanosecond (as cp -p does): only the status time tells.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const QByteArray file = QFile::encodeName(skin.path() + "/a.png");
    struct stat before;
    ASSERT_EQ(::stat(file.constData(), &before), 0);
    skin.write("/a.png", 2, 2, QColor(40, 40, 40));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.constData(), times, 0), 0);
    struct stat after;
    ASSERT_EQ(::stat(file.constData(), &after), 0);
    ASSERT_EQ(after.st_size, before.st_size) << "the test needs a replacement of the same size";
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(40, 40, 40));
    skin.write("/a.png", 2, 2, QColor(20, 20, 20));

    test::SkinFixture other;
    other.write("/a.png", 2, 2, QColor(30, 30, 30));
    EXPECT_EQ(cache.load(other.path(), "/a.png").pixel(0, 0), qRgb(30, 30, 30));
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(20, 20, 20));

    skin.remove("/a.png");
    EXPECT_TRUE(cache.load(skin.path(), "/a.png").isNull());

    SkinImageCache uncached(SkinImageCache::Mode::DecodeEveryTime);
    uncached.load(other.path(), "/a.png");
    uncached.load(other.path(), "/a.png");
    EXPECT_EQ(uncached.decodeCount(), 2u);
}

TEST_F(SkinDrawingTest, APictureTakenIsNoLongerHeldAndIsTheFileAsItIsNow) {
    SkinImageCache cache;
    skin.write("/back.png", 2, 2, QColor(10, 10, 10));
    cache.load(skin.path(), "/back.png");
    ASSERT_EQ(cache.decodeCount(), 1u);

    // The one held is handed over without a decode, and the cache holds it no more.
    SkinImageCache::Entry taken = cache.take(skin.path(), "/back.png");
    EXPECT_EQ(taken.image.pixel(0, 0), qRgb(10, 10, 10));
    EXPECT_EQ(cache.decodeCount(), 1u);
    EXPECT_EQ(cache.size(), 0u);
    // Nothing held: a decode of its own, not kept either.
    EXPECT_EQ(cache.take(skin.path(), "/back.png").image.pixel(0, 0), qRgb(10, 10, 10));
    EXPECT_EQ(cache.decodeCount(), 2u);
    EXPECT_EQ(cache.size(), 0u);

    // One replaced while held is read as it is now; one gone is null.
    cache.load(skin.path(), "/back.png");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    skin.write("/back.png", 2, 2, QColor(40, 40, 40));
    EXPECT_EQ(cache.take(skin.path(), "/back.png").image.pixel(0, 0), qRgb(40, 40, 40));
    EXPECT_TRUE(cache.take(skin.path(), "/missing.png").image.isNull());
}

TEST_F(SkinDrawingTest, APictureDecodedApartIsAdoptedAndStillFollowsItsFile) {
    skin.write("/a.png", 2, 2, QColor(10, 10, 10));
    SkinImageCache::Entry entry;
    std::thread([&] { entry = SkinImageCache::decodeApart(skin.path(), "/A.PNG"); }).join();
    ASSERT_FALSE(entry.image.isNull());
    EXPECT_TRUE(entry.file.endsWith("/a.png")) << "found without regard to case";
    EXPECT_TRUE(SkinImageCache::decodeApart(skin.path(), "/missing.png").image.isNull());

    SkinImageCache cache;
    cache.adopt(skin.path(), "/a.png", entry);
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(10, 10, 10));
    EXPECT_EQ(cache.decodeCount(), 0u) << "adopted, not decoded again";

    // Replaced after it was decoded apart: the cache reads the file as it is now.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    skin.write("/a.png", 2, 2, QColor(20, 20, 20));
    EXPECT_EQ(cache.load(skin.path(), "/a.png").pixel(0, 0), qRgb(20, 20, 20));

    SkinImageCache uncached(SkinImageCache::Mode::DecodeEveryTime);
    uncached.adopt(skin.path(), "/a.png", entry);
    EXPECT_EQ(uncached.decodeCount(), 0u) << "a cache that decodes every time keeps nothing";
}

TEST_F(SkinDrawingTest, BrokenFilesAreNotDrawnAndOnlyDialogsReportThem) {
    QFile broken(skin.path() + "/broken.png");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a png");
    broken.close();

    test::RecordingPrompter prompter;
    QPainter painter(&canvas);
    EXPECT_FALSE(DrawSkinImage(&painter, skinContext, "/broken.png", 0, 0));
    EXPECT_FALSE(DrawSkinImage(&painter, skinContext, "/missing.png", 0, 0));
    EXPECT_FALSE(DrawDialogSkinImage(&painter, skinContext, "/missing.png", 0, 0, prompter));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "LoadPng---Load image failed.");
    EXPECT_EQ(prompter.shown[0].caption, kApplicationTitle);
    EXPECT_TRUE(DrawDialogSkinImage(&painter, skinContext, "/button-normal.png", 0, 0, prompter));
    painter.end();
    EXPECT_EQ(canvas.pixel(39, 39), qRgb(255, 0, 0));

    // Without a canvas nothing is drawn and nothing is reported.
    EXPECT_FALSE(DrawSkinImage(nullptr, skinContext, "/button-normal.png", 0, 0));
    EXPECT_FALSE(DrawDialogSkinImage(nullptr, skinContext, "/missing.png", 0, 0, prompter));
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(SkinDrawingTest, TextLayoutsPlaceSingleLinesInsideTheirRectangle) {
    QFont font;
    font.setPixelSize(12);
    const QRect rect(0, 0, 40, 20);
    auto inkBounds = [&](TextLayout layout) {
        QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        DrawSkinText(painter, rect, "ii", font, Qt::white, layout);
        painter.end();
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(0, 0, 0))
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    const QRect left = inkBounds(TextLayout::LeftMiddle);
    const QRect centre = inkBounds(TextLayout::Centre);
    const QRect right = inkBounds(TextLayout::RightMiddle);
    const QRect top = inkBounds(TextLayout::TopCentre);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_LT(left.left(), centre.left());
    EXPECT_LT(centre.left(), right.left());
    EXPECT_NEAR(top.center().x(), centre.center().x(), 1);
    EXPECT_LT(top.top(), centre.top());
    EXPECT_TRUE(rect.contains(right));
    // A line longer than the rectangle is clipped to it, never wrapped below it.
    const QRect clipped = [&] {
        QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        DrawSkinText(painter, QRect(0, 0, 20, 14), "a long caption that does not fit", font, Qt::white,
                     TextLayout::LeftMiddle);
        painter.end();
        QRect ink;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                if (image.pixel(x, y) != qRgb(0, 0, 0))
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }();
    EXPECT_TRUE(QRect(0, 0, 20, 14).contains(clipped));
}

// A text wider than its box, whatever the layout, is drawn from the box's left edge (its first
// letter whole), cut at the right with an ellipsis, and kept whole for the tooltip over the box;
// a text that fits afterwards in the same box forgets it.
TEST_F(SkinDrawingTest, TextsWiderThanTheirBoxStartAtItsLeftEdgeAndAreKeptWholeForTheTooltip) {
    QFont font;
    font.setPixelSize(12);
    const QString whole = "RGB Fixed On";
    const QRect box(10, 0, QFontMetrics(font).horizontalAdvance(whole) - 12, 20);
    for (const TextLayout layout :
         {TextLayout::LeftMiddle, TextLayout::Centre, TextLayout::RightMiddle, TextLayout::TopCentre}) {
        QImage image(box.right() + 40, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        DrawSkinText(painter, box, whole, font, Qt::white, layout);
        painter.end();
        // What a left-aligned "R…" draws in the first columns: ink within 3 pixels of the edge.
        int firstInk = image.width();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(0, 0, 0))
                    firstInk = std::min(firstInk, x);
        EXPECT_GE(firstInk, box.left());
        EXPECT_LE(firstInk, box.left() + 3) << "layout " << int(layout);
        EXPECT_EQ(ElidedTexts::at(&image, box.center()), whole);
        EXPECT_EQ(ElidedTexts::at(&image, QPoint(box.right() + 5, box.center().y())), QString());
        // The box now shows a text that fits: nothing is kept for it.
        QPainter again(&image);
        DrawSkinText(again, box, "RGB", font, Qt::white, layout);
        again.end();
        EXPECT_EQ(ElidedTexts::at(&image, box.center()), QString());
        ElidedTexts::forget(&image);
    }
    const QString cut = ElidedTexts::fit(whole, font, box.width());
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)));
    EXPECT_TRUE(whole.startsWith(cut.chopped(1)));
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(cut), box.width());
    EXPECT_EQ(ElidedTexts::fit(whole, font, box.width() + 12), whole);
}

} // namespace
} // namespace vexo
