// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The skins the build draws into bin/Skins: every picture the window opens is there, once, at the
// size of the region it is drawn into, in a format the window can blend, and legible.

#include "skin_checks.h"

#include <gtest/gtest.h>

#include <QImageReader>

#include <map>

namespace vexo::test {
namespace {

const QStringList kSkins = {QStringLiteral("Black"), QStringLiteral("Blue")};

// Background behind the small pictures where they are drawn (the panels are about this dark).
const QColor kPanel(0x1c, 0x1e, 0x23);
// Text colour of the delivered str.ini and the white of page titles and dialog prompts.
const QColor kText(220, 220, 220);
const QColor kWhite(255, 255, 255);

struct Expected {
    const char* name;
    int width; // 0: checked by the region tests instead
    int height;
    bool alpha; // drawn with transparency around a rounded shape
};

// Every name the window and its dialogs open, with the size the layout gives it.
const Expected kFiles[] = {
    {"/BasicSet2.png", 880, 650, false},
    {"/AdvancedSet2.png", 880, 650, false},
    {"/button-min-normal.png", 18, 18, true},
    {"/button-min-over.png", 18, 18, true},
    {"/button-close-normal.png", 18, 18, true},
    {"/button-close-over.png", 18, 18, true},
    {"/button-Skins-normal.png", 18, 18, true},
    {"/button-Skins-over.png", 18, 18, true},
    {"/button-PrePage-normal.png", 40, 40, true},
    {"/button-PrePage-over.png", 40, 40, true},
    {"/button-NextPage-normal.png", 40, 40, true},
    {"/button-NextPage-over.png", 40, 40, true},
    {"/button-normal.png", 105, 21, true},
    {"/button-over.png", 105, 21, true},
    {"/DropdownBox-normal.png", 211, 21, true},
    {"/DropdownBox-over.png", 211, 21, true},
    {"/dropdownbox.png", 85, 15, true},
    {"/DropdownBox.png", 85, 15, true},
    {"/Pane.png", 16, 16, true},
    {"/PaneMakingTick.png", 16, 16, true},
    {"/slider-dark.png", 24, 11, true},
    {"/slider-light.png", 24, 11, true},
    {"/slider-RP-dark.png", 70, 11, true},
    {"/slider-RP-light.png", 70, 11, true},
    {"/slider-DPI-dark.png", 24, 11, true},
    {"/slider-DPI-light.png", 24, 11, true},
    {"/combo-key.png", 0, 0, false},
    {"/delay-time.png", 0, 0, false},
    {"/fire-key.png", 0, 0, false},
    {"/macro-key.png", 0, 0, false},
    {"/media-key.png", 0, 0, false},
    {"/single-key.png", 0, 0, false},
    {"/windows-key.png", 0, 0, false},
    {"/skins.png", 0, 0, false},
};

// Loads a picture the way the window finds it: by name, without regard to case.
QImage load(const QString& skin, const char* name) {
    const QDir dir = builtSkin(skin);
    const QStringList found = caseInsensitiveMatches(dir, QString::fromLatin1(name + 1));
    if (found.size() != 1)
        return {};
    return QImage(dir.filePath(found.front()));
}

// Region lists as (left, top, right, bottom), right and bottom outside.
QRect region(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); }

TEST(SkinFiles, EveryNameResolvesToExactlyOneFileOfTheRightSizeAndFormat) {
    for (const QString& skin : kSkins) {
        const QDir dir = builtSkin(skin);
        ASSERT_TRUE(dir.exists()) << dir.path().toStdString();
        for (const Expected& e : kFiles) {
            SCOPED_TRACE(skin.toStdString() + e.name);
            const QStringList found = caseInsensitiveMatches(dir, QString::fromLatin1(e.name + 1));
            ASSERT_EQ(found.size(), 1);
            QImageReader reader(dir.filePath(found.front()));
            EXPECT_EQ(reader.format(), QByteArray("png"));
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
            if (e.width != 0) {
                EXPECT_EQ(image.size(), QSize(e.width, e.height));
            }
            if (e.alpha) {
                // Rounded shapes need per-pixel alpha, which the window blends source-over.
                EXPECT_EQ(image.depth(), 32);
                EXPECT_TRUE(hasTransparentPixel(image));
            } else {
                // Backgrounds are copied as they are: a transparent pixel would leave a hole.
                EXPECT_FALSE(hasTransparentPixel(image));
            }
        }
    }
}

TEST(SkinFiles, NoTwoFilesDifferOnlyInCase) {
    // Such a pair could not be copied to a case-insensitive file system, and the window would open
    // an arbitrary one of them.
    for (const QString& skin : kSkins) {
        std::map<QString, QString> seen;
        for (const QString& entry : builtSkin(skin).entryList(QDir::Files)) {
            const auto [it, inserted] = seen.emplace(entry.toLower(), entry);
            EXPECT_TRUE(inserted) << skin.toStdString() << ": " << entry.toStdString() << " and "
                                  << it->second.toStdString();
        }
    }
}

TEST(SkinFiles, BackgroundsHoldEveryRegionOfTheirWindow) {
    // The outermost regions of the pages: window buttons, list boxes that open downwards, the
    // bottom button row and the web link.
    const QRect pageRegions[] = {
        region(850, 5, 868, 23), // close
        region(138, 629, 310, 644), // web link
        region(721, 609, 826, 630), // Cancel
        region(252, 369, 463, 639), // function list of box 8
        region(766, 377, 851, 577), // lighting parameter list, neon
        region(575, 548, 659, 648), // DPI value list of stage 8
        region(735, 402, 854, 416), // mouse-event drop-down of the macro editor
    };
    const QRect common[] = {region(352, 6, 370, 24), region(166, 253, 271, 274), region(270, 253, 375, 274)};
    const std::map<std::string, std::vector<QRect>> dialogRegions = {
        {"/single-key.png", {region(45, 108, 181, 124), region(74, 129, 150, 143)}},
        {"/combo-key.png", {region(50, 86, 132, 226), region(50, 170, 131, 184)}},
        {"/fire-key.png", {region(50, 86, 132, 256), region(15, 218, 390, 250)}},
        {"/delay-time.png", {region(14, 89, 210, 129), region(74, 129, 150, 143)}},
        {"/media-key.png", {region(43, 145, 151, 265)}},
        {"/windows-key.png", {region(43, 145, 151, 305)}},
        {"/macro-key.png", {region(43, 146, 151, 285), region(237, 170, 390, 202)}},
        {"/skins.png", {region(42, 146, 151, 266), region(12, 64, 181, 94)}},
    };
    for (const QString& skin : kSkins) {
        for (const char* page : {"/BasicSet2.png", "/AdvancedSet2.png"}) {
            const QImage image = load(skin, page);
            for (const QRect& r : pageRegions) {
                EXPECT_TRUE(image.rect().contains(r))
                    << skin.toStdString() << page << " misses region at " << r.x() << "," << r.y();
            }
        }
        for (const auto& [name, regions] : dialogRegions) {
            const QImage image = load(skin, name.c_str());
            ASSERT_FALSE(image.isNull()) << name;
            std::vector<QRect> all(std::begin(common), std::end(common));
            all.insert(all.end(), regions.begin(), regions.end());
            for (const QRect& r : all) {
                EXPECT_TRUE(image.rect().contains(r))
                    << skin.toStdString() << name << " misses region at " << r.x() << "," << r.y();
            }
        }
    }
}

TEST(SkinLooks, HoverAndLitImagesStandOutFromTheirRestingOnes) {
    const std::pair<const char*, const char*> pairs[] = {
        {"/button-normal.png", "/button-over.png"},
        {"/button-min-normal.png", "/button-min-over.png"},
        {"/button-close-normal.png", "/button-close-over.png"},
        {"/button-Skins-normal.png", "/button-Skins-over.png"},
        {"/button-PrePage-normal.png", "/button-PrePage-over.png"},
        {"/button-NextPage-normal.png", "/button-NextPage-over.png"},
        {"/DropdownBox-normal.png", "/DropdownBox-over.png"},
        {"/slider-dark.png", "/slider-light.png"},
        {"/slider-RP-dark.png", "/slider-RP-light.png"},
        {"/slider-DPI-dark.png", "/slider-DPI-light.png"},
        {"/Pane.png", "/PaneMakingTick.png"},
    };
    for (const QString& skin : kSkins) {
        for (const auto& [rest, lit] : pairs) {
            const int restLuma = qGray(meanColor(load(skin, rest), kPanel).rgb());
            const int litLuma = qGray(meanColor(load(skin, lit), kPanel).rgb());
            EXPECT_GE(litLuma - restLuma, 12) << skin.toStdString() << ": " << lit << " vs " << rest;
        }
    }
}

TEST(SkinLooks, TextsDrawnOnTheArtworkStayLegible) {
    // Where the window writes in the text colour of str.ini.
    const std::pair<const char*, QRect> textAreas[] = {
        {"/BasicSet2.png", region(259, 160, 364, 181)}, // headings
        {"/BasicSet2.png", region(504, 161, 609, 182)},
        {"/BasicSet2.png", region(504, 275, 609, 296)},
        {"/BasicSet2.png", region(704, 275, 809, 296)},
        {"/BasicSet2.png", region(696, 329, 756, 374)}, // lighting labels
        {"/BasicSet2.png", region(542, 225, 828, 245)}, // report-rate captions
        {"/BasicSet2.png", region(506, 322, 516, 548)}, // DPI stage numbers
        {"/AdvancedSet2.png", region(38, 160, 143, 181)},
        {"/AdvancedSet2.png", region(77, 255, 408, 271)},
        {"/AdvancedSet2.png", region(52, 221, 316, 241)}, // slider numbers
        {"/AdvancedSet2.png", region(462, 196, 725, 220)}, // column titles
        {"/skins.png", region(12, 64, 181, 94)},
    };
    // Where the window writes in white: page titles and dialog prompts.
    const std::pair<const char*, QRect> whiteAreas[] = {
        {"/BasicSet2.png", region(120, 50, 352, 100)},  {"/AdvancedSet2.png", region(120, 50, 352, 100)},
        {"/single-key.png", region(45, 108, 181, 124)}, {"/delay-time.png", region(14, 89, 210, 129)},
        {"/fire-key.png", region(15, 184, 390, 250)},   {"/macro-key.png", region(237, 70, 390, 202)},
    };
    for (const QString& skin : kSkins) {
        for (const auto& [name, r] : textAreas) {
            EXPECT_GE(contrastRatio(kText, meanColor(load(skin, name), kPanel, r)), 4.5)
                << skin.toStdString() << name << " at " << r.x() << "," << r.y();
        }
        for (const auto& [name, r] : whiteAreas) {
            EXPECT_GE(contrastRatio(kWhite, meanColor(load(skin, name), kPanel, r)), 7.0)
                << skin.toStdString() << name << " at " << r.x() << "," << r.y();
        }
        // Captions on buttons and labels in the button-function boxes, in either state.
        for (const char* face :
             {"/button-normal.png", "/button-over.png", "/DropdownBox-normal.png", "/DropdownBox-over.png"}) {
            EXPECT_GE(contrastRatio(kText, meanColor(load(skin, face), kPanel)), 4.5) << skin.toStdString() << face;
        }
    }
}

TEST(SkinLooks, TheTwoSkinsShareTheDarkThemeAndDifferInAccent) {
    for (const char* accentShape : {"/slider-light.png", "/slider-RP-light.png", "/PaneMakingTick.png"}) {
        const QColor red = meanColor(load(QStringLiteral("Black"), accentShape), kPanel);
        const QColor blue = meanColor(load(QStringLiteral("Blue"), accentShape), kPanel);
        EXPECT_GT(red.red() - red.blue(), 50) << accentShape;
        EXPECT_GT(blue.blue() - blue.red(), 50) << accentShape;
    }
    for (const char* page : {"/BasicSet2.png", "/AdvancedSet2.png", "/skins.png"}) {
        const QImage black = load(QStringLiteral("Black"), page);
        const QImage blue = load(QStringLiteral("Blue"), page);
        EXPECT_NE(black, blue) << page;
        const int lumaBlack = qGray(meanColor(black, kPanel).rgb());
        const int lumaBlue = qGray(meanColor(blue, kPanel).rgb());
        EXPECT_LE(std::abs(lumaBlack - lumaBlue), 3) << page;
        EXPECT_LT(lumaBlack, 60) << page << " is not dark";
    }
}

} // namespace
} // namespace vexo::test
