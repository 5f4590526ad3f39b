// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Hover feedback of the whole window under real pointer moves: the pointer goes straight from one
// button to its neighbour, as a quick hand does, without resting on a plain spot in between.
#include "basic_page_rig.h"

#include <QLineEdit>

#include "ui/advanced/macro_editor.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/frame_regions.h"

namespace vexo {
namespace {

class PointerHoverTest : public test::BasicPageRig {
protected:
    // The pointer moves to p through the window system and rests there past the hover delay.
    void pointTo(QPoint p) {
        QTest::mouseMove(&window(), p);
        QTest::qWait(40);
    }
    void pointTo(const Region& r) { pointTo(QPoint(r.left + r.width() / 2, r.top + r.height() / 2)); }
    std::vector<int> lit() const { return shell->window().Hover().shownIds(); }
    QRgb at(const Region& r) const { return shell->window().BackBuffer().pixel(r.left + 2, r.top + 2); }
};

TEST_F(PointerHoverTest, OnlyTheItemUnderThePointerIsLitOnBothPages) {
    using namespace frame;
    start();
    window().activateWindow();
    const std::vector<std::pair<Region, int>> frameWalk = {{kPreviousPage, kHoverPreviousPage},
                                                           {kNextPage, kHoverNextPage},
                                                           {kClose, kHoverClose},
                                                           {kMinimise, kHoverMinimise},
                                                           {kSkins, kHoverSkins},
                                                           {kPreviousPage, kHoverPreviousPage},
                                                           {kOk, kHoverOk},
                                                           {kCancel, kHoverCancel},
                                                           {kNextPage, kHoverNextPage}};
    for (const auto& [region, id] : frameWalk) {
        pointTo(region);
        EXPECT_EQ(lit(), std::vector<int>{id}) << "frame button " << id;
        EXPECT_EQ(at(region), test::SkinFixture::kOver) << "frame button " << id;
    }
    // Frame button to page item and between page items of different kinds.
    pointTo(basic::FunctionBox(0));
    EXPECT_EQ(lit().size(), 1u);
    EXPECT_EQ(at(kNextPage), test::SkinFixture::kNormal);
    EXPECT_EQ(at(basic::FunctionBox(0)), kBoxOver);
    pointTo(basic::FunctionBox(1));
    EXPECT_EQ(lit().size(), 1u);
    EXPECT_EQ(at(basic::FunctionBox(0)), kBoxNormal);
    pointTo(basic::kKeyDefault);
    EXPECT_EQ(lit().size(), 1u);
    EXPECT_EQ(at(basic::FunctionBox(1)), kBoxNormal);
    pointTo(kApply);
    EXPECT_EQ(lit(), std::vector<int>{kHoverApply});

    // The advanced page: from a page button straight into the macro-name field lights nothing.
    QTest::mouseClick(&window(), Qt::LeftButton, Qt::NoModifier, QPoint(kNextPage.left + 5, kNextPage.top + 5));
    ASSERT_EQ(window().CurrentPage(), kAdvancedPage);
    pointTo(MacroEditor::kConfirm);
    ASSERT_EQ(lit().size(), 1u);
    pointTo(MacroEditor::kNameField);
    EXPECT_TRUE(lit().empty()) << "the field is under the pointer, not the button";
    pointTo(MacroEditor::kNew);
    EXPECT_EQ(lit().size(), 1u);
    pointTo(MacroEditor::kDelete);
    EXPECT_EQ(lit().size(), 1u);
    pointTo(kPreviousPage);
    EXPECT_EQ(lit(), std::vector<int>{kHoverPreviousPage});
    // Out of the window: nothing stays lit.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&window(), &leave);
    EXPECT_TRUE(lit().empty());
}

} // namespace
} // namespace vexo
