// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/mem_dc.h"

#include <QImage>
#include <QWidget>

namespace vexo {

CMemDC::CMemDC(QWidget* window, QImage* backBuffer) : window_(window) {
    if (backBuffer != nullptr && !backBuffer->isNull()) {
        painter_.emplace(backBuffer);
        painter_->setBackgroundMode(Qt::TransparentMode);
    }
}

CMemDC::~CMemDC() {
    if (!painter_)
        return;
    painter_->end();
    painter_.reset();
    // Copy at once, as the drawing is finished: the screen shows the buffer before the next event.
    if (window_ == nullptr || !window_->isVisible() || window_->paintingActive())
        return;
    if (dirty_.isEmpty())
        window_->repaint();
    else
        window_->repaint(dirty_);
}

} // namespace vexo
