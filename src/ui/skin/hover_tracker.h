// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <functional>
#include <memory>
#include <vector>

#include "ui/skin/region.h"

class QPainter;

namespace vexo {

class CMemDC;

// Hover feedback of a skinned window. Each hover-sensitive region keeps two flags: pointer-over
// (its over image was drawn for the pointer being there, so a repeated notice draws nothing) and
// over-shown (its over image is on screen). At most one region shows its over image, the one under
// the pointer: a region returns to normal when the pointer moves onto a point that is not
// hover-sensitive, or onto another region. (Regions keep the group they were given; a group only
// names the regions that belong together.)
//
// A region returns to normal by restoring the window's first look under everything its over look
// covered (the Restore callback), not by drawing its normal picture over the over picture: a normal
// picture need not cover an over picture's glow, and what it leaves would build up pass by pass.
class HoverTracker {
public:
    // Draws the region in its normal (over = false) or over look, caption included.
    using Draw = std::function<void(QPainter& canvas, bool over)>;
    // Opens one redraw of the window (copied to the screen when destroyed).
    using OpenCanvas = std::function<std::unique_ptr<CMemDC>()>;
    // Draws the window's first look (every region normal) clipped to area.
    using Restore = std::function<void(QPainter& canvas, const QRegion& area)>;

    struct Item {
        int id = 0;
        Region region;
        int group = 0;
        Draw draw;
        bool pointerOver = false;
        bool overShown = false;
        // What the last over look covered: the region and every skin picture drawn for it.
        QRect covered{};
    };

    // Without a restore callback a region returns to normal by drawing its normal look over the
    // over look.
    explicit HoverTracker(OpenCanvas open, Restore restore = nullptr)
        : open_(std::move(open)), restore_(std::move(restore)) {}

    // Frame regions stay for the window's life; they are tested before the page's regions.
    void addFrameItem(int id, Region region, int group, Draw draw);
    // Replaces the regions of the page shown (empty when none).
    void setPageItems(std::vector<Item> items);
    // Forgets every flag, after a full redraw that drew every region normal.
    void resetFlags();

    bool sensitiveAt(QPoint p) const;
    // Everything the regions' over looks would cover, frame and page, as one area: what a return
    // to normal may restore. Found by measuring each over look, which draws nothing.
    QRegion reach();

    // Pointer moved to p. Returns true when p is hover-sensitive (the caller then asks for a hover
    // notice). Otherwise clears every pointer-over flag and returns every region that shows its
    // over image to normal in one redraw.
    bool move(QPoint p);

    // Hover notice at p: draws the over image of the region under p unless its pointer-over flag is
    // already set, and returns every other region to normal, in one redraw.
    void hover(QPoint p);

    // The region's flags; nullptr for an unknown id.
    const Item* item(int id) const;
    // The ids of the regions whose over image is on screen, frame regions first.
    std::vector<int> shownIds() const;

private:
    Item* find(QPoint p);
    template <typename F>
    void forEach(F f);
    void drawOver(CMemDC& dc, Item& item);
    // Returns the items in area to normal, then draws again the over looks area touched.
    void restore(CMemDC& dc, const QRegion& area, const Item* skip);

    OpenCanvas open_;
    Restore restore_;
    std::vector<Item> frame_;
    std::vector<Item> page_;
};

} // namespace vexo
