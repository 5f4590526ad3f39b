// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/hover_tracker.h"

#include <QImage>
#include <QPainter>

#include "ui/skin/mem_dc.h"
#include "ui/skin/skin_draw_extent.h"

namespace vexo {

template <typename F>
void HoverTracker::forEach(F f) {
    for (Item& item : frame_)
        f(item);
    for (Item& item : page_)
        f(item);
}

void HoverTracker::addFrameItem(int id, Region region, int group, Draw draw) {
    frame_.push_back(Item{id, region, group, std::move(draw)});
}

void HoverTracker::setPageItems(std::vector<Item> items) { page_ = std::move(items); }

void HoverTracker::resetFlags() {
    forEach([](Item& item) { item.pointerOver = item.overShown = false; });
}

HoverTracker::Item* HoverTracker::find(QPoint p) {
    for (Item& item : frame_)
        if (item.region.contains(p))
            return &item;
    for (Item& item : page_)
        if (item.region.contains(p))
            return &item;
    return nullptr;
}

bool HoverTracker::sensitiveAt(QPoint p) const { return const_cast<HoverTracker*>(this)->find(p) != nullptr; }

const HoverTracker::Item* HoverTracker::item(int id) const {
    for (const Item& item : frame_)
        if (item.id == id)
            return &item;
    for (const Item& item : page_)
        if (item.id == id)
            return &item;
    return nullptr;
}

std::vector<int> HoverTracker::shownIds() const {
    std::vector<int> ids;
    for (const std::vector<Item>* items : {&frame_, &page_})
        for (const Item& item : *items)
            if (item.overShown)
                ids.push_back(item.id);
    return ids;
}

void HoverTracker::drawOver(CMemDC& dc, Item& item) {
    SkinDrawExtent extent;
    if (dc.painter() != nullptr && item.draw)
        item.draw(*dc.painter(), true);
    item.covered = item.region.rect() | extent.rect();
    dc.addDirty(item.covered);
    item.pointerOver = item.overShown = true;
}

void HoverTracker::restore(CMemDC& dc, const QRegion& area, const Item* skip) {
    if (dc.painter() == nullptr || area.isEmpty())
        return;
    restore_(*dc.painter(), area);
    for (const QRect& part : area)
        dc.addDirty(part);
    // The first look under area hid whatever over look of another group reached into it.
    forEach([&](Item& item) {
        if (&item != skip && item.overShown && area.intersects(item.covered))
            drawOver(dc, item);
    });
}

QRegion HoverTracker::reach() {
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    QRegion all;
    forEach([&](Item& item) {
        SkinDrawExtent extent(SkinDrawExtent::Mode::Measure);
        if (item.draw)
            item.draw(painter, true);
        all += item.region.rect() | extent.rect();
    });
    return all;
}

bool HoverTracker::move(QPoint p) {
    if (sensitiveAt(p))
        return true;
    std::unique_ptr<CMemDC> dc;
    QRegion area;
    forEach([&](Item& item) {
        item.pointerOver = false;
        if (!item.overShown)
            return;
        if (!dc)
            dc = open_();
        item.overShown = false;
        if (restore_) {
            area += item.covered;
        } else {
            if (dc->painter() != nullptr && item.draw)
                item.draw(*dc->painter(), false);
            dc->addDirty(item.region.rect());
        }
    });
    if (dc)
        restore(*dc, area, nullptr);
    return false;
}

void HoverTracker::hover(QPoint p) {
    Item* target = find(p);
    if (target == nullptr || target->pointerOver)
        return;
    std::unique_ptr<CMemDC> dc = open_();
    QPainter* canvas = dc->painter();
    // Every other lit region goes back to normal first, so that restoring it cannot cut into the
    // over look drawn next (OK and Apply share a column of pixels). Neighbours of other groups go
    // too: a pointer moving straight from one to the next crosses no plain spot that would clear it.
    QRegion area;
    forEach([&](Item& other) {
        if (&other == target || !other.overShown)
            return;
        if (restore_) {
            area += other.covered;
        } else {
            if (canvas != nullptr && other.draw)
                other.draw(*canvas, false);
            dc->addDirty(other.region.rect());
        }
        // Clearing pointer-over too lets the pointer come back to this region and light it again;
        // otherwise OK -> Apply -> OK would leave OK dark while the pointer is on it.
        other.overShown = other.pointerOver = false;
    });
    if (restore_)
        restore(*dc, area, target);
    drawOver(*dc, *target);
}

} // namespace vexo
