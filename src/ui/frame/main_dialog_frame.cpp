// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The frame of the main window: its buttons, their hover looks, the page drawing and the click
// dispatch shared by both pages.
#include <QPainter>

#include "ui/frame/frame_actions.h"
#include "ui/frame/frame_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/mem_dc.h"
#include "ui/skin/drop_down_list.h"
#include "ui/frame/page_content.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {

namespace {

// The plain look of a window whose skin has no background: flat buttons, lighter under the pointer.
constexpr QRgb kPlainButton = 0xff3a4048;
constexpr QRgb kPlainButtonOver = 0xff5a6470;
constexpr QRgb kPlainEdge = 0xff8a949e;

void DrawPlainButton(QPainter& canvas, const Region& region, bool over) {
    canvas.fillRect(region.rect(), QColor::fromRgb(over ? kPlainButtonOver : kPlainButton));
    canvas.setPen(QColor::fromRgb(kPlainEdge));
    canvas.drawRect(region.rect().adjusted(0, 0, -1, -1));
}

} // namespace

void CMainDialog::DrawTextButton(QPainter& canvas, const Region& region, const QString& caption, bool over) {
    if (m_bPlainLook)
        DrawPlainButton(canvas, region, over);
    else
        DrawSkinImage(&canvas, m_skin, over ? "/button-over.png" : "/button-normal.png", region.left, region.top);
    DrawSkinText(canvas, region.rect(), caption, m_fontText, m_skin.textColour(), TextLayout::Centre);
}

void CMainDialog::DrawImageButton(QPainter& canvas, const Region& region, const QString& image, const QString& glyph,
                                  bool over) {
    if (!m_bPlainLook) {
        DrawSkinImage(&canvas, m_skin, QString("/button-%1-%2.png").arg(image, over ? "over" : "normal"), region.left,
                      region.top);
        return;
    }
    DrawPlainButton(canvas, region, over);
    DrawSkinText(canvas, region.rect(), glyph, m_fontText, Qt::white, TextLayout::Centre);
}

void CMainDialog::AddFrameHoverItems() {
    using namespace frame;
    // Tested in this order: the text buttons, then the title-bar buttons, then the page buttons.
    m_surface.hover().addFrameItem(kHoverOk, kOk, kGroupTextButtons,
                                   [this](QPainter& c, bool over) { DrawTextButton(c, kOk, m_strOk, over); });
    m_surface.hover().addFrameItem(kHoverApply, kApply, kGroupTextButtons,
                                   [this](QPainter& c, bool over) { DrawTextButton(c, kApply, m_strApply, over); });
    m_surface.hover().addFrameItem(kHoverCancel, kCancel, kGroupTextButtons,
                                   [this](QPainter& c, bool over) { DrawTextButton(c, kCancel, m_strCancel, over); });
    const auto image = [this](Region region, QString name, QString glyph) {
        return [this, region, name, glyph](QPainter& c, bool over) { DrawImageButton(c, region, name, glyph, over); };
    };
    m_surface.hover().addFrameItem(kHoverSkins, kSkins, kGroupSkins, image(kSkins, "Skins", "S"));
    m_surface.hover().addFrameItem(kHoverClose, kClose, kGroupClose, image(kClose, "close", "x"));
    m_surface.hover().addFrameItem(kHoverMinimise, kMinimise, kGroupMinimise, image(kMinimise, "min", "_"));
    m_surface.hover().addFrameItem(kHoverPreviousPage, kPreviousPage, kGroupPreviousPage,
                                   image(kPreviousPage, "PrePage", "<"));
    m_surface.hover().addFrameItem(kHoverNextPage, kNextPage, kGroupNextPage, image(kNextPage, "NextPage", ">"));
}

void CMainDialog::DrawFrameButtons(QPainter& canvas) {
    using namespace frame;
    DrawImageButton(canvas, kMinimise, "min", "_", false);
    DrawImageButton(canvas, kClose, "close", "x", false);
    DrawImageButton(canvas, kSkins, "Skins", "S", false);
    DrawImageButton(canvas, kPreviousPage, "PrePage", "<", false);
    DrawImageButton(canvas, kNextPage, "NextPage", ">", false);
    DrawTextButton(canvas, kOk, m_strOk, false);
    DrawTextButton(canvas, kApply, m_strApply, false);
    DrawTextButton(canvas, kCancel, m_strCancel, false);
}

QString CMainDialog::PageBackgroundName() const {
    return m_nCurrentPage == kAdvancedPage ? frame::kAdvancedBackground : frame::kBasicBackground;
}

bool CMainDialog::LayBackground() {
    QImage& canvas = m_surface.canvas();
    if (m_bPlainLook || canvas.isNull())
        return false;
    PageBackground& laid = m_skin.pageBackground();
    const QString dir = m_skin.skinDir();
    const QString name = PageBackgroundName();
    // The same picture drawn on again (a plug, Cancel, a setting from a script): uncovered from the
    // whole picture, decoded once; another picture is laid anew.
    const bool fresh = laid.fresh(dir, name, m_surface.redraws());
    if (!fresh && !(laid.holds(dir, name) && laid.uncover(canvas))) {
        SkinImageCache::Entry picture = m_skin.images().take(dir, name);
        if (!laid.lay(canvas, picture, dir, name, m_surface.redraws(), &canvas)) {
            laid.forget();
            m_skin.images().adopt(dir, name, std::move(picture));
            return false;
        }
    }
    const PageContent* content = Content(m_nCurrentPage);
    laid.keep(canvas, m_surface.hover().reach() + (content != nullptr ? content->backgroundParts() : QRegion()));
    return true;
}

void CMainDialog::DrawPageBackground(QPainter& canvas, const QRegion& area) {
    if (m_bPlainLook) {
        canvas.fillRect(area.boundingRect(), QColor::fromRgb(kPlainBackground));
        return;
    }
    PageBackground& laid = m_skin.pageBackground();
    const QString name = PageBackgroundName();
    if (laid.holds(m_skin.skinDir(), name)) {
        for (const QRect& part : area)
            laid.drawArea(canvas, part);
    } else {
        DrawSkinImage(&canvas, m_skin, name, 0, 0);
    }
}

void CMainDialog::DrawPageLook(QPainter& canvas) {
    const int page = m_nCurrentPage;
    DrawFrameButtons(canvas);
    // The background without a page is the basic page's, and so is the title.
    const QString& title = page == kAdvancedPage ? m_strAdvancedSettings : m_strBasicSettings;
    DrawSkinText(canvas, frame::kPageTitle.rect(), title, m_fontTitle, Qt::white, TextLayout::LeftMiddle);
    if (!m_actions.mousePresent())
        DrawSkinText(canvas, frame::kMouseAbsentLine.rect(), m_strMouseAbsent, m_fontText, m_skin.textColour(),
                     TextLayout::LeftMiddle);
    if (PageContent* content = Content(page))
        content->draw(canvas);
}

void CMainDialog::DrawPage() {
    {
        // The background laid is the canvas itself; otherwise it is drawn first.
        const bool laid = LayBackground();
        std::unique_ptr<CMemDC> dc = OpenCanvas();
        if (QPainter* canvas = dc->painter()) {
            if (!laid)
                DrawPageBackground(*canvas, QRegion(m_surface.canvas().rect()));
            DrawPageLook(*canvas);
        }
    }
    // Every region is now drawn normal; a pointer resting on one lights it again at the next notice.
    m_surface.hover().resetFlags();
}

void CMainDialog::RunApply() {
    // The files may still be written when the click is over. Meanwhile the window takes no input,
    // so no edit reaches what is being saved and no second Apply starts; it still draws.
    // One click can run two (OK and Apply share a column): the window is free again after the last.
    ++m_nAppliesRunning;
    setEnabled(false);
    setCursor(Qt::BusyCursor);
    m_actions.applyConfig([this] {
        m_actions.takeSnapshot();
        m_actions.applyDesktopSettings();
        if (--m_nAppliesRunning == 0) {
            unsetCursor();
            setEnabled(true);
        }
    });
}

void CMainDialog::HandleClick(QPoint p) {
    using namespace frame;
    if (ApplyRunning())
        return;
    m_ptLastClick = p;
    // OK, Apply and Skins are tested independently of the rest, in this order.
    if (kOk.contains(p) && m_actions.mousePresent()) {
        RunApply();
        MinimiseWindow();
    }
    if (kApply.contains(p) && m_actions.mousePresent())
        RunApply();
    if (kSkins.contains(p))
        m_actions.openSkinPicker();
    if (kMinimise.contains(p)) {
        MinimiseWindow();
        return;
    }
    if (kClose.contains(p)) {
        m_actions.shutdown();
        return;
    }
    if (kPreviousPage.contains(p)) {
        ShowBasicPage();
        return;
    }
    if (kNextPage.contains(p)) {
        ShowAdvancedPage();
        return;
    }
    // Cancel shares its left column with Apply; a click there runs both, as the tests are independent.
    if (kCancel.contains(p)) {
        m_actions.restoreSnapshot();
        MinimiseWindow();
        return;
    }
    // OK, Apply and Skins are buttons even while they do nothing: a click on them never drags.
    if (kOk.contains(p) || kApply.contains(p) || kSkins.contains(p))
        return;
    if (kWebLink.contains(p)) {
        const std::string url = WebUrlOf(m_strWebAddress.toStdString());
        if (!url.empty())
            m_actions.openUrl(url);
        return;
    }
    bool taken = false;
    if (PageContent* content = Content(m_nCurrentPage)) {
        for (DropDownList* list : content->dropDowns())
            list->closeIfOutside(p);
        taken = content->click(p);
    }
    if (!taken) {
        m_bMovePending = true;
        m_ptPress = p;
    }
}

} // namespace vexo

namespace vexo::frame {

std::string WebUrlOf(const std::string& host) {
    if (host.empty())
        return {};
    // The table holds a bare host name; a full address is passed on as it stands.
    if (host.find("://") != std::string::npos)
        return host;
    return "https://" + host;
}

} // namespace vexo::frame
