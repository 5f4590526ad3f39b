// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/skinned_surface.h"

#include <QChildEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

#include "ui/skin/elided_texts.h"
#include "ui/skin/mem_dc.h"

namespace vexo {

namespace {
// Over looks appear almost at once, but not for a pointer just passing through.
constexpr int kHoverRestMs = 10;
} // namespace

SkinnedSurface::SkinnedSurface(QWidget& window, HoverTracker::Restore restore, QColor emptyFace)
    : QObject(&window), m_window(window), m_emptyFace(emptyFace),
      m_hover([this] { return open(); }, std::move(restore)) {
    m_window.setMouseTracking(true);
    m_window.setAttribute(Qt::WA_OpaquePaintEvent);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kHoverRestMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] { hoverNotice(m_ptHover); });
    m_window.installEventFilter(this);
}

SkinnedSurface::~SkinnedSurface() {
    m_window.removeEventFilter(this);
    ElidedTexts::forget(&m_canvas);
}

std::unique_ptr<CMemDC> SkinnedSurface::open() {
    ++m_redraws;
    return std::make_unique<CMemDC>(&m_window, &m_canvas);
}

void SkinnedSurface::pointerMoved(QPoint p) {
    if (m_hover.move(p)) {
        m_ptHover = p;
        m_hoverTimer.start();
    } else {
        m_hoverTimer.stop();
    }
    if (m_handlers.afterPointer)
        m_handlers.afterPointer();
}

void SkinnedSurface::hoverNotice(QPoint p) {
    m_hover.hover(p);
    if (m_handlers.afterPointer)
        m_handlers.afterPointer();
}

void SkinnedSurface::paint() {
    QPainter screen(&m_window);
    if (m_canvas.isNull()) {
        screen.fillRect(m_window.rect(), m_emptyFace);
        return;
    }
    screen.setCompositionMode(QPainter::CompositionMode_Source);
    screen.drawImage(0, 0, m_canvas);
}

QString SkinnedSurface::wholeTextAt(QPoint p) const {
    // Fields let the pointer through to the face, so their tooltips are the face's to show.
    for (const QObject* child : m_window.children()) {
        const auto* field = qobject_cast<const QLabel*>(child);
        if (field != nullptr && field->isVisible() && field->geometry().contains(p) && !field->toolTip().isEmpty())
            return field->toolTip();
    }
    return ElidedTexts::at(&m_canvas, p);
}

void SkinnedSurface::showWholeText(const QHelpEvent& event) {
    const QString text = wholeTextAt(event.pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event.globalPos(), text, &m_window);
}

void SkinnedSurface::pointerGone() {
    // A point outside every region: every over look goes, and a pending notice with it.
    pointerMoved(QPoint(-1, -1));
}

bool SkinnedSurface::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window) {
        // The pointer went from the face onto a control of its own (a field, an open list): the
        // window sees no move there, so what it lit would stay lit.
        if (event->type() == QEvent::Enter)
            pointerGone();
        return false;
    }
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
            child->installEventFilter(this);
        return false;
    case QEvent::Leave: pointerGone(); return false;
    case QEvent::ToolTip: showWholeText(*static_cast<QHelpEvent*>(event)); return true;
    case QEvent::Paint: paint(); return true;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_handlers.click)
            m_handlers.click(mouse->position().toPoint());
        mouse->accept();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // The second press of a double click is not a second click: a drop-down box would open and
        // close at once, a tick box would tick and untick.
        event->accept();
        return true;
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_handlers.takeMove && m_handlers.takeMove(*mouse))
            return true;
        pointerMoved(mouse->position().toPoint());
        return true;
    }
    default: return false;
    }
}

} // namespace vexo
