// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/page_background.h"

#include <QPainter>

#include "ui/skin/skin_draw_extent.h"

namespace vexo {

bool PageBackground::lay(QImage& canvas, SkinImageCache::Entry& entry, const QString& dir, const QString& name,
                         std::uint64_t generation, const QImage* sizeOf) {
    // A decoder gives opaque pictures as RGB32, whose fourth byte is always 0xff: the same bytes are
    // already premultiplied ARGB32, so the picture becomes the canvas without a pass over its pixels.
    QImage& picture = entry.image;
    if (picture.isNull() || picture.format() != QImage::Format_RGB32 ||
        (sizeOf != nullptr && picture.size() != sizeOf->size()))
        return false;
    if (!picture.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied))
        return false;
    forget();
    canvas = std::move(picture);
    picture = QImage();
    dir_ = dir;
    name_ = name;
    size_ = canvas.size();
    generation_ = generation;
    fresh_ = true;
    return true;
}

bool PageBackground::fresh(const QString& dir, const QString& name, std::uint64_t generation) const {
    return fresh_ && holds(dir, name) && generation == generation_;
}

void PageBackground::keep(const QImage& canvas, const QRegion& areas) {
    parts_.clear();
    fresh_ = false;
    kept_ = areas & QRegion(canvas.rect());
    for (const QRect& rect : kept_)
        parts_.push_back({rect, canvas.copy(rect)});
}

bool PageBackground::drawArea(QPainter& canvas, const QRect& wanted) {
    // Nothing lies past the picture's edge (a glow may reach out of the window).
    const QRect area = wanted & QRect(QPoint(0, 0), size_);
    if (!canvas.isActive() || area.isEmpty())
        return false;
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    bool drawn = true;
    if (whole_.isNull() && !(QRegion(area) - kept_).isEmpty()) {
        // A part nobody said would be redrawn: the file once more, then the whole picture stays.
        drawn = decodeWhole();
    }
    if (!whole_.isNull()) {
        const QRect part = area.intersected(whole_.rect());
        canvas.drawImage(part.topLeft(), whole_, part);
    } else {
        for (const Part& kept : parts_) {
            const QRect part = kept.rect.intersected(area);
            if (!part.isEmpty())
                canvas.drawImage(part.topLeft(), kept.pixels, part.translated(-kept.rect.topLeft()));
        }
    }
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    SkinDrawExtent::note(area);
    return drawn;
}

bool PageBackground::decodeWhole() {
    // The file may have been replaced meanwhile; its picture as it is now is the one to draw, as the
    // picture cache would draw it.
    ++fullDecodes_;
    whole_ = SkinImageCache::decodeApart(dir_, name_).image;
    if (whole_.format() == QImage::Format_RGB32)
        whole_.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return !whole_.isNull();
}

bool PageBackground::uncover(QImage& canvas) {
    if (name_.isEmpty() || canvas.isNull() || (whole_.isNull() && !decodeWhole()))
        return false;
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, whole_);
    return true;
}

void PageBackground::forget() {
    dir_.clear();
    name_.clear();
    fresh_ = false;
    parts_.clear();
    kept_ = QRegion();
    whole_ = QImage();
}

std::size_t PageBackground::heldBytes() const {
    std::size_t bytes = std::size_t(whole_.sizeInBytes());
    for (const Part& part : parts_)
        bytes += std::size_t(part.pixels.sizeInBytes());
    return bytes;
}

} // namespace vexo
