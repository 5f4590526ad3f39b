// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/skin/hover_tracker.h"

class QHelpEvent;
class QMouseEvent;
class QWidget;

namespace vexo {

class CMemDC;

// The face every skinned window shares (the main window, the dialog skeleton, the skin picker):
// a persistent back buffer that redraws draw into and that a paint event only copies to the screen,
// the hover feedback with its short rest before an over look appears, and the mouse rules of these
// windows: a left press is a click, the second press of a double click is no second click, and a
// move lights the region under the pointer, and only that one: leaving the window, or entering one
// of its controls, lights none.
//
// It watches its window's events itself, so the windows do not repeat these handlers. The window
// must outlive it (make it a member of the window).
class SkinnedSurface : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        // Left button pressed at p (client pixels).
        std::function<void(QPoint p)> click;
        // Optional: sees every move first; returning true takes it (a drag), so no hover follows.
        std::function<bool(QMouseEvent& event)> takeMove;
        // Optional: runs after every move and hover notice (deferred messages are shown there).
        std::function<void()> afterPointer;
    };

    // restore: how a region's normal look comes back (see HoverTracker); emptyFace: what a paint
    // shows while there is no back buffer.
    SkinnedSurface(QWidget& window, HoverTracker::Restore restore, QColor emptyFace);
    ~SkinnedSurface() override;

    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }

    QImage& canvas() { return m_canvas; }
    const QImage& canvas() const { return m_canvas; }
    HoverTracker& hover() { return m_hover; }
    const HoverTracker& hover() const { return m_hover; }
    // One redraw into the back buffer, copied to the screen when the result is destroyed.
    std::unique_ptr<CMemDC> open();
    // How many redraws were opened so far: a changed count means the back buffer may have changed.
    std::uint64_t redraws() const { return m_redraws; }

    // Pointer moved to p: lights or clears hover looks (the over look after a short rest).
    void pointerMoved(QPoint p);
    // The rest ended with the pointer at p: the over look of the region there.
    void hoverNotice(QPoint p);
    // The whole text of a field or drawn text at p that is shown cut, or an empty string. A
    // tooltip shows it when the pointer rests there.
    QString wholeTextAt(QPoint p) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paint();
    void showWholeText(const QHelpEvent& event);
    // The pointer left the face (out of the window or onto one of its controls).
    void pointerGone();

    QWidget& m_window;
    QColor m_emptyFace;
    Handlers m_handlers;
    // Premultiplied ARGB: every redraw draws what changed into it.
    QImage m_canvas;
    std::uint64_t m_redraws = 0;
    HoverTracker m_hover;
    QTimer m_hoverTimer;
    QPoint m_ptHover;
};

} // namespace vexo
