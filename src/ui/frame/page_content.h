// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <QRegion>
#include <vector>

#include "ui/skin/hover_tracker.h"

class QPainter;

namespace vexo {

class DropDownList;

// The pages of the main window.
inline constexpr int kNoPage = 0;
inline constexpr int kBasicPage = 1;
inline constexpr int kAdvancedPage = 2;

// What one page adds to the main window's frame. The frame draws the page's background, its own
// buttons and the page title; the page draws and hit-tests everything else.
class PageContent {
public:
    virtual ~PageContent() = default;
    // Creates the page's child controls (called when the page is entered).
    virtual void build() = 0;
    // Draws the page's own regions in their normal look over the freshly drawn background.
    virtual void draw(QPainter& canvas) = 0;
    // Destroys the page's child controls and closes its lists (called when the page is left).
    virtual void tearDown() = 0;
    // A click at p that no frame region took. Returns true when one of the page's regions took it;
    // false lets the click drag the window.
    virtual bool click(QPoint p) = 0;
    // The page's hover-sensitive regions, in the order they are tested.
    virtual std::vector<HoverTracker::Item> hoverItems() = 0;
    // The parts of the background that the page's own redraws draw again, beyond its hover regions
    // (the window keeps those parts of its background aside).
    virtual QRegion backgroundParts() const = 0;
    // The page's drop-down lists: every one is closed by a click outside its box and list.
    virtual std::vector<DropDownList*> dropDowns() = 0;
};

} // namespace vexo
