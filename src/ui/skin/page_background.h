// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/skin/skin_image_cache.h"

class QPainter;

namespace vexo {

// The background of a skinned page, held only where the page may need it again.
//
// A page is composed in its back buffer on top of its background, and later redraws bring parts of
// the background back (a hover look leaving, a box drawn anew). Keeping the whole decoded picture
// beside the back buffer for that doubles the page's largest allocation. Instead the decoded
// picture becomes the back buffer itself (no copy), and only the parts a redraw can ask for are
// kept aside. A redraw of any other part still gets the exact pixels: the file is decoded again and
// then held whole, as before.
//
// Only opaque pictures are laid this way: a translucent one is blended over what lies below it, so
// its pixels alone are not the page's face; those stay with the picture cache, drawn as before.
class PageBackground {
public:
    // Makes canvas the picture of entry (decoded from dir + name, as SkinImageCache names pictures),
    // premultiplied in place, and takes entry's image. generation is the canvas's redraw count at
    // this moment (see fresh()). Returns false, leaving canvas and entry as they were, when the
    // picture is null or not opaque, or when sizeOf is not null and the picture's size differs from
    // it.
    bool lay(QImage& canvas, SkinImageCache::Entry& entry, const QString& dir, const QString& name,
             std::uint64_t generation, const QImage* sizeOf = nullptr);
    // Whether the picture of dir + name was laid and nothing was drawn on the canvas since (its redraw
    // count is still generation).
    bool fresh(const QString& dir, const QString& name, std::uint64_t generation) const;
    // Keeps aside the pixels of areas from canvas, which must show the laid picture uncovered (right
    // after lay()); what was kept before goes.
    void keep(const QImage& canvas, const QRegion& areas);
    // Whether the picture of dir + name is the one laid.
    bool holds(const QString& dir, const QString& name) const {
        return !name_.isEmpty() && name == name_ && dir == dir_;
    }

    // Draws the background's pixels of area onto canvas, replacing what is there; parts of area past
    // the picture's edge are left alone. Parts not kept aside come from the whole picture, decoded
    // once on first need and held until forget(); false when that decode fails (nothing drawn there).
    bool drawArea(QPainter& canvas, const QRect& area);

    // Makes canvas show the laid picture uncovered again, for a whole page drawn anew on it, from
    // the whole picture: decoded on first need and held until forget(), so that a burst of such
    // draws (a mouse plugged in and out) decodes once. False when nothing is laid or the decode
    // fails (canvas untouched).
    bool uncover(QImage& canvas);

    // Gives everything back: nothing is laid any more.
    void forget();

    // Decodes of the whole picture so far, over every picture laid (each for a redraw outside the
    // parts kept, or for a page drawn anew).
    std::size_t fullDecodes() const { return fullDecodes_; }
    // Bytes of pixels held: the parts kept aside and a whole picture decoded for a redraw.
    std::size_t heldBytes() const;

private:
    // Decodes the laid picture's file into whole_; false when that fails.
    bool decodeWhole();

    struct Part {
        QRect rect;
        QImage pixels;
    };

    QString dir_;
    QString name_;
    QSize size_;
    std::uint64_t generation_ = 0;
    bool fresh_ = false;
    std::vector<Part> parts_;
    QRegion kept_;
    QImage whole_;
    std::size_t fullDecodes_ = 0;
};

} // namespace vexo
