#include "ui/main_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "ui/frame_actions.h"
#include "ui/frame_regions.h"
#include "ui/mem_dc.h"
#include "ui/page_content.h"
#include "ui/skin_drawing.h"
#include "ui/ui_globals.h"

namespace vexo {

namespace {
// The design size of the skins, used only when the background cannot be loaded.
constexpr int kDesignWidth = 880;
constexpr int kDesignHeight = 650;
} // namespace

CMainDialog::CMainDialog(FrameActions& actions, bool trayAvailable, QWidget* parent)
    : QWidget(parent, trayAvailable ? Qt::Tool | Qt::FramelessWindowHint : Qt::Window | Qt::FramelessWindowHint),
      m_actions(actions), m_bTrayAvailable(trayAvailable), m_hover([this] { return OpenCanvas(); },
              [this](QPainter& canvas, const QRegion& area) {
                  canvas.save();
                  canvas.setClipRegion(area);
                  DrawPageLook(canvas);
                  canvas.restore();
              })
{
    g_textColor = TextColour{0, 255, 0};
    setObjectName("T58SSOP28DPIVerGMClass");
    setWindowTitle(QString::fromUtf8(kApplicationTitle.data(), qsizetype(kApplicationTitle.size())));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(kDesignWidth, kDesignHeight);
    m_hoverTimer.setSingleShot(true);
    // Over images appear almost at once, but not for a pointer just passing through.
    m_hoverTimer.setInterval(10);
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] { HandleHover(m_ptHover); });
    AddFrameHoverItems();
    qApp->installEventFilter(this);
}

CMainDialog::~CMainDialog()
{
    qApp->removeEventFilter(this);
}

std::unique_ptr<CMemDC> CMainDialog::OpenCanvas()
{
    return std::make_unique<CMemDC>(this, &m_hCanvas);
}

void CMainDialog::Redraw(const std::function<void(QPainter&)>& draw, const QRegion& part)
{
    std::unique_ptr<CMemDC> dc = OpenCanvas();
    if (QPainter* canvas = dc->painter())
        draw(*canvas);
    for (const QRect& rect : part)
        dc->addDirty(rect);
}

bool CMainDialog::LoadBackground()
{
    const QImage image = SkinImages().load(QString::fromStdString(g_strSkinDir), frame::kBasicBackground);
    m_bPlainLook = image.isNull();
    if (m_bPlainLook) {
        // Without a background the window still has a face to draw its buttons and texts on.
        m_hCanvas = QImage(kDesignWidth, kDesignHeight, QImage::Format_ARGB32_Premultiplied);
        m_hCanvas.fill(kPlainBackground);
    } else {
        m_hCanvas = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    setFixedSize(m_hCanvas.size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return !m_bPlainLook;
}

PageContent* CMainDialog::Content(int page) const
{
    return page == kBasicPage ? m_pBasicContent : page == kAdvancedPage ? m_pAdvancedContent : nullptr;
}

void CMainDialog::SetPageContent(int page, PageContent* content)
{
    (page == kBasicPage ? m_pBasicContent : m_pAdvancedContent) = content;
}

void CMainDialog::ShowBasicPage()
{
    // Whichever way the page is reached first (start-up, the icon, the Previous page button), the
    // mouse is read before it is drawn; if it is already on screen it is drawn again with the values.
    if (m_actions.prepareBasicPage() && g_nCurrentPage == kBasicPage) {
        RebuildCurrentPage();
        return;
    }
    ShowPage(kBasicPage);
}

void CMainDialog::ShowAdvancedPage()
{
    ShowPage(kAdvancedPage);
}

void CMainDialog::ShowPage(int page)
{
    if (g_nCurrentPage == page)
        return;
    g_nCurrentPage = page;
    TearDownPage();
    PageContent* content = Content(page);
    if (content != nullptr) {
        content->build();
        m_hover.setPageItems(content->hoverItems());
    } else {
        m_hover.setPageItems({});
    }
    DrawPage();
}

void CMainDialog::TearDownPage()
{
    // g_nCurrentPage names the page being entered, so the other one is removed.
    const int leaving = g_nCurrentPage == kBasicPage ? kAdvancedPage : g_nCurrentPage == kAdvancedPage ? kBasicPage : kNoPage;
    if (PageContent* content = Content(leaving))
        content->tearDown();
    if (leaving == kAdvancedPage)
        m_nRecordingState = {0, 0};
    m_hover.setPageItems({});
}

void CMainDialog::RebuildCurrentPage()
{
    const int shown = g_nCurrentPage;
    if (shown != kBasicPage && shown != kAdvancedPage)
        return;
    g_nCurrentPage = shown == kBasicPage ? kAdvancedPage : kBasicPage;
    TearDownPage();
    g_nCurrentPage = kNoPage;
    ShowPage(shown);
}

void CMainDialog::MinimiseWindow()
{
    if (m_bTrayAvailable)
        hide();
    else
        showMinimized();
}

bool CMainDialog::HandleDrag(QPoint p, Qt::MouseButtons buttons)
{
    if (!m_bMovePending)
        return false;
    if (!(buttons & Qt::LeftButton)) {
        m_bMovePending = false;
        return false;
    }
    // A click that does not move is only a click: a system move started for it can leave the
    // window stuck to the pointer under some window managers.
    if ((p - m_ptPress).manhattanLength() >= QApplication::startDragDistance()) {
        m_bMovePending = false;
        StartWindowMove(m_ptPress);
    }
    return true;
}

void CMainDialog::BringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void CMainDialog::paintEvent(QPaintEvent*)
{
    QPainter screen(this);
    if (m_hCanvas.isNull()) {
        screen.fillRect(rect(), Qt::black);
        return;
    }
    screen.setCompositionMode(QPainter::CompositionMode_Source);
    screen.drawImage(0, 0, m_hCanvas);
}

void CMainDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        HandleClick(event->position().toPoint());
    event->accept();
}

void CMainDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is not a second click: a drop-down box would open and
    // close at once, a tick box would tick and untick.
    event->accept();
}

void CMainDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bManualDrag && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_ptDragOffset);
        return;
    }
    if (HandleDrag(event->position().toPoint(), event->buttons()))
        return;
    HandleMouseMove(event->position().toPoint());
}

void CMainDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bManualDrag = m_bMovePending = false;
}

void CMainDialog::HandleMouseMove(QPoint p)
{
    if (m_hover.move(p)) {
        m_ptHover = p;
        m_hoverTimer.start();
    } else {
        m_hoverTimer.stop();
    }
}

void CMainDialog::HandleHover(QPoint p)
{
    m_hover.hover(p);
}

void CMainDialog::StartWindowMove(QPoint p)
{
    emit moveRequested();
    // The system move works on X11 and Wayland alike; a platform without it gets a manual drag.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;
    m_bManualDrag = true;
    m_ptDragOffset = p;
}

void CMainDialog::closeEvent(QCloseEvent* event)
{
    if (m_bClosing) {
        event->accept();
        return;
    }
    if (!m_bTrayAvailable) {
        // No icon could bring a hidden window back: closing it ends the program as Exit does.
        m_actions.shutdown();
        event->accept();
        return;
    }
    // Closing only hides: the program lives on behind its notification-area icon.
    event->ignore();
    hide();
}

void CMainDialog::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_bTrayAvailable) {
        // A tool window minimised by the window manager would be lost; it hides instead.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    }
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool mine = widget == this || isAncestorOf(widget);
        if (mine && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
            MinimiseWindow();
            emit hiddenByKey();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vexo
