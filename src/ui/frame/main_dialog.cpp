// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/frame/main_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "ui/frame/frame_actions.h"
#include "ui/frame/frame_regions.h"
#include "ui/skin/mem_dc.h"
#include "ui/skin/picture_buffer.h"
#include "ui/frame/page_content.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo {

namespace {
// The design size of the skins, used only when the background cannot be loaded.
constexpr int kDesignWidth = 880;
constexpr int kDesignHeight = 650;
} // namespace

CMainDialog::CMainDialog(SkinContext& skin, FrameActions& actions, bool trayAvailable, QWidget* parent)
    : QWidget(parent, trayAvailable ? Qt::Tool | Qt::FramelessWindowHint : Qt::Window | Qt::FramelessWindowHint),
      m_skin(skin), m_actions(actions), m_bTrayAvailable(trayAvailable),
      m_surface(
          *this,
          [this](QPainter& canvas, const QRegion& area) {
              canvas.save();
              canvas.setClipRegion(area);
              DrawPageBackground(canvas, area);
              DrawPageLook(canvas);
              canvas.restore();
          },
          Qt::black) {
    m_skin.textColor = TextColour{0, 255, 0};
    setObjectName("T58SSOP28DPIVerGMClass");
    setWindowTitle(QString::fromUtf8(kApplicationTitle.data(), qsizetype(kApplicationTitle.size())));
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(kDesignWidth, kDesignHeight);
    m_surface.setHandlers({[this](QPoint p) { HandleClick(p); }, [this](QMouseEvent& e) { return TakeMove(e); }, {}});
    AddFrameHoverItems();
    qApp->installEventFilter(this);
}

CMainDialog::~CMainDialog() { qApp->removeEventFilter(this); }

std::unique_ptr<CMemDC> CMainDialog::OpenCanvas() { return m_surface.open(); }

void CMainDialog::Redraw(const std::function<void(QPainter&)>& draw, const QRegion& part) {
    std::unique_ptr<CMemDC> dc = OpenCanvas();
    if (QPainter* canvas = dc->painter())
        draw(*canvas);
    for (const QRect& rect : part)
        dc->addDirty(rect);
}

bool CMainDialog::LoadBackground() {
    const bool loaded = LoadCanvas();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_bPlaced = true;
    return loaded;
}

bool CMainDialog::LoadCanvas() {
    const QString dir = m_skin.skinDir();
    PageBackground& laid = m_skin.pageBackground();
    laid.forget();
    SkinImageCache::Entry picture = m_skin.images().take(dir, frame::kBasicBackground);
    m_bPlainLook = picture.image.isNull();
    QImage& canvas = m_surface.canvas();
    if (m_bPlainLook) {
        // Without a background the window still has a face to draw its buttons and texts on.
        canvas = QImage(kDesignWidth, kDesignHeight, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(kPlainBackground);
    } else if (!laid.lay(canvas, picture, dir, frame::kBasicBackground, m_surface.redraws())) {
        canvas = PictureBuffer::premultipliedCopy(picture.image);
        m_skin.images().adopt(dir, frame::kBasicBackground, std::move(picture));
    }
    setFixedSize(canvas.size());
    return !m_bPlainLook;
}

void CMainDialog::ReleaseFace() {
    if (!m_bTrayAvailable || isVisible())
        return;
    m_bFaceReleased = true;
    if (m_nCurrentPage != kAdvancedPage && m_bPageBuilt) {
        TearDownPage(m_nCurrentPage);
        m_bPageBuilt = false;
    }
    m_surface.canvas() = QImage();
    // Every picture goes, the page background too: the next showing decodes it straight into the
    // back buffer, well within what a click may take.
    m_skin.pageBackground().forget();
    m_skin.images().clear();
    // The native window holds the window system's copy of the face (a shared-memory back store
    // the size of the window); the next showing makes a new one where this one was.
    if (windowHandle() != nullptr)
        destroy();
#if defined(__GLIBC__)
    // The pictures were large blocks; the heap keeps freed memory unless asked to give it back.
    malloc_trim(0);
#endif
}

void CMainDialog::RestoreFace() {
    if (!m_bFaceReleased)
        return;
    m_bFaceReleased = false;
    m_actions.prepareFace();
    if (m_bPlaced)
        LoadCanvas();
    else
        LoadBackground();
    PageContent* content = Content(m_nCurrentPage);
    if (!m_bPageBuilt && content != nullptr) {
        content->build();
        m_surface.hover().setPageItems(content->hoverItems());
    }
    m_bPageBuilt = true;
    DrawPage();
}

PageContent* CMainDialog::Content(int page) const {
    return page == kBasicPage ? m_pBasicContent : page == kAdvancedPage ? m_pAdvancedContent : nullptr;
}

void CMainDialog::SetPageContent(int page, PageContent* content) {
    (page == kBasicPage ? m_pBasicContent : m_pAdvancedContent) = content;
}

void CMainDialog::ShowBasicPage() {
    // Whichever way the page is reached first (start-up, the icon, the Previous page button), the
    // mouse is read before it is drawn; if it is already on screen it is drawn again with the values.
    if (m_actions.prepareBasicPage() && m_nCurrentPage == kBasicPage) {
        RebuildCurrentPage();
        return;
    }
    ShowPage(kBasicPage);
}

void CMainDialog::ShowAdvancedPage() { ShowPage(kAdvancedPage); }

void CMainDialog::ShowPage(int page) {
    if (m_nCurrentPage == page)
        return;
    m_nCurrentPage = page;
    m_bPageBuilt = !m_bFaceReleased;
    // Entering a page always asks the other one to remove whatever controls it may have, even when
    // no page was shown before.
    TearDownPage(page == kBasicPage ? kAdvancedPage : kBasicPage);
    PageContent* content = Content(page);
    if (m_bFaceReleased)
        return; // built and drawn at the next showing
    if (content != nullptr) {
        content->build();
        m_surface.hover().setPageItems(content->hoverItems());
    } else {
        m_surface.hover().setPageItems({});
    }
    DrawPage();
}

void CMainDialog::TearDownPage(int leaving) {
    if (PageContent* content = Content(leaving))
        content->tearDown();
    m_surface.hover().setPageItems({});
}

void CMainDialog::RebuildCurrentPage() {
    const int shown = m_nCurrentPage;
    if (shown != kBasicPage && shown != kAdvancedPage)
        return;
    TearDownPage(shown);
    m_nCurrentPage = kNoPage;
    ShowPage(shown);
}

void CMainDialog::MinimiseWindow() {
    if (m_bTrayAvailable)
        hide();
    else
        showMinimized();
}

bool CMainDialog::HandleDrag(QPoint p, Qt::MouseButtons buttons) {
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

void CMainDialog::BringToFront() {
    RestoreFace();
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

bool CMainDialog::TakeMove(QMouseEvent& event) {
    if (m_bManualDrag && (event.buttons() & Qt::LeftButton)) {
        move(event.globalPosition().toPoint() - m_ptDragOffset);
        return true;
    }
    return HandleDrag(event.position().toPoint(), event.buttons());
}

void CMainDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_bManualDrag = m_bMovePending = false;
}

void CMainDialog::HandleMouseMove(QPoint p) { m_surface.pointerMoved(p); }

void CMainDialog::HandleHover(QPoint p) { m_surface.hoverNotice(p); }

void CMainDialog::StartWindowMove(QPoint p) {
    emit moveRequested();
    // The system move works on X11 and Wayland alike; a platform without it gets a manual drag.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;
    m_bManualDrag = true;
    m_ptDragOffset = p;
}

void CMainDialog::closeEvent(QCloseEvent* event) {
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

void CMainDialog::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_bTrayAvailable) {
        // A tool window minimised by the window manager would be lost; it hides instead.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    }
}

void CMainDialog::showEvent(QShowEvent* event) {
    // Whatever shows the window, it never comes up without its face.
    RestoreFace();
    QWidget::showEvent(event);
}

void CMainDialog::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // After the event, so that a click or key that hid the window finishes with its drawing; a
    // window shown again meanwhile keeps its face.
    if (!event->spontaneous() && m_bTrayAvailable && !m_bClosing)
        QTimer::singleShot(0, this, [this] { ReleaseFace(); });
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
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
