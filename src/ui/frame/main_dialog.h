// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/frame/page_content.h"
#include "ui/skin/hover_tracker.h"
#include "ui/skin/region.h"
#include "ui/skin/skinned_surface.h"

namespace vexo {

class CMemDC;
class FrameActions;
class SkinContext;

// The main window: a frameless window whose whole face is drawn from the current skin into a
// persistent back buffer. It owns the interface state the pages share (texts of the frame, fonts,
// the back buffer, the hover state) and dispatches clicks to the frame, then to the page shown.
//
// Nothing is drawn on a paint event: pages and regions are drawn into the back buffer when
// something changes, and a paint event copies the buffer to the screen.
class CMainDialog : public QWidget {
    Q_OBJECT
public:
    // skin and actions must outlive the window. With trayAvailable false the window is a normal
    // task-bar window (minimising really minimises), since there is no icon to bring it back from.
    CMainDialog(SkinContext& skin, FrameActions& actions, bool trayAvailable = true, QWidget* parent = nullptr);
    ~CMainDialog() override;

    // Loads "/BasicSet2.png" of the current skin into the back buffer, sizes the window to it and
    // centres it on the screen. Returns false when it cannot be loaded: the window then keeps the
    // design size, still centred, and is drawn in plain colours with its texts (PlainLook()), so
    // that it can be used and closed.
    bool LoadBackground();
    bool PlainLook() const { return m_bPlainLook; }

    // Hidden behind its icon, the window holds no face: this gives back the back buffer (the page
    // background laid in it and the parts kept aside), every decoded skin picture, the basic page's
    // controls and the native window with the window system's copy of the face, and returns freed
    // heap to the system. Until the next showing, page changes are only noted and nothing is drawn;
    // that showing decodes the background again, builds the page shown and draws it. The advanced
    // page keeps its controls, which may hold unconfirmed macro lines. Only where there is a
    // notification-area icon.
    void ReleaseFace();
    // The face was given back and not yet loaded again.
    bool FaceReleased() const { return m_bFaceReleased; }

    // The page functions: each does nothing when its page is shown already; otherwise it makes it
    // the current page, tears the page it leaves down, builds its controls and draws the page.
    void ShowBasicPage();
    void ShowAdvancedPage();
    // Destroys the controls of page leaving (kBasicPage or kAdvancedPage; any other value nothing)
    // and forgets the page's hover regions.
    void TearDownPage(int leaving);
    // Rebuilds the page shown (after a skin change or a restore): it is torn down and built again.
    // Nothing when no page is shown.
    void RebuildCurrentPage();
    // kNoPage, kBasicPage or kAdvancedPage.
    int CurrentPage() const { return m_nCurrentPage; }
    // Draws the whole page shown into the back buffer and copies it to the screen. With no page
    // shown this is the frame alone: background, frame buttons and the basic page's title. While no
    // mouse is present a line on the page says so. The background is decoded from its file into
    // the back buffer (unless the buffer holds it untouched since it was loaded), as it is not held
    // whole between draws.
    void DrawPage();

    // The content of page 1 (basic) or 2 (advanced); the window does not own it. Without one the
    // page shows its background, the frame buttons and its title.
    void SetPageContent(int page, PageContent* content);

    // Left button pressed at p (client pixels): the click dispatch of the frame.
    void HandleClick(QPoint p);
    // Pointer moved to p / rested at p (the hover notice).
    void HandleMouseMove(QPoint p);
    void HandleHover(QPoint p);
    // Pointer moved to p with these buttons held, after a click no region took: once it is
    // QApplication::startDragDistance() away from the press with the left button still held, the
    // system moves the window. Returns true while such a click is pending (the move is not hover).
    bool HandleDrag(QPoint p, Qt::MouseButtons buttons);
    // A click no region took waits for the pointer to move before it moves the window.
    bool MovePending() const { return m_bMovePending; }

    // Hides the window, or minimises it where there is no notification-area icon to bring it back:
    // Minimise, OK, Cancel, Enter and Esc all come here, so the window is never lost.
    void MinimiseWindow();
    // Brings the window to the front and shows it.
    void BringToFront();
    // Lets the window really close (at shutdown) instead of hiding.
    void AllowClose() { m_bClosing = true; }

    // The face of a window whose skin has no background.
    static constexpr QRgb kPlainBackground = 0xff202428;

    const QImage& BackBuffer() const { return m_surface.canvas(); }
    const HoverTracker& Hover() const { return m_surface.hover(); }
    SkinContext& Skin() const { return m_skin; }
    QPoint LastClick() const { return m_ptLastClick; }
    // An Apply or OK is still saving: until it is done the window takes no input and ignores clicks.
    bool ApplyRunning() const { return m_nAppliesRunning > 0; }
    std::unique_ptr<CMemDC> OpenCanvas();
    // One redraw of part of the window: draw paints into the back buffer, which is then copied to
    // the screen. Nothing is drawn without a back buffer.
    // part names what the drawing changes (only it is copied to the screen); empty: everything.
    void Redraw(const std::function<void(QPainter&)>& draw, const QRegion& part = {});

    // Interface texts of the frame (filled from the language's text table at start-up) and fonts.
    QString m_strBasicSettings, m_strAdvancedSettings, m_strColorSetting;
    QString m_strOk, m_strApply, m_strCancel;
    QString m_strWebAddress;
    QString m_strMouseAbsent;
    QFont m_fontText, m_fontTitle;

signals:
    // A click no region took asked the system to move the window.
    void moveRequested();
    // Enter or Esc hid the window.
    void hiddenByKey();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddFrameHoverItems();
    // Loads the background into the back buffer and sizes the window to it; false without one.
    bool LoadCanvas();
    // The picture the page shown is drawn on.
    QString PageBackgroundName() const;
    // Makes the back buffer the page's background, uncovered, and keeps aside the parts redraws
    // bring back (see PageBackground). False when the background is to be drawn from the picture
    // cache instead (no skin picture, or one that cannot be laid).
    bool LayBackground();
    // The page's background (or plain face) within area, drawn onto canvas.
    void DrawPageBackground(QPainter& canvas, const QRegion& area);
    // Loads what ReleaseFace gave back, before the window is shown.
    void RestoreFace();
    // Everything of the page shown in its normal look but its background, drawn onto canvas
    // (clipped as it is).
    void DrawPageLook(QPainter& canvas);
    void DrawFrameButtons(QPainter& canvas);
    void DrawTextButton(QPainter& canvas, const Region& region, const QString& caption, bool over);
    void DrawImageButton(QPainter& canvas, const Region& region, const QString& image, const QString& glyph, bool over);
    void ShowPage(int page);
    void RunApply();
    void StartWindowMove(QPoint p);
    PageContent* Content(int page) const;

    // Follows a left-button move: a pending click becomes a window move. True when it took the move.
    bool TakeMove(QMouseEvent& event);

    SkinContext& m_skin;
    FrameActions& m_actions;
    bool m_bTrayAvailable;
    bool m_bClosing = false;
    int m_nAppliesRunning = 0;
    bool m_bPlainLook = false;
    int m_nCurrentPage = kNoPage;
    bool m_bFaceReleased = false;
    // The controls of the current page exist (a page entered while the face was released has none).
    bool m_bPageBuilt = false;
    // The window was placed on the screen once; a later load keeps it where the user left it.
    bool m_bPlaced = false;
    SkinnedSurface m_surface;
    QPoint m_ptLastClick;
    PageContent* m_pBasicContent = nullptr;
    PageContent* m_pAdvancedContent = nullptr;
    // A click no region took, waiting for the pointer to leave the drag distance.
    bool m_bMovePending = false;
    QPoint m_ptPress;
    // Where a system move is not available, the window follows the pointer itself.
    bool m_bManualDrag = false;
    QPoint m_ptDragOffset;
};

} // namespace vexo
