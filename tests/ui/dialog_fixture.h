// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QListWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "qt_test_main.h"
#include "skin_fixture.h"
#include "support/recording_prompter.h"
#include "ui/dialogs/skin_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace vexo::test {

// A skin with every dialog picture (solid colours, so pixels tell which picture is where), the
// interface globals set for it, and a prompter that records message boxes.
class DialogTest : public ::testing::Test {
protected:
    static constexpr QRgb kDialogBackground = 0xff203040;
    static constexpr QRgb kPane = 0xff605040;
    static constexpr QRgb kTick = 0xffe0d000;

    void SetUp() override {
        TestApp();
        for (const char* name : {"/single-key.png", "/combo-key.png", "/fire-key.png", "/delay-time.png",
                                 "/media-key.png", "/windows-key.png", "/macro-key.png"})
            skin.write(name, 400, 292, QColor::fromRgb(kDialogBackground));
        skin.write("/Pane.png", 16, 16, QColor::fromRgb(kPane));
        skin.write("/PaneMakingTick.png", 16, 16, QColor::fromRgb(kTick));
        skinContext.strSkinDir = skin.path().toStdString();
        skinContext.strLanguage = "EN";
        skinContext.textColor = TextColour{0, 255, 0};
    }

    // Shows the dialog (not modally, so the test keeps running) and waits until it has the focus.
    static void Open(QDialog& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    static QPoint Inside(const Region& r) { return QPoint(r.left + 3, r.top + 3); }
    static void Click(QWidget& widget, QPoint p) { QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, p); }
    template <typename T>
    static T* Control(QWidget& dialog, int id) {
        return dialog.findChild<T*>(QString::number(id));
    }
    // Clicks the row of an open list as a user would.
    static void ClickRow(QListWidget& list, int row) {
        QListWidgetItem* item = list.item(row);
        ASSERT_NE(item, nullptr);
        list.scrollToItem(item);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, list.visualItemRect(item).center());
    }
    // One notch of the mouse wheel over the list: negative is towards the user (down).
    static void Wheel(QListWidget& list, int delta) {
        const QPointF at = list.viewport()->rect().center();
        QWheelEvent event(at, list.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list.viewport(), &event);
    }

    SkinFixture skin;
    SkinContext skinContext;
    RecordingPrompter prompter;
};

} // namespace vexo::test
