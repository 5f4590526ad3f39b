// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

#include "ui/skin/region.h"

namespace vexo {

// The static text controls of the skinned pages: child windows that show one value, painted on a
// black background in the interface font and text colour. Clicks pass through them to the page,
// whose region lies under them. The control's object name is its identifier.
QLabel* CreateStaticField(QWidget* owner, int id, const Region& rect, const QFont& font, const QColor& text,
                          Qt::Alignment alignment = Qt::AlignCenter);
// Shows text in field: whole when it fits, otherwise cut at the right with an ellipsis and whole in
// the field's tooltip (which the skinned face under the field shows). Works for any label.
void SetStaticText(QLabel* field, const QString& text);

// A colour swatch: a sunken static control painted entirely in one colour.
QLabel* CreateColourSwatch(QWidget* owner, int id, const Region& rect, const QColor& colour);
void SetSwatchColour(QLabel* swatch, const QColor& colour);

} // namespace vexo
