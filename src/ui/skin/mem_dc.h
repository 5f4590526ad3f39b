// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPainter>
#include <QRegion>
#include <optional>

class QImage;
class QWidget;

namespace vexo {

// One redraw of a skinned window: drawing lands in the window's persistent back buffer, and when
// the object goes out of scope the whole buffer is copied to the screen. Everything not drawn in
// between keeps its last picture, so a redraw draws only what changed.
class CMemDC {
public:
    // backBuffer may be null (the background failed to load): then nothing is drawn or copied.
    CMemDC(QWidget* window, QImage* backBuffer);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The painter on the back buffer, or null when there is none.
    QPainter* painter() { return painter_ ? &*painter_ : nullptr; }
    // Names a part of the window this redraw changes. When parts are named, only they are copied
    // to the screen (the rest of the screen already shows the buffer); otherwise all of it is.
    void addDirty(const QRect& part) { dirty_ += part; }

private:
    QWidget* window_;
    std::optional<QPainter> painter_;
    QRegion dirty_;
};

} // namespace vexo
