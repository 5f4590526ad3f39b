// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexo-dialog-shots: photographs the seven key-assignment dialogs in a skin.
//
//   vexo-dialog-shots <skin-folder> <output-prefix> [language]
//   vexo-dialog-shots --capture <skin-folder>
//
// writes <output-prefix>-<dialog>.png for each dialog (single-key, combo-key, fire-key, delay-time,
// media-key, windows-key, macro-key) and <output-prefix>-sheet.png with all of them, each in a
// state a user reaches (a key captured, a list open, an option ticked). language is the str.ini
// code (EN, CHS, CHT). On a real X server (QT_QPA_PLATFORM=xcb, for example under Xvfb) the
// pictures are taken from the screen, so they show what the server shows; elsewhere the dialogs are
// rendered offscreen. Message boxes a dialog would show are printed on stderr instead.
//
// --capture opens the single-key dialog at the top-left corner of the screen, prints every key
// name it captures and, when it ends, "OK <name>" or "Cancel": a way to try the key capture with
// a real keyboard or with xdotool on a real X server.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/prompter.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/skin/drop_down_list.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/single_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"
#include "ui/dialogs/windows_dialog.h"

namespace {

using namespace vexo;

class PrintingPrompter final : public Prompter {
public:
    void message(const std::string& text, const std::string& caption) override {
        std::fprintf(stderr, "vexo-dialog-shots: message box \"%s\": %s\n", caption.c_str(), text.c_str());
    }
};

void Settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A key as the keyboard delivers it (evdev code + 8 is the native scan code).
void Key(QWidget& window, int qtKey, quint32 evdev) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, evdev + 8, qtKey, 0);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    }
}

QImage Photograph(QDialog& dialog) {
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    Settle(300);
    if (QGuiApplication::platformName() == QLatin1String("xcb") && dialog.screen() != nullptr) {
        const QRect frame = dialog.frameGeometry();
        return dialog.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
    }
    return dialog.grab().toImage();
}

QListWidget* OpenList(CSkinDialog& dialog, const Region& box, int listId) {
    dialog.HandleClick(QPoint(box.left + 3, box.top + 3));
    return dialog.findChild<QListWidget*>(QString::number(listId));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--capture")) {
        SkinContext skin;
        skin.strSkinDir = args[1].toStdString();
        skin.strLanguage = "EN";
        PrintingPrompter prompter;
        QtKeyboardHook hook;
        CSingleDialog dialog(skin, hook, prompter);
        dialog.move(0, 0);
        QTimer poll;
        QString last;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (dialog.m_strKeyName != last) {
                last = dialog.m_strKeyName;
                std::printf("captured %s\n", qPrintable(last));
                std::fflush(stdout);
            }
        });
        poll.start(5);
        const bool ok = dialog.exec() == QDialog::Accepted;
        std::printf(ok ? "OK %s\n" : "Cancel\n", qPrintable(dialog.m_strKeyName));
        return 0;
    }
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: vexo-dialog-shots <skin-folder> <output-prefix> [language]\n");
        return 2;
    }
    SkinContext skin;
    skin.strSkinDir = args[0].toStdString();
    skin.strLanguage = args.size() == 3 ? args[2].toStdString() : "EN";
    skin.textColor = TextColour{0, 255, 0};
    PrintingPrompter prompter;
    QtKeyboardHook hook;
    QTemporaryDir store;
    {
        QFile file(store.filePath("record.ini"));
        if (file.open(QIODevice::WriteOnly))
            file.write("[Grenade]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n[Reload]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n"
                       "[Sprint]\r\nMacroLoopTimes=1\r\nItemCount=0\r\n");
    }

    struct Shot {
        const char* name;
        std::function<QImage()> take;
    };
    const std::vector<Shot> shots{
        {"single-key",
         [&] {
             CSingleDialog dialog(skin, hook, prompter);
             dialog.show();
             Settle(100);
             Key(dialog, Qt::Key_Super_L, 125);
             return Photograph(dialog);
         }},
        {"combo-key",
         [&] {
             CComboDialog dialog(skin, hook, prompter);
             dialog.show();
             Settle(100);
             if (QListWidget* list = OpenList(dialog, CComboDialog::kModifierBox, CComboDialog::kModifierListId))
                 list->setCurrentRow(0);
             if (auto* edit = dialog.findChild<QLineEdit*>(QString::number(CComboDialog::kKey1EditId))) {
                 edit->setFocus();
                 Settle(50);
                 Key(dialog, Qt::Key_C, 46);
             }
             return Photograph(dialog);
         }},
        {"fire-key",
         [&] {
             CFireKeyDialog dialog(skin, prompter);
             dialog.show();
             Settle(100);
             if (QListWidget* list = OpenList(dialog, CFireKeyDialog::kKeyBox, CFireKeyDialog::kKeyListId))
                 list->setCurrentRow(40);
             return Photograph(dialog);
         }},
        {"delay-time",
         [&] {
             CDelayTimeDialog dialog(skin, prompter, nullptr, 50);
             return Photograph(dialog);
         }},
        {"media-key",
         [&] {
             CMediaDialog dialog(skin, prompter);
             dialog.show();
             Settle(100);
             OpenList(dialog, CMediaDialog::kLayout.box, 553);
             return Photograph(dialog);
         }},
        {"windows-key",
         [&] {
             CWindowsDialog dialog(skin, prompter);
             return Photograph(dialog);
         }},
        {"macro-key",
         [&] {
             CMacroDialog dialog(skin, store.filePath("record.ini").toStdString(), prompter);
             dialog.show();
             Settle(100);
             dialog.HandleClick(QPoint(CMacroDialog::kOptionBoxes[2].left + 3, CMacroDialog::kOptionBoxes[2].top + 3));
             OpenList(dialog, CMacroDialog::kLayout.box, 593);
             return Photograph(dialog);
         }},
    };

    std::vector<QImage> images;
    for (const Shot& shot : shots) {
        const QImage image = shot.take();
        const QString file = args[1] + QLatin1Char('-') + shot.name + QStringLiteral(".png");
        if (image.isNull() || !image.save(file, "PNG")) {
            std::fprintf(stderr, "vexo-dialog-shots: cannot write %s\n", qPrintable(file));
            return 1;
        }
        images.push_back(image);
    }
    // All seven on one sheet, four to a row.
    const int gap = 16, width = 400, height = 320;
    QImage sheet(4 * width + 5 * gap, 2 * height + 3 * gap, QImage::Format_RGB32);
    sheet.fill(QColor(0x3a, 0x3d, 0x42));
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < images.size(); ++i)
        painter.drawImage(gap + int(i % 4) * (width + gap), gap + int(i / 4) * (height + gap), images[i]);
    painter.end();
    const QString file = args[1] + QStringLiteral("-sheet.png");
    if (!sheet.save(file, "PNG")) {
        std::fprintf(stderr, "vexo-dialog-shots: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
