// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "config/application_title.h"

class QPainter;

namespace vexo {

class Prompter;

class SkinContext;

// Draws the picture name of skin's current skin (name begins with "/") with its top-left corner at
// (x, y) at its own size: alpha pictures blended source-over, pictures without alpha copied opaque.
// Returns false without drawing when canvas is null or not painting, or the file cannot be loaded.
// The main window's variant: failures are silent (the rest of the picture is still drawn).
bool DrawSkinImage(QPainter* canvas, SkinContext& skin, const QString& name, int x, int y);

// Draws the part of the skin picture name that lies in area when the picture is placed at (0, 0),
// copied opaque: what a page background shows there. Restores the background under a region before
// a picture that does not cover all of the previous one is drawn.
bool DrawSkinImageArea(QPainter* canvas, SkinContext& skin, const QString& name, const QRect& area);

// The pop-up dialogs' variant: a picture that cannot be loaded is reported with the message
// "LoadPng---Load image failed." before false is returned.
bool DrawDialogSkinImage(QPainter* canvas, SkinContext& skin, const QString& name, int x, int y, Prompter& prompter);

// The four single-line text layouts of the skinned windows.
enum class TextLayout { LeftMiddle, Centre, RightMiddle, TopCentre };

// Draws text with a transparent background inside rect, clipped to it. A text wider than rect is
// drawn from its left edge, cut at the right with an ellipsis, and kept whole in ElidedTexts for
// the face's tooltip.
void DrawSkinText(QPainter& canvas, const QRect& rect, const QString& text, const QFont& font, const QColor& colour,
                  TextLayout layout);

} // namespace vexo
