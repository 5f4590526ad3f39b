#include "ui/hover_tracker.h"

#include "ui/mem_dc.h"

namespace vexo {

template <typename F> void HoverTracker::forEach(F f)
{
    for (Item& item : frame_)
        f(item);
    for (Item& item : page_)
        f(item);
}

void HoverTracker::addFrameItem(int id, Region region, int group, Draw draw)
{
    frame_.push_back(Item{id, region, group, std::move(draw)});
}

void HoverTracker::setPageItems(std::vector<Item> items)
{
    page_ = std::move(items);
}

void HoverTracker::resetFlags()
{
    forEach([](Item& item) { item.pointerOver = item.overShown = false; });
}

HoverTracker::Item* HoverTracker::find(QPoint p)
{
    for (Item& item : frame_)
        if (item.region.contains(p))
            return &item;
    for (Item& item : page_)
        if (item.region.contains(p))
            return &item;
    return nullptr;
}

bool HoverTracker::sensitiveAt(QPoint p) const
{
    return const_cast<HoverTracker*>(this)->find(p) != nullptr;
}

const HoverTracker::Item* HoverTracker::item(int id) const
{
    for (const Item& item : frame_)
        if (item.id == id)
            return &item;
    for (const Item& item : page_)
        if (item.id == id)
            return &item;
    return nullptr;
}

bool HoverTracker::move(QPoint p)
{
    if (sensitiveAt(p))
        return true;
    std::unique_ptr<CMemDC> dc;
    forEach([&](Item& item) {
        item.pointerOver = false;
        if (!item.overShown)
            return;
        if (!dc)
            dc = open_();
        if (dc->painter() != nullptr && item.draw)
            item.draw(*dc->painter(), false);
        dc->addDirty(item.region.rect());
        item.overShown = false;
    });
    return false;
}

void HoverTracker::hover(QPoint p)
{
    Item* target = find(p);
    if (target == nullptr || target->pointerOver)
        return;
    std::unique_ptr<CMemDC> dc = open_();
    QPainter* canvas = dc->painter();
    if (canvas != nullptr && target->draw)
        target->draw(*canvas, true);
    dc->addDirty(target->region.rect());
    target->pointerOver = target->overShown = true;
    forEach([&](Item& other) {
        if (&other == target || other.group != target->group || !other.overShown)
            return;
        if (canvas != nullptr && other.draw)
            other.draw(*canvas, false);
        dc->addDirty(other.region.rect());
        // Clearing pointer-over too lets the pointer come back to this region and light it again;
        // otherwise OK -> Apply -> OK would leave OK dark while the pointer is on it.
        other.overShown = other.pointerOver = false;
    });
}

} // namespace vexo
