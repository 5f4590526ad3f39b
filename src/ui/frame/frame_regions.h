// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <string>
#include "ui/skin/region.h"

namespace vexo::frame {

// The regions both pages share, in client pixels. Skins draw their pictures for these positions.
inline constexpr Region kMinimise{825, 5, 843, 23};
inline constexpr Region kClose{850, 5, 868, 23};
inline constexpr Region kSkins{701, 5, 719, 23};
inline constexpr Region kPreviousPage{20, 55, 60, 95};
inline constexpr Region kNextPage{70, 55, 110, 95};
inline constexpr Region kOk{513, 609, 618, 630};
inline constexpr Region kApply{617, 609, 722, 630};
inline constexpr Region kCancel{721, 609, 826, 630};
inline constexpr Region kWebLink{138, 629, 310, 644};
inline constexpr Region kPageTitle{120, 50, 352, 100};
// The free strip between the header and the panels of both pages: where the window says that no
// mouse is connected.
inline constexpr Region kMouseAbsentLine{20, 112, 860, 146};

// The page backgrounds of a skin; the basic page's also gives the window its size.
inline constexpr const char* kBasicBackground = "/BasicSet2.png";
inline constexpr const char* kAdvancedBackground = "/AdvancedSet2.png";

// The link under the logo names a host (the text table's web address); the browser is handed this
// address for it. An empty name opens nothing.
std::string WebUrlOf(const std::string& host);

} // namespace vexo::frame

namespace vexo::frame {

// Identifiers and groups of the frame's hover regions. Pages number theirs from kFirstPageId and
// kFirstPageGroup on.
enum HoverId {
    kHoverOk = 1,
    kHoverApply,
    kHoverCancel,
    kHoverSkins,
    kHoverClose,
    kHoverMinimise,
    kHoverPreviousPage,
    kHoverNextPage,
    kFirstPageId = 100
};
enum HoverGroup {
    kGroupTextButtons = 1,
    kGroupSkins,
    kGroupClose,
    kGroupMinimise,
    kGroupPreviousPage,
    kGroupNextPage,
    kFirstPageGroup = 100
};

} // namespace vexo::frame
