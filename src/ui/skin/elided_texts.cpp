// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/elided_texts.h"

#include <QFontMetrics>
#include <QHash>
#include <QList>
#include <QPaintDevice>
#include <utility>

namespace vexo {

namespace {
using Kept = QList<std::pair<QRect, QString>>;
QHash<const QPaintDevice*, Kept>& Store() {
    static QHash<const QPaintDevice*, Kept> store;
    return store;
}
} // namespace

QString ElidedTexts::fit(const QString& text, const QFont& font, int width, const QPaintDevice* device) {
    // Measured on the device drawn on: a picture and the screen may differ in resolution.
    const QFontMetrics metrics = device != nullptr ? QFontMetrics(font, device) : QFontMetrics(font);
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    return metrics.elidedText(text, Qt::ElideRight, width);
}

void ElidedTexts::note(const QPaintDevice* device, const QRect& box, const QString& text, const QString& shown) {
    if (device == nullptr)
        return;
    auto found = Store().find(device);
    if (found != Store().end())
        found->removeIf([&](const std::pair<QRect, QString>& kept) { return kept.first == box; });
    if (shown != text)
        Store()[device].append({box, text});
}

QString ElidedTexts::at(const QPaintDevice* device, QPoint p) {
    const auto found = Store().constFind(device);
    if (found == Store().constEnd())
        return {};
    for (const auto& [box, text] : *found)
        if (box.contains(p))
            return text;
    return {};
}

void ElidedTexts::forget(const QPaintDevice* device) { Store().remove(device); }

} // namespace vexo
