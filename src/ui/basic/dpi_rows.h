// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <QPointer>
#include <QString>
#include <array>

#include "ui/basic/basic_page_parts.h"
#include "ui/skin/drop_down_list.h"

class QLabel;

namespace vexo {

// The eight DPI rows of the basic page: for each stage a number, a tick box (in use or not), a
// colour swatch that opens the colour chooser and a value field that opens the list of the
// resolutions the mouse's sensor offers. At least one stage always stays in use.
class DpiRows {
public:
    static constexpr int kRows = 8;

    explicit DpiRows(const BasicPageParts& parts);
    ~DpiRows();

    // Creates the value fields and swatches from the record (the texts for the current sensor type).
    void build();
    // Draws the numbers and tick boxes.
    void draw(QPainter& canvas);
    // Destroys the controls and closes the value list.
    void tearDown();
    // A click on a tick box, a swatch or a value field; false when p is on none of them.
    bool click(QPoint p);

    DropDownList& valueList() { return valueList_; }
    // The text shown for stage k (0-7): its entry in the sensor's list, or empty.
    const QString& stageText(int k) const { return stageTexts_[k]; }

private:
    void clickTick(int k);
    void clickSwatch(int k);
    void clickValue(int k);
    void chooseValue(int row);
    void drawTick(QPainter& canvas, int k);
    QString textOfIndex(std::size_t index) const;

    BasicPageParts parts_;
    std::array<QString, kRows> stageTexts_;
    std::array<QPointer<QLabel>, kRows> valueFields_;
    std::array<QPointer<QLabel>, kRows> swatches_;
    DropDownList valueList_;
    int openStage_ = -1; // the stage whose value list is open
};

} // namespace vexo
