// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/basic/basic_page_parts.h"
#include "ui/skin/drop_down_list.h"

class QLabel;

namespace vexo {

// The lighting section of the basic page: the lighting mode (standard, respiration, neon), the
// mode's parameter (brightness or cycle time) and the neon mode's effect, each a drawn box with a
// list and a static field that shows the value. Values outside their tables show an empty text and
// stay as they are until the user chooses.
class LightingSection {
public:
    explicit LightingSection(const BasicPageParts& parts);
    ~LightingSection();

    // Creates the three fields with the record's values.
    void build();
    // Draws the two box pictures, the heading and the labels.
    void draw(QPainter& canvas);
    void tearDown();
    // A click on the mode, parameter or effect box; false when p is on none of them.
    bool click(QPoint p);
    // In the order the page closes them on an outside click.
    std::vector<DropDownList*> dropDowns() { return {&modeList_, &parameterList_, &effectList_}; }

    // The entries of each mode's parameter list (1 standard, 2 respiration, anything else neon).
    static QStringList ParameterEntries(std::uint8_t mode);
    // The texts the three fields show for the record as it is.
    QString modeText() const;
    QString parameterText() const;
    QString effectText(std::uint8_t mode) const;

private:
    void chooseMode(int row);
    void chooseParameter(int row);
    void chooseEffect(int row);
    void clickEffect();
    QString effectName(std::uint8_t code) const;

    BasicPageParts parts_;
    QPointer<QLabel> modeField_;
    QPointer<QLabel> parameterField_;
    QPointer<QLabel> effectField_;
    DropDownList modeList_;
    DropDownList parameterList_;
    DropDownList effectList_;
};

} // namespace vexo
