// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The DPI rows and the lighting section of the basic page: value lists, tick boxes, colour
// swatches with the real colour chooser, the lighting lists, and values from files written elsewhere.
#include "basic_page_rig.h"

#include <QColorDialog>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <random>

#include "config/dpi_table.h"
#include "config/factory_record.h"
#include "config/key_entry.h"
#include "device/hid_link.h"
#include "platform/device_monitor.h"
#include "ui/basic/basic_page_regions.h"

namespace vexo {
namespace {

using test::BasicPageRig;

class ColourSettingsTest : public BasicPageRig {
protected:
    // A field's text as the user can read it: whole in the tooltip when the field shows it cut.
    QString fieldText(int id) {
        const QLabel* field = control<QLabel>(id);
        if (field == nullptr)
            return "<none>";
        return field->toolTip().isEmpty() ? field->text() : field->toolTip();
    }
    // Answers the colour chooser the next click opens: with colour, with OK at once when colour is
    // invalid, or cancelled when cancel. Records the colour it opened on. Returns a flag that tells
    // whether a chooser appeared at all.
    std::shared_ptr<bool> answerChooser(QColor colour, bool cancel = false) {
        auto appeared = std::make_shared<bool>(false);
        QTimer::singleShot(0, [this, appeared, colour, cancel] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            *appeared = true;
            openedOn = dialog->currentColor();
            if (cancel) {
                dialog->reject();
                return;
            }
            if (colour.isValid())
                dialog->setCurrentColor(colour);
            dialog->accept();
        });
        return appeared;
    }
    QColor openedOn;
};

TEST_F(ColourSettingsTest, DpiValueListOffersTheSensorsValuesAndOpensAgainAtOnce) {
    start();
    const std::span<const DpiRow> values = DpiList(3);
    EXPECT_EQ(fieldText(basic::kDpiValueFieldId + 1), QString::number(values[record().dpiValues()[1]].value));
    click(basic::DpiValueBox(4));
    QListWidget* valueList = list(basic::kDpiValueListId);
    ASSERT_NE(valueList, nullptr);
    EXPECT_EQ(valueList->count(), 20);
    EXPECT_EQ(valueList->geometry(), basic::DpiValueList(4).rect());
    pickEntry(valueList, 7);
    EXPECT_EQ(list(basic::kDpiValueListId), nullptr);
    EXPECT_EQ(record().dpiValues()[4], 7);
    EXPECT_EQ(fieldText(basic::kDpiValueFieldId + 4), "2000");
    // Any field opens the list again with the next click, the same field included.
    click(basic::DpiValueBox(4));
    ASSERT_NE(list(basic::kDpiValueListId), nullptr);
    click(basic::DpiValueBox(4));
    ASSERT_NE(list(basic::kDpiValueListId), nullptr);
    EXPECT_EQ(list(basic::kDpiValueListId)->geometry(), basic::DpiValueList(4).rect());
    click(basic::DpiValueBox(0));
    ASSERT_NE(list(basic::kDpiValueListId), nullptr);
    EXPECT_EQ(list(basic::kDpiValueListId)->geometry(), basic::DpiValueList(0).rect());
    // The wheel moves the list three entries a notch; the pointer still picks what it is on.
    valueList = list(basic::kDpiValueListId);
    const QPoint at(20, 20);
    QWheelEvent wheel(at, valueList->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(valueList->viewport(), &wheel);
    EXPECT_EQ(valueList->indexAt(QPoint(5, 1)).row(), 3);
    pickEntry(valueList, 3);
    EXPECT_EQ(record().dpiValues()[0], 3);
    EXPECT_EQ(fieldText(basic::kDpiValueFieldId), "1000");

    mouse->clearExchanges();
    apply();
    EXPECT_EQ(mouse->blocks().dpi, DpiImage(record(), 3));
    EXPECT_EQ(savedRecord().dpiValues()[0], 3);
}

// An opening list shows the value in use selected and in view, and a list longer than its box
// shows a scroll bar; neither is a choice.
TEST_F(ColourSettingsTest, TheDpiValueListOpensOnTheValueInUseAndShowsThereIsMore) {
    ConfigRecord edited = FactoryRecord();
    edited.dpiValues()[2] = 17;
    edited.setLightingMode(lighting_mode::Neon);
    edited.setLightingParameter1(lighting_mode::Neon, 8);
    writeRecord(edited);
    start();
    click(basic::DpiValueBox(2));
    QListWidget* valueList = list(basic::kDpiValueListId);
    ASSERT_NE(valueList, nullptr);
    EXPECT_EQ(valueList->currentRow(), 17);
    EXPECT_TRUE(valueList->item(17)->isSelected());
    EXPECT_TRUE(valueList->viewport()->rect().contains(valueList->visualItemRect(valueList->item(17))))
        << "scrolled into view";
    EXPECT_TRUE(valueList->verticalScrollBar()->isVisible()) << "20 values do not fit the box";
    EXPECT_GT(valueList->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(page().dpiRows().valueList().isOpen());
    EXPECT_EQ(record().dpiValues()[2], 17);
    // Another stage opens on its own value.
    click(basic::DpiValueBox(2));
    click(basic::DpiValueBox(0));
    valueList = list(basic::kDpiValueListId);
    ASSERT_NE(valueList, nullptr);
    EXPECT_EQ(valueList->currentRow(), int(record().dpiValues()[0]));

    // The lighting lists too: the neon parameter list is longer than its box.
    click(basic::kParameterBox);
    QListWidget* parameters = list(basic::kParameterListId);
    ASSERT_NE(parameters, nullptr);
    EXPECT_EQ(parameters->currentRow(), 8);
    EXPECT_TRUE(parameters->viewport()->rect().contains(parameters->visualItemRect(parameters->item(8))));
    click(basic::kParameterBox);
    click(basic::kModeBox);
    ASSERT_NE(list(basic::kModeListId), nullptr);
    EXPECT_EQ(list(basic::kModeListId)->currentRow(), lighting_mode::Neon - 1);
    EXPECT_EQ(record().lightingParameter1(lighting_mode::Neon), 8);
}

TEST_F(ColourSettingsTest, TheLastStageInUseStaysAndAnyStageCanBeTakenIntoUse) {
    ConfigRecord edited = FactoryRecord();
    for (std::size_t k = 0; k < 8; ++k)
        edited.dpiEnabled()[k] = k == 2 ? 1 : 0;
    writeRecord(edited);
    start();
    EXPECT_EQ(pixel(basic::DpiTick(2)), kTick);
    EXPECT_EQ(pixel(basic::DpiTick(0)), kPane);
    click(basic::DpiTick(2));
    EXPECT_EQ(record().dpiEnabled()[2], 1);
    EXPECT_EQ(pixel(basic::DpiTick(2)), kTick);
    click(basic::DpiTick(6));
    EXPECT_EQ(record().dpiEnabled()[6], 1);
    EXPECT_EQ(pixel(basic::DpiTick(6)), kTick);
    click(basic::DpiTick(2));
    EXPECT_EQ(record().dpiEnabled()[2], 0);
    EXPECT_EQ(pixel(basic::DpiTick(2)), kPane);
    mouse->clearExchanges();
    apply();
    EXPECT_EQ(mouse->blocks().dpi, DpiImage(record(), 3));
    EXPECT_EQ(mouse->blocks().dpi[2] & kDpiStageOff, kDpiStageOff);
    EXPECT_EQ(mouse->blocks().dpi[6] & kDpiStageOff, 0);
}

TEST_F(ColourSettingsTest, SwatchesOfStagesInUseOpenTheColourChooser) {
    ConfigRecord edited = FactoryRecord();
    edited.dpiEnabled()[5] = 0;
    edited.dpiEnabled()[1] = 1;
    writeRecord(edited);
    start();
    const Rgb before = record().dpiColour(5);
    auto appeared = answerChooser(QColor(1, 2, 3));
    click(basic::DpiSwatch(5));
    QCoreApplication::processEvents();
    EXPECT_FALSE(*appeared) << "a stage not in use has no colour to choose";
    EXPECT_EQ(record().dpiColour(5), before);

    // The chooser opens on the stage's colour: OK at once keeps it (it never turns the LED off).
    const Rgb stage = record().dpiColour(1);
    ASSERT_NE(stage, (Rgb{0, 0, 0}));
    appeared = answerChooser(QColor());
    click(basic::DpiSwatch(1));
    EXPECT_TRUE(*appeared);
    EXPECT_EQ(openedOn, QColor(stage.red, stage.green, stage.blue));
    EXPECT_EQ(record().dpiColour(1), stage);

    appeared = answerChooser(QColor(250, 20, 130));
    click(basic::DpiSwatch(1));
    EXPECT_TRUE(*appeared);
    EXPECT_EQ(record().dpiColour(1), (Rgb{250, 20, 130}));
    EXPECT_EQ(control<QLabel>(basic::kSwatchId + 1)->palette().color(QPalette::Window), QColor(250, 20, 130));

    appeared = answerChooser(QColor(9, 9, 9), true);
    click(basic::DpiSwatch(1));
    EXPECT_TRUE(*appeared);
    EXPECT_EQ(openedOn, QColor(250, 20, 130));
    EXPECT_EQ(record().dpiColour(1), (Rgb{250, 20, 130})) << "a cancelled chooser changes nothing";
    EXPECT_EQ(control<QLabel>(basic::kSwatchId + 1)->palette().color(QPalette::Window), QColor(250, 20, 130));

    mouse->clearExchanges();
    apply();
    const DeviceImage blocks = mouse->blocks();
    EXPECT_EQ(blocks.colourBlock1[3], 250);
    EXPECT_EQ(blocks.colourBlock1[4], 20);
    EXPECT_EQ(blocks.colourBlock1[5], 130);
    EXPECT_EQ(savedRecord().dpiColour(1), (Rgb{250, 20, 130}));
}

TEST_F(ColourSettingsTest, LightingListsFollowTheModeAndStoreWhatIsChosen) {
    ConfigRecord edited = FactoryRecord();
    edited.setLightingMode(lighting_mode::Neon);
    edited.setLightingParameter1(lighting_mode::Respiration, 3);
    edited.setLightingParameter1(lighting_mode::Neon, 4);
    edited.setLightingParameter2(lighting_mode::Neon, 2);
    edited.setLightingParameter2(lighting_mode::Respiration, 4);
    writeRecord(edited);
    start();
    EXPECT_EQ(fieldText(basic::kModeFieldId), "Neon");
    EXPECT_EQ(fieldText(basic::kParameterFieldId), "2.5S");
    EXPECT_EQ(fieldText(basic::kEffectFieldId), "RGB Flash");
    // Neon: the effect box opens its two effects; RGB Fixed On is 3.
    click(basic::kEffectBox);
    QListWidget* effects = list(basic::kEffectListId);
    ASSERT_NE(effects, nullptr);
    ASSERT_EQ(effects->count(), 2);
    pickEntry(effects, 1);
    EXPECT_EQ(record().lightingParameter2(lighting_mode::Neon), 3);
    EXPECT_EQ(fieldText(basic::kEffectFieldId), "RGB Fixed On");
    click(basic::kEffectBox);
    EXPECT_NE(list(basic::kEffectListId), nullptr) << "the next click opens it again";
    click(basic::kEffectBox);
    EXPECT_EQ(list(basic::kEffectListId), nullptr);

    // Respiration after neon: its own stored cycle, one effect, five cycles.
    click(basic::kModeBox);
    ASSERT_NE(list(basic::kModeListId), nullptr);
    EXPECT_EQ(list(basic::kModeListId)->count(), 3);
    pickEntry(list(basic::kModeListId), 1);
    EXPECT_EQ(record().lightingMode(), lighting_mode::Respiration);
    EXPECT_EQ(fieldText(basic::kModeFieldId), "Respiration");
    EXPECT_EQ(fieldText(basic::kParameterFieldId), "5S");
    EXPECT_EQ(fieldText(basic::kEffectFieldId), "RGB Effect");
    click(basic::kParameterBox);
    QListWidget* cycles = list(basic::kParameterListId);
    ASSERT_NE(cycles, nullptr);
    EXPECT_EQ(cycles->count(), 5);
    EXPECT_EQ(cycles->geometry(), basic::kParameterListRespiration.rect());
    pickEntry(cycles, 4);
    EXPECT_EQ(record().lightingParameter1(lighting_mode::Respiration), 4);
    EXPECT_EQ(fieldText(basic::kParameterFieldId), "4S");
    click(basic::kEffectBox);
    EXPECT_EQ(list(basic::kEffectListId), nullptr) << "respiration has nothing to choose";
    EXPECT_EQ(record().lightingParameter2(lighting_mode::Respiration), 4);

    click(basic::kModeBox);
    pickEntry(list(basic::kModeListId), 0);
    click(basic::kParameterBox);
    ASSERT_NE(list(basic::kParameterListId), nullptr);
    EXPECT_EQ(list(basic::kParameterListId)->count(), 10);
    EXPECT_EQ(list(basic::kParameterListId)->geometry(), basic::kParameterListStandard.rect());
    pickEntry(list(basic::kParameterListId), 9);
    EXPECT_EQ(fieldText(basic::kParameterFieldId), "100%");
    click(basic::kParameterBox);
    EXPECT_NE(list(basic::kParameterListId), nullptr) << "the next click opens it again";

    mouse->clearExchanges();
    apply();
    const ConfigRecord saved = savedRecord();
    EXPECT_EQ(saved.lightingMode(), lighting_mode::Standard);
    EXPECT_EQ(saved.lightingParameter1(lighting_mode::Standard), 9);
    EXPECT_EQ(saved.lightingParameter2(lighting_mode::Neon), 3);
}

TEST_F(ColourSettingsTest, ValuesOutOfRangeShowEmptyTextsAndStayUntilChosen) {
    ConfigRecord edited = FactoryRecord();
    edited.setFunctionCode(KeyMode::A, 3, 200);
    edited.dpiValues()[0] = 99;
    edited.setLightingMode(9);
    edited.setLightingParameter1(lighting_mode::Neon, 77);
    edited.setReportRate(0);
    edited.setModeSelector(5);
    writeRecord(edited);
    start();
    ASSERT_EQ(record(), edited);
    EXPECT_EQ(fieldText(basic::kDpiValueFieldId), "");
    EXPECT_EQ(fieldText(basic::kModeFieldId), "");
    EXPECT_EQ(fieldText(basic::kParameterFieldId), "");
    EXPECT_EQ(fieldText(basic::kEffectFieldId), "");
    EXPECT_EQ(pixel(basic::kRateSegments[3]), kRateLight);
    // A neon cycle beyond the list shows nothing once neon is chosen, and is kept.
    click(basic::kModeBox);
    pickEntry(list(basic::kModeListId), 2);
    EXPECT_EQ(fieldText(basic::kModeFieldId), "Neon");
    EXPECT_EQ(fieldText(basic::kParameterFieldId), "");
    EXPECT_EQ(record().lightingParameter1(lighting_mode::Neon), 77);
    EXPECT_EQ(record().functionCode(KeyMode::A, 3), 200);
    EXPECT_EQ(record().dpiValues()[0], 99);
}

TEST_F(ColourSettingsTest, RandomRecordsOfEverySensorDrawWithoutFault) {
    // Whatever a file written elsewhere holds, and whatever sensor the mouse reports (four with a
    // list, two without).
    std::mt19937 random(58);
    start();
    for (std::uint8_t sensor = 0; sensor < 6; ++sensor) {
        mouse->unplug();
        shell->deviceChanged(DeviceChange{DeviceChange::Kind::Removal, "", HidLink::kVendorId, HidLink::kProductId});
        DeviceImage blocks = mouse->blocks();
        blocks.sensor[DeviceImage::kSensorTypeByte] = sensor;
        mouse->setBlocks(blocks);
        mouse->plug();
        shell->deviceChanged(DeviceChange{DeviceChange::Kind::Arrival, "", HidLink::kVendorId, HidLink::kProductId});
        ASSERT_TRUE(shell->mousePresent());
        for (int round = 0; round < 50; ++round) {
            for (std::uint8_t& byte : record().bytes())
                byte = static_cast<std::uint8_t>(random());
            const ConfigRecord before = record();
            window().RebuildCurrentPage();
            ASSERT_EQ(record(), before) << "showing a record never changes it";
            ASSERT_EQ(window().findChildren<QLabel*>().size(), 19);
            const std::uint8_t index = record().dpiValues()[0];
            const auto value = DpiValue(sensor, index);
            ASSERT_EQ(fieldText(basic::kDpiValueFieldId), value ? QString::number(*value) : QString());
        }
        click(basic::DpiValueBox(0));
        ASSERT_NE(list(basic::kDpiValueListId), nullptr);
        EXPECT_EQ(list(basic::kDpiValueListId)->count(), qsizetype(DpiList(sensor).size()));
    }
}

} // namespace
} // namespace vexo
