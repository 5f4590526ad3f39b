// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/picture_buffer.h"

#include <QStringList>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace vexo {

namespace {

// One mapping made by allocate(), unmapped when the last image sharing it goes.
struct Mapping {
    void* start;
    std::size_t bytes;
};

void Unmap(void* info) {
    auto* mapping = static_cast<Mapping*>(info);
    ::munmap(mapping->start, mapping->bytes);
    delete mapping;
}

std::size_t RoundUp(std::size_t value, std::size_t unit) { return (value + unit - 1) / unit * unit; }

// Anonymous memory of bytes starting on a huge-page boundary, the whole huge pages in it advised
// for huge pages. Null when the system refuses the mapping.
Mapping* MapAligned(std::size_t bytes) {
    const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    const std::size_t length = RoundUp(bytes, page);
    // Mapped with a huge page to spare, so that a boundary lies inside; the rest is given back.
    const std::size_t reserved = length + PictureBuffer::kHugePageBytes;
    void* base = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        return nullptr;
    const auto first = reinterpret_cast<std::uintptr_t>(base);
    const std::uintptr_t start = RoundUp(first, PictureBuffer::kHugePageBytes);
    if (start > first)
        ::munmap(base, start - first);
    const std::uintptr_t end = start + length;
    if (first + reserved > end)
        ::munmap(reinterpret_cast<void*>(end), first + reserved - end);
#if defined(MADV_HUGEPAGE)
    // Only whole huge pages: a huge page reaching past the picture would make memory resident
    // that no pixel uses. Advice the system does not take changes nothing.
    const std::size_t advised = bytes / PictureBuffer::kHugePageBytes * PictureBuffer::kHugePageBytes;
    if (advised > 0)
        ::madvise(reinterpret_cast<void*>(start), advised, MADV_HUGEPAGE);
#endif
    return new Mapping{reinterpret_cast<void*>(start), length};
}

void CopyMetadata(const QImage& from, QImage& to) {
    to.setDotsPerMeterX(from.dotsPerMeterX());
    to.setDotsPerMeterY(from.dotsPerMeterY());
    to.setOffset(from.offset());
    to.setDevicePixelRatio(from.devicePixelRatio());
    for (const QString& key : from.textKeys())
        to.setText(key, from.text(key));
}

} // namespace

QImage PictureBuffer::allocate(QSize size, QImage::Format format) {
    if (size.isEmpty() || format == QImage::Format_Invalid)
        return {};
    const auto depth = std::size_t(QImage::toPixelFormat(format).bitsPerPixel());
    // QImage's own line length: whole 32-bit words.
    const std::size_t bytesPerLine = (std::size_t(size.width()) * depth + 31) / 32 * 4;
    const std::size_t bytes = bytesPerLine * std::size_t(size.height());
    if (bytes < kHugePageBytes)
        return QImage(size, format);
    Mapping* mapping = MapAligned(bytes);
    if (mapping == nullptr)
        return QImage(size, format);
    QImage image(static_cast<uchar*>(mapping->start), size.width(), size.height(), qsizetype(bytesPerLine), format,
                 Unmap, mapping);
    if (image.isNull()) {
        Unmap(mapping);
        return QImage(size, format);
    }
    return image;
}

QImage PictureBuffer::premultipliedCopy(const QImage& picture) {
    const QImage::Format format = picture.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage copy = allocate(picture.size(), QImage::Format_ARGB32_Premultiplied);
    if (copy.isNull())
        return {};
    const int width = picture.width();
    uchar* const lines = copy.bits();
    for (int y = 0; y < picture.height(); ++y) {
        const auto* from = reinterpret_cast<const quint32*>(picture.constScanLine(y));
        auto* to = reinterpret_cast<quint32*>(lines + qsizetype(y) * copy.bytesPerLine());
        if (format == QImage::Format_ARGB32_Premultiplied) {
            std::memcpy(to, from, std::size_t(width) * sizeof(quint32));
        } else {
            // The byte above the colour of an RGB32 pixel is undefined; opaque it is.
            for (int x = 0; x < width; ++x)
                to[x] = from[x] | 0xff000000u;
        }
    }
    CopyMetadata(picture, copy);
    return copy;
}

} // namespace vexo
