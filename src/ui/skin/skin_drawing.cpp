// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/skin_drawing.h"

#include <QPainter>

#include "platform/prompter.h"
#include "ui/skin/elided_texts.h"
#include "ui/skin/skin_draw_extent.h"
#include "ui/skin/skin_context.h"

namespace vexo {

bool DrawSkinImage(QPainter* canvas, SkinContext& skin, const QString& name, int x, int y) {
    if (canvas == nullptr || !canvas->isActive())
        return false;
    const QImage image = skin.image(name);
    if (image.isNull())
        return false;
    if (SkinDrawExtent::measuring()) {
        SkinDrawExtent::note(QRect(QPoint(x, y), image.size()));
        return true;
    }
    // Premultiplied pictures blend source-over; opaque ones simply cover what is below.
    canvas->setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas->drawImage(x, y, image);
    SkinDrawExtent::note(QRect(QPoint(x, y), image.size()));
    return true;
}

bool DrawSkinImageArea(QPainter* canvas, SkinContext& skin, const QString& name, const QRect& area) {
    if (canvas == nullptr || !canvas->isActive())
        return false;
    if (SkinDrawExtent::measuring()) {
        SkinDrawExtent::note(area);
        return true;
    }
    // The page's background is no longer held whole; its parts come from where it is kept.
    if (skin.pageBackground().holds(skin.skinDir(), name))
        return skin.pageBackground().drawArea(*canvas, area);
    const QImage image = skin.image(name);
    const QRect part = area.intersected(image.rect());
    if (part.isEmpty())
        return false;
    canvas->setCompositionMode(QPainter::CompositionMode_Source);
    canvas->drawImage(part.topLeft(), image, part);
    canvas->setCompositionMode(QPainter::CompositionMode_SourceOver);
    SkinDrawExtent::note(part);
    return true;
}

bool DrawDialogSkinImage(QPainter* canvas, SkinContext& skin, const QString& name, int x, int y, Prompter& prompter) {
    if (canvas == nullptr || !canvas->isActive())
        return false;
    if (DrawSkinImage(canvas, skin, name, x, y))
        return true;
    prompter.message("LoadPng---Load image failed.", std::string(kApplicationTitle));
    return false;
}

void DrawSkinText(QPainter& canvas, const QRect& rect, const QString& text, const QFont& font, const QColor& colour,
                  TextLayout layout) {
    if (SkinDrawExtent::measuring())
        return;
    const QString shown = ElidedTexts::fit(text, font, rect.width(), canvas.device());
    ElidedTexts::note(canvas.device(), rect, text, shown);
    int flags = Qt::TextSingleLine;
    switch (layout) {
    case TextLayout::LeftMiddle: flags |= Qt::AlignLeft | Qt::AlignVCenter; break;
    case TextLayout::Centre: flags |= Qt::AlignCenter; break;
    case TextLayout::RightMiddle: flags |= Qt::AlignRight | Qt::AlignVCenter; break;
    case TextLayout::TopCentre: flags |= Qt::AlignHCenter | Qt::AlignTop; break;
    }
    if (shown != text) {
        // A cut text fills its box from the left edge, so its first letters are the ones seen.
        flags &= ~(Qt::AlignHCenter | Qt::AlignRight);
        flags |= Qt::AlignLeft;
    }
    canvas.save();
    // Within whatever clip the caller set: a redraw of part of the window must not touch the rest.
    canvas.setClipRect(rect, canvas.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    canvas.setFont(font);
    canvas.setPen(colour);
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.drawText(rect, flags, shown);
    canvas.restore();
}

} // namespace vexo
