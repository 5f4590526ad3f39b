// The frame of the main window: its buttons, their hover looks, the page drawing and the click
// dispatch shared by both pages.
#include <QPainter>

#include "ui/frame_actions.h"
#include "ui/frame_regions.h"
#include "ui/main_dialog.h"
#include "ui/mem_dc.h"
#include "ui/drop_down_list.h"
#include "ui/page_content.h"
#include "ui/skin_drawing.h"
#include "ui/ui_globals.h"

namespace vexo {

namespace {

HoverTracker::Draw ImageButton(Region region, QString normal, QString over)
{
    return [region, normal, over](QPainter& canvas, bool isOver) {
        DrawSkinImage(&canvas, isOver ? over : normal, region.left, region.top);
    };
}

} // namespace

void CMainDialog::DrawTextButton(QPainter& canvas, const Region& region, const QString& caption, bool over)
{
    DrawSkinImage(&canvas, over ? "/button-over.png" : "/button-normal.png", region.left, region.top);
    DrawSkinText(canvas, region.rect(), caption, m_fontText, InterfaceTextColour(), TextLayout::Centre);
}

void CMainDialog::AddFrameHoverItems()
{
    using namespace frame;
    // Tested in this order: the text buttons, then the title-bar buttons, then the page buttons.
    m_hover.addFrameItem(kHoverOk, kOk, kGroupTextButtons,
                         [this](QPainter& c, bool over) { DrawTextButton(c, kOk, m_strOk, over); });
    m_hover.addFrameItem(kHoverApply, kApply, kGroupTextButtons,
                         [this](QPainter& c, bool over) { DrawTextButton(c, kApply, m_strApply, over); });
    m_hover.addFrameItem(kHoverCancel, kCancel, kGroupTextButtons,
                         [this](QPainter& c, bool over) { DrawTextButton(c, kCancel, m_strCancel, over); });
    m_hover.addFrameItem(kHoverSkins, kSkins, kGroupSkins,
                         ImageButton(kSkins, "/button-Skins-normal.png", "/button-Skins-over.png"));
    m_hover.addFrameItem(kHoverClose, kClose, kGroupClose,
                         ImageButton(kClose, "/button-close-normal.png", "/button-close-over.png"));
    m_hover.addFrameItem(kHoverMinimise, kMinimise, kGroupMinimise,
                         ImageButton(kMinimise, "/button-min-normal.png", "/button-min-over.png"));
    m_hover.addFrameItem(kHoverPreviousPage, kPreviousPage, kGroupPreviousPage,
                         ImageButton(kPreviousPage, "/button-PrePage-normal.png", "/button-PrePage-over.png"));
    m_hover.addFrameItem(kHoverNextPage, kNextPage, kGroupNextPage,
                         ImageButton(kNextPage, "/button-NextPage-normal.png", "/button-NextPage-over.png"));
}

void CMainDialog::DrawFrameButtons(QPainter& canvas)
{
    using namespace frame;
    DrawSkinImage(&canvas, "/button-min-normal.png", kMinimise.left, kMinimise.top);
    DrawSkinImage(&canvas, "/button-close-normal.png", kClose.left, kClose.top);
    DrawSkinImage(&canvas, "/button-Skins-normal.png", kSkins.left, kSkins.top);
    DrawSkinImage(&canvas, "/button-PrePage-normal.png", kPreviousPage.left, kPreviousPage.top);
    DrawSkinImage(&canvas, "/button-NextPage-normal.png", kNextPage.left, kNextPage.top);
    DrawTextButton(canvas, kOk, m_strOk, false);
    DrawTextButton(canvas, kApply, m_strApply, false);
    DrawTextButton(canvas, kCancel, m_strCancel, false);
}

void CMainDialog::DrawPage()
{
    const int page = g_nCurrentPage;
    {
        std::unique_ptr<CMemDC> dc = OpenCanvas();
        if (QPainter* canvas = dc->painter()) {
            DrawSkinImage(canvas, page == kAdvancedPage ? frame::kAdvancedBackground : frame::kBasicBackground, 0, 0);
            DrawFrameButtons(*canvas);
            const QString& title = page == kAdvancedPage ? m_strAdvancedSettings : m_strBasicSettings;
            if (page == kBasicPage || page == kAdvancedPage)
                DrawSkinText(*canvas, frame::kPageTitle.rect(), title, m_fontTitle, Qt::white, TextLayout::LeftMiddle);
            if (PageContent* content = Content(page))
                content->draw(*canvas);
        }
    }
    // Every region is now drawn normal; a pointer resting on one lights it again at the next notice.
    m_hover.resetFlags();
}

void CMainDialog::RunApply()
{
    m_actions.applyConfig();
    m_actions.takeSnapshot();
    m_actions.applyDesktopSettings();
}

void CMainDialog::HandleClick(QPoint p)
{
    using namespace frame;
    m_ptLastClick = p;
    // OK, Apply and Skins are tested independently of the rest, in this order.
    if (kOk.contains(p) && m_actions.mousePresent()) {
        RunApply();
        hide();
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
        g_bReloadOnRestore = true;
        hide();
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
    if (PageContent* content = Content(g_nCurrentPage)) {
        for (DropDownList* list : content->dropDowns())
            list->closeIfOutside(p);
        taken = content->click(p);
    }
    if (!taken)
        StartWindowMove(p);
}

} // namespace vexo

namespace vexo::frame {

std::string WebUrlOf(const std::string& host)
{
    if (host.empty())
        return {};
    // The table holds a bare host name; a full address is passed on as it stands.
    if (host.find("://") != std::string::npos)
        return host;
    return "https://" + host;
}

} // namespace vexo::frame
