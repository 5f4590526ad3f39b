// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Memory of the window-sized pictures: layout, sharing, the huge-page advice, and the copy the back
// buffer is made with.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/mman.h>

#include "ui/qt_test_main.h"
#include "ui/skin/picture_buffer.h"
#include "ui/skin/skin_image_cache.h"

namespace vexo {
namespace {

constexpr QSize kPage(880, 650); // a page background: 2.2 MiB in 32 bits

// The kernel's record of the mapping holding address: its bounds and flags ("hg" is the huge-page
// advice). Empty when no mapping holds it.
struct MappingInfo {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    std::string flags;
};

std::optional<MappingInfo> MappingAt(const void* address) {
    const auto wanted = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    std::optional<MappingInfo> current;
    while (std::getline(smaps, line)) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        std::istringstream head(line);
        if (head >> std::hex >> start >> dash >> end && dash == '-') {
            if (current)
                return current; // the one holding it had no flags line
            if (start <= wanted && wanted < end)
                current = MappingInfo{start, end, {}};
        } else if (current && line.rfind("VmFlags:", 0) == 0) {
            current->flags = line;
            return current;
        }
    }
    return current;
}

bool HasHugePageAdvice(const MappingInfo& mapping) { return mapping.flags.find(" hg") != std::string::npos; }

// Whether this system takes huge-page advice and shows it in its record of the mappings.
bool HugePageAdviceShown() {
#if defined(MADV_HUGEPAGE)
    return QFile::exists("/sys/kernel/mm/transparent_hugepage/enabled") && QFile::exists("/proc/self/smaps");
#else
    return false;
#endif
}

// Pixels with every byte in use, the top one included.
void FillPattern(QImage& image, quint32 seed) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = (seed + quint32(x) * 2654435761u) ^ (quint32(y) * 40503u);
    }
}

TEST(PictureBufferTest, ImagesAreLaidOutAsQtsOwnAndCopiesDetachFromThem) {
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const QSize size : {kPage, QSize(211, 21), QSize(1025, 1025)}) {
            QImage image = PictureBuffer::allocate(size, format);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), size);
            EXPECT_EQ(image.format(), format);
            EXPECT_EQ(image.bytesPerLine(), QImage(size, format).bytesPerLine());
            image.fill(qRgb(1, 2, 3));
            const uchar* const pixels = image.constBits();
            // Drawing into the one image there is writes in place.
            image.setPixel(size.width() - 1, size.height() - 1, qRgb(9, 8, 7));
            EXPECT_EQ(image.constBits(), pixels);
            // A shared copy that is written to gets pixels of its own.
            QImage copy = image;
            copy.setPixel(0, 0, qRgb(200, 100, 50));
            EXPECT_NE(copy.constBits(), pixels);
            EXPECT_EQ(image.pixel(0, 0), qRgb(1, 2, 3));
            EXPECT_EQ(image.pixel(size.width() - 1, size.height() - 1), qRgb(9, 8, 7));
            EXPECT_EQ(copy.pixel(size.width() - 1, size.height() - 1), qRgb(9, 8, 7));
        }
    }
    EXPECT_TRUE(PictureBuffer::allocate(QSize(0, 650), QImage::Format_RGB32).isNull());
    EXPECT_TRUE(PictureBuffer::allocate(kPage, QImage::Format_Invalid).isNull());
    // An odd depth keeps Qt's line length (whole 32-bit words).
    const QImage rgb888 = PictureBuffer::allocate(QSize(1001, 1001), QImage::Format_RGB888);
    EXPECT_EQ(rgb888.bytesPerLine(), QImage(1001, 1001, QImage::Format_RGB888).bytesPerLine());
}

TEST(PictureBufferTest, OnlyTheWholeHugePagesInsideALargePictureAreAdvisedAndTheMemoryGoesWithTheLastCopy) {
    if (!HugePageAdviceShown())
        GTEST_SKIP() << "the system offers no transparent huge pages or does not show its mappings";
    const void* pixels = nullptr;
    {
        QImage page = PictureBuffer::allocate(kPage, QImage::Format_ARGB32_Premultiplied);
        pixels = page.constBits();
        const auto start = reinterpret_cast<std::uintptr_t>(pixels);
        EXPECT_EQ(start % PictureBuffer::kHugePageBytes, 0u);
        const std::optional<MappingInfo> advised = MappingAt(pixels);
        ASSERT_TRUE(advised.has_value());
        EXPECT_TRUE(HasHugePageAdvice(*advised)) << advised->flags;
        EXPECT_EQ(advised->start, start);
        EXPECT_EQ(advised->end, start + PictureBuffer::kHugePageBytes);
        // The rest of the picture (less than a huge page) is ordinary memory.
        const std::optional<MappingInfo> tail = MappingAt(page.constScanLine(page.height() - 1));
        ASSERT_TRUE(tail.has_value());
        EXPECT_FALSE(HasHugePageAdvice(*tail)) << tail->flags;
        EXPECT_GE(tail->end, start + std::uintptr_t(page.sizeInBytes()));

        const QImage shared = page;
        page = QImage();
        EXPECT_TRUE(MappingAt(pixels).has_value()) << "a copy still uses the memory";
    }
    EXPECT_FALSE(MappingAt(pixels).has_value()) << "the last copy gave the memory back";

    // A picture smaller than a huge page gets no advice.
    const QImage dialog = PictureBuffer::allocate(QSize(400, 292), QImage::Format_ARGB32_Premultiplied);
    const std::optional<MappingInfo> small = MappingAt(dialog.constBits());
    ASSERT_TRUE(small.has_value());
    EXPECT_FALSE(HasHugePageAdvice(*small));
}

TEST(PictureBufferTest, PremultipliedCopyIsWhatQtsConversionGives) {
    QImage opaque(kPage, QImage::Format_RGB32);
    FillPattern(opaque, 17); // the undefined top byte set too
    opaque.setDotsPerMeterX(3780);
    opaque.setDotsPerMeterY(2835);
    opaque.setText("Title", "page");
    opaque.setOffset(QPoint(3, 4));
    QImage alpha(QSize(300, 20), QImage::Format_ARGB32);
    FillPattern(alpha, 5);
    QImage premultiplied = alpha.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    premultiplied.setDevicePixelRatio(2.0);
    QImage largeStraight(kPage, QImage::Format_ARGB32);
    FillPattern(largeStraight, 71);
    const QImage large = largeStraight.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    for (const QImage& picture : {opaque, alpha, premultiplied, large, opaque.copy(0, 0, 21, 3)}) {
        const QImage expected = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage copy = PictureBuffer::premultipliedCopy(picture);
        ASSERT_EQ(copy.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(copy, expected);
        EXPECT_EQ(copy.dotsPerMeterX(), expected.dotsPerMeterX());
        EXPECT_EQ(copy.dotsPerMeterY(), expected.dotsPerMeterY());
        EXPECT_EQ(copy.offset(), expected.offset());
        EXPECT_EQ(copy.devicePixelRatio(), expected.devicePixelRatio());
        EXPECT_EQ(copy.text(), expected.text());
        EXPECT_NE(copy.constBits(), picture.constBits()) << "the back buffer is drawn into; the picture is not";
    }
    EXPECT_TRUE(PictureBuffer::premultipliedCopy(QImage()).isNull());
}

TEST(PictureBufferTest, LargePicturesDecodeAsBeforeInTheirDrawingForm) {
    test::TestApp();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage opaque(kPage, QImage::Format_RGB32);
    FillPattern(opaque, 99);
    QImage translucent(kPage, QImage::Format_ARGB32);
    FillPattern(translucent, 3);
    ASSERT_TRUE(opaque.save(dir.path() + "/opaque.png"));
    ASSERT_TRUE(translucent.save(dir.path() + "/translucent.png"));
    for (const QString& name : {QString("/opaque.png"), QString("/translucent.png")}) {
        const QImage expected = SkinImageCache::prepare(QImage(dir.path() + name));
        ASSERT_FALSE(expected.isNull());
        SkinImageCache cache;
        const QImage loaded = cache.load(dir.path(), name);
        EXPECT_EQ(loaded.format(), expected.format());
        EXPECT_EQ(loaded, expected) << name.toStdString();
        EXPECT_EQ(SkinImageCache::decodeApart(dir.path(), name).image, expected) << name.toStdString();
        // Decoded (or premultiplied) straight into page-picture memory, not copied there.
        if (HugePageAdviceShown()) {
            const std::optional<MappingInfo> mapping = MappingAt(loaded.constBits());
            ASSERT_TRUE(mapping.has_value());
            EXPECT_TRUE(HasHugePageAdvice(*mapping)) << name.toStdString();
        }
    }
    // A file that breaks off mid-way decodes to nothing, as before.
    QFile whole(dir.path() + "/opaque.png");
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(dir.path() + "/cut.png");
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 2));
    cut.close();
    EXPECT_EQ(SkinImageCache::decodeApart(dir.path(), "/cut.png").image.isNull(),
              SkinImageCache::prepare(QImage(dir.path() + "/cut.png")).isNull());
}

} // namespace
} // namespace vexo
