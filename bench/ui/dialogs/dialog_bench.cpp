// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The key-assignment dialogs: opening each one until its first paint has been delivered (with the
// skin pictures decoded from disk, as on the first opening in a run, and from the picture cache, as
// on every later one), and a key capture from the key event until the captured name is on screen.
// Uses the generated Black skin of the build (build/bin/Skins/Black).
#include "ui/window_bench_support.h"
#include "sim/silent_prompter.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QWindow>
#include <chrono>
#include <functional>
#include <memory>

#include "platform/prompter.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "ui/dialogs/combo_dialog.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_dialog.h"
#include "ui/dialogs/media_dialog.h"
#include "ui/dialogs/single_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"
#include "ui/dialogs/windows_dialog.h"

namespace {

using namespace vexo;
using Clock = std::chrono::steady_clock;

// Notes when a widget has received a paint event.
class PaintWatch final : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

bool UseSkin(SkinContext& context) {
    const QString skin = QCoreApplication::applicationDirPath() + "/Skins/Black";
    context.strSkinDir = skin.toStdString();
    context.strLanguage = "EN";
    context.textColor = TextColour{0, 255, 0};
    return QFileInfo::exists(skin + "/single-key.png");
}

// Processes events until the watch saw a paint, or a second has passed.
bool WaitForPaint(const PaintWatch& watch) {
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return watch.painted;
}

using Factory = std::function<std::unique_ptr<QDialog>(SkinContext&, Prompter&, KeyboardHook&, const std::string&)>;

void OpenToFirstPaint(benchmark::State& state, Factory make, bool cached) {
    SkinContext skin;
    if (!UseSkin(skin)) {
        state.SkipWithError("build/bin/Skins/Black is missing: build the vexo_skins target");
        return;
    }
    SilentPrompter prompter;
    QtKeyboardHook hook;
    QTemporaryDir dir;
    const std::string recordIni = (dir.path() + "/record.ini").toStdString();
    for (auto _ : state) {
        if (!cached)
            skin.images().clear();
        const auto start = Clock::now();
        std::unique_ptr<QDialog> dialog = make(skin, prompter, hook, recordIni);
        PaintWatch watch;
        dialog->installEventFilter(&watch);
        dialog->show();
        if (!WaitForPaint(watch)) {
            state.SkipWithError("the dialog was never painted");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        dialog->removeEventFilter(&watch);
        dialog->hide();
    }
}

template <typename D>
Factory Plain() {
    return [](SkinContext& skin, Prompter& prompter, KeyboardHook&, const std::string&) {
        return std::make_unique<D>(skin, prompter);
    };
}
template <typename D>
Factory Capturing() {
    return [](SkinContext& skin, Prompter& prompter, KeyboardHook& hook, const std::string&) {
        return std::make_unique<D>(skin, hook, prompter);
    };
}
Factory Macro() {
    return [](SkinContext& skin, Prompter& prompter, KeyboardHook&, const std::string& recordIni) {
        return std::make_unique<CMacroDialog>(skin, recordIni, prompter);
    };
}

#define DIALOG_BENCH(name, factory)                                                                                    \
    BENCHMARK_CAPTURE(OpenToFirstPaint, name##_decoding, factory, false)                                               \
        ->UseManualTime()                                                                                              \
        ->Unit(benchmark::kMillisecond);                                                                               \
    BENCHMARK_CAPTURE(OpenToFirstPaint, name##_cached, factory, true)->UseManualTime()->Unit(benchmark::kMillisecond)

DIALOG_BENCH(single_key, Capturing<CSingleDialog>());
DIALOG_BENCH(combo_key, Capturing<CComboDialog>());
DIALOG_BENCH(fire_key, Plain<CFireKeyDialog>());
DIALOG_BENCH(delay_time, Plain<CDelayTimeDialog>());
DIALOG_BENCH(media_key, Plain<CMediaDialog>());
DIALOG_BENCH(windows_key, Plain<CWindowsDialog>());
DIALOG_BENCH(macro_key, Macro());

// From the key event entering the program to the captured name painted in the dialog's field.
void KeyCaptureToNameShown(benchmark::State& state) {
    SkinContext skin;
    if (!UseSkin(skin)) {
        state.SkipWithError("build/bin/Skins/Black is missing: build the vexo_skins target");
        return;
    }
    SilentPrompter prompter;
    QtKeyboardHook hook;
    CSingleDialog dialog(skin, hook, prompter);
    PaintWatch opened;
    dialog.installEventFilter(&opened);
    dialog.show();
    WaitForPaint(opened);
    dialog.removeEventFilter(&opened);
    auto* field = dialog.findChild<QLabel*>(QString::number(CSingleDialog::kKeyStaticId));
    QWindow* window = dialog.windowHandle();
    // Two keys in turn, so that every capture changes the text shown.
    const int keys[2][2] = {{Qt::Key_A, 30}, {Qt::Key_B, 48}};
    int k = 0;
    for (auto _ : state) {
        PaintWatch watch;
        field->installEventFilter(&watch);
        const auto start = Clock::now();
        QKeyEvent press(QEvent::KeyPress, keys[k][0], Qt::NoModifier, quint32(keys[k][1] + 8), keys[k][0], 0);
        QCoreApplication::sendEvent(window, &press);
        if (!WaitForPaint(watch)) {
            state.SkipWithError("the name was never painted");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        field->removeEventFilter(&watch);
        k = 1 - k;
    }
    if (dialog.m_strKeyName != "A" && dialog.m_strKeyName != "B")
        state.SkipWithError("no key was captured");
}
BENCHMARK(KeyCaptureToNameShown)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return vexo::bench::RunWindowBenchmarks(argc, argv); }
