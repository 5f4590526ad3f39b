// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The main window's fields, drawn labels and lists in the three languages and both delivered
// skins: every text fits where it is shown, or is cut at the right with an ellipsis and shown whole
// in a tooltip; and every list opens on the value in use.
#include "basic_page_rig.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <tuple>

#include "config/factory_record.h"
#include "palette.h"
#include "skin_set.h"
#include "ui/basic/basic_page_regions.h"

namespace vexo {
namespace {

using test::BasicPageRig;

class WindowTextFitTest : public BasicPageRig,
                          public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {
protected:
    // The skin and language of this run, in place of the rig's test pictures and English.
    void useSkinAndLanguage() {
        const auto [skinName, language] = GetParam();
        where = QString("%1 %2").arg(skinName, language);
        for (const skingen::Palette& palette : skingen::Palette::all())
            if (palette.name == skinName) {
                QString error;
                ASSERT_TRUE(skingen::writeSkin(palette, folder.path() + "/Skins/Test", &error)) << error.toStdString();
            }
        writeFile("str.ini",
                  QByteArray("[Skins]\nLan=") + language + "\nPath=Test\nRColor=255\nGColor=255\nBColor=255\n");
    }

    QString tipAt(QPoint p) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, p, window().mapToGlobal(p));
        QCoreApplication::sendEvent(&window(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // A field shows whole, or cut with an ellipsis (what shows fitting its box) and whole in the
    // tooltip over it.
    void expectFieldShows(int id, const QString& whole) {
        const QLabel* field = control<QLabel>(id);
        ASSERT_NE(field, nullptr);
        const QFontMetrics metrics(field->font());
        const int room = field->contentsRect().width();
        if (metrics.horizontalAdvance(whole) <= room) {
            EXPECT_EQ(field->text(), whole) << where.toStdString();
            return;
        }
        ++cut;
        EXPECT_LE(metrics.horizontalAdvance(field->text()), room) << where.toStdString() << ": " << whole.toStdString();
        EXPECT_TRUE(field->text().endsWith(QChar(0x2026))) << where.toStdString() << ": " << whole.toStdString();
        EXPECT_EQ(tipAt(field->geometry().center()), whole) << where.toStdString();
    }

    // A text drawn on the face in box: it fits, or the tooltip there gives it whole.
    void expectDrawnShows(const Region& box, const QString& whole) {
        if (QFontMetrics(window().m_fontText).horizontalAdvance(whole) <= box.width())
            return;
        ++cut;
        EXPECT_EQ(tipAt(box.rect().center()), whole) << where.toStdString();
    }

    // Every row of an open list fits its width or carries its whole text as tooltip.
    QStringList expectRowsFit(int id) {
        QListWidget* open = list(id);
        EXPECT_NE(open, nullptr) << where.toStdString() << " list " << id;
        if (open == nullptr)
            return {};
        QCoreApplication::processEvents();
        const int margin = open->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, open) + 1;
        const QFontMetrics metrics(open->font());
        QStringList rows;
        for (int row = 0; row < open->count(); ++row) {
            const QListWidgetItem* item = open->item(row);
            rows << item->text();
            if (metrics.horizontalAdvance(item->text()) > open->viewport()->width() - 2 * margin) {
                ++cut;
                EXPECT_EQ(item->toolTip(), item->text()) << where.toStdString() << " list " << id << " row " << row;
            }
        }
        return rows;
    }

    // Opens the list behind box, checks its rows, then picks each row and checks field.
    void walk(const Region& box, int listId, int fieldId) {
        click(box);
        const QStringList rows = expectRowsFit(listId);
        click(box);
        for (int row = 0; row < rows.size(); ++row) {
            click(box);
            pickEntry(list(listId), row);
            expectFieldShows(fieldId, rows[row]);
        }
    }

    QString where;
    int cut = 0;
};

TEST_P(WindowTextFitTest, FieldsLabelsAndListsFitOrAreCutWithTheWholeTextInATooltip) {
    useSkinAndLanguage();
    ConfigRecord edited = FactoryRecord();
    edited.setLightingMode(lighting_mode::Neon);
    writeRecord(edited);
    start();

    // The button-function lists, and the label each plain function gives its button.
    for (int k = 0; k < BasicPage::kButtons; ++k) {
        click(basic::FunctionBox(k));
        expectRowsFit(basic::kFunctionListId + k);
        click(basic::FunctionBox(k));
    }
    click(basic::FunctionBox(1));
    const QStringList functions = expectRowsFit(basic::kFunctionListId + 1);
    click(basic::FunctionBox(1));
    for (const int row :
         {function_code::LeftClick, function_code::RightClick, function_code::MidClick, function_code::Forward,
          function_code::Backward, function_code::TripleClick, function_code::RgbOnOff, function_code::KeyOff}) {
        click(basic::FunctionBox(1));
        pickEntry(list(basic::kFunctionListId + 1), row);
        expectDrawnShows(basic::FunctionLabel(1), functions[row]);
    }

    // The lighting lists and fields: neon's effects first, then every mode's parameters.
    walk(basic::kEffectBox, basic::kEffectListId, basic::kEffectFieldId);
    click(basic::kModeBox);
    const int modes = expectRowsFit(basic::kModeListId).size();
    click(basic::kModeBox);
    EXPECT_EQ(modes, 3);
    for (int mode = 0; mode < modes; ++mode) {
        click(basic::kModeBox);
        const QString name = list(basic::kModeListId)->item(mode)->text();
        pickEntry(list(basic::kModeListId), mode);
        expectFieldShows(basic::kModeFieldId, name);
        if (mode != lighting_mode::Respiration - 1)
            walk(basic::kParameterBox, basic::kParameterListId, basic::kParameterFieldId);
    }

    // The DPI values of the first stage.
    walk(basic::DpiValueBox(0), basic::kDpiValueListId, basic::kDpiValueFieldId);
    RecordProperty("cut", cut);
}

INSTANTIATE_TEST_SUITE_P(SkinsAndLanguages, WindowTextFitTest,
                         ::testing::Combine(::testing::Values("Black", "Blue"), ::testing::Values("CHS", "CHT", "EN")));

using ListsOpenOnTheValueInUseTest = BasicPageRig;

TEST_F(ListsOpenOnTheValueInUseTest, ButtonFunctionListsSelectTheFunctionOfTheModeBeingEdited) {
    ConfigRecord edited = FactoryRecord();
    edited.setFunctionCode(KeyMode::A, 3, function_code::Forward);
    edited.setFunctionCode(KeyMode::B, 3, function_code::KeyOff);
    edited.setFunctionCode(KeyMode::B, 6, function_code::MacroKey);
    writeRecord(edited);
    start();
    const auto expectOpensOn = [&](int k, int row) {
        click(basic::FunctionBox(k));
        QListWidget* functions = list(basic::kFunctionListId + k);
        ASSERT_NE(functions, nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(functions->currentRow(), row) << "button " << k + 1;
        ASSERT_NE(functions->item(row), nullptr);
        EXPECT_TRUE(functions->item(row)->isSelected());
        const QRect rect = functions->visualItemRect(functions->item(row));
        EXPECT_TRUE(rect.top() >= 0 && rect.bottom() < functions->viewport()->height())
            << "button " << k + 1 << " row " << row << " scrolled into view";
        click(basic::FunctionBox(k));
    };
    expectOpensOn(3, function_code::Forward);
    expectOpensOn(0, function_code::LeftClick);
    click(basic::kModeB);
    expectOpensOn(3, function_code::KeyOff);
    expectOpensOn(6, function_code::MacroKey);
    // A choice moves the selection the next opening shows; opening is no choice.
    click(basic::FunctionBox(3));
    pickEntry(list(basic::kFunctionListId + 3), function_code::MidClick);
    EXPECT_EQ(record().functionCode(KeyMode::B, 3), function_code::MidClick);
    expectOpensOn(3, function_code::MidClick);
    click(basic::kModeA);
    expectOpensOn(3, function_code::Forward);
    EXPECT_EQ(record().functionCode(KeyMode::A, 3), function_code::Forward);
    EXPECT_EQ(record().functionCode(KeyMode::B, 6), function_code::MacroKey);
}

} // namespace
} // namespace vexo
