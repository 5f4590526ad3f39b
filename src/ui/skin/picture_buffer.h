// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QImage>
#include <QSize>
#include <cstddef>

namespace vexo {

// Memory for the window-sized pictures (a page background, the back buffer it is composed in).
//
// Each of them is over 2 MiB, and the system hands fresh memory out one 4 KiB page at a time, each
// page fault a trip into the kernel; under a hypervisor those trips cost as much as decoding the
// picture. Pictures at least one huge page large get memory that the system may back with huge
// pages (2 MiB each), only for the whole huge pages inside the picture, so that nothing beyond the
// picture's own size becomes resident. Where the system offers no huge pages this is ordinary memory.
class PictureBuffer {
public:
    // The size of one huge page on x86-64 and ARM64 (4 KiB base pages).
    static constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

    // An image of size and format with uninitialised pixels, laid out as QImage lays out its own
    // (32-bit aligned lines). Pictures of kHugePageBytes or more get the memory described above;
    // copies of the image (a write to a shared one detaches it) are ordinary images. A null image
    // when size is empty or the memory cannot be had.
    static QImage allocate(QSize size, QImage::Format format);

    // A premultiplied ARGB32 copy of picture in memory from allocate(), pixel for pixel what
    // QImage::convertToFormat(QImage::Format_ARGB32_Premultiplied) gives. Null for a null picture.
    static QImage premultipliedCopy(const QImage& picture);
};

} // namespace vexo
