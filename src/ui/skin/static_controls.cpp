// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/static_controls.h"

#include "ui/skin/elided_texts.h"

namespace vexo {

namespace {
QLabel* CreateStatic(QWidget* owner, int id, const Region& rect) {
    auto* label = new QLabel(owner);
    label->setObjectName(QString::number(id));
    label->setGeometry(rect.rect());
    // The page's click region lies under the control; the control itself takes no clicks.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setAutoFillBackground(true);
    return label;
}

void SetBackground(QLabel* label, const QColor& background, const QColor& text) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
}
} // namespace

QLabel* CreateStaticField(QWidget* owner, int id, const Region& rect, const QFont& font, const QColor& text,
                          Qt::Alignment alignment) {
    QLabel* field = CreateStatic(owner, id, rect);
    field->setFont(font);
    field->setAlignment(alignment);
    field->setTextFormat(Qt::PlainText);
    field->setMargin(0);
    SetBackground(field, Qt::black, text);
    field->show();
    return field;
}

void SetStaticText(QLabel* field, const QString& text) {
    if (field == nullptr)
        return;
    const int margin = field->margin();
    const QString shown = ElidedTexts::fit(text, field->font(), field->contentsRect().width() - 2 * margin);
    // The face under the field shows the whole text as a tooltip (the field takes no pointer).
    field->setToolTip(shown == text ? QString() : text);
    if (field->text() != shown)
        field->setText(shown);
}

QLabel* CreateColourSwatch(QWidget* owner, int id, const Region& rect, const QColor& colour) {
    QLabel* swatch = CreateStatic(owner, id, rect);
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setLineWidth(1);
    SetBackground(swatch, colour, colour);
    swatch->show();
    return swatch;
}

void SetSwatchColour(QLabel* swatch, const QColor& colour) {
    if (swatch != nullptr)
        SetBackground(swatch, colour, colour);
}

} // namespace vexo
