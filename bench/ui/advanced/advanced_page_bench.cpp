// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The advanced page: one recorded key to its line on screen, Confirm of ten macros of 63 events
// (saving and encoding included), and showing the page with its controls.
#include "ui/window_bench_support.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QTemporaryDir>
#include <fstream>

#include "config/config_store.h"
#include "config/ui_texts.h"
#include "keys/key_name_of.h"
#include "platform/qt/qt_keyboard_hook.h"
#include "sim/memory_pointer_settings.h"
#include "sim/silent_prompter.h"
#include "ui/advanced/advanced_page.h"
#include "ui/frame/frame_actions.h"
#include "ui/skin/interface_fonts.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace {

using namespace vexo;

// record.ini with macros of events key presses and releases, 50 ms apart.
std::string Store(int macros, int events) {
    std::string text;
    for (int m = 0; m < macros; ++m) {
        text += "[Macro" + std::to_string(m) + "]\r\nMacroLoopTimes=1\r\nItemCount=" + std::to_string(2 * events - 1) +
            "\r\n";
        int item = 0;
        for (int e = 0; e < events; ++e) {
            if (e > 0)
                text += "Item" + std::to_string(item++) + "=50 ms\r\n";
            text += "Item" + std::to_string(item++) + "=" + (e % 2 == 0 ? "A   Dn" : "A   Up") + "\r\n";
        }
    }
    return text;
}

// The main window with the advanced page over the generated skin (when the build made it).
struct Page {
    bench::IdleFrameActions actions{true};
    QTemporaryDir folder;
    ConfigStore config{QDir(folder.path()).filePath("config.bin").toStdString()};
    MemoryPointerSettings desktop;
    QtKeyboardHook keyboard;
    SilentPrompter prompter;
    UiTexts texts = SelectTexts("EN");
    SkinContext skinContext;
    std::unique_ptr<CMainDialog> window;
    std::unique_ptr<AdvancedPage> page;

    explicit Page(const std::string& store) {
        const QString skin = QCoreApplication::applicationDirPath() + "/Skins/Black";
        skinContext.strSkinDir = skin.toStdString();
        std::ofstream(QDir(folder.path()).filePath("record.ini").toStdString(), std::ios::binary) << store;
        window = std::make_unique<CMainDialog>(skinContext, actions);
        window->m_fontText = InterfaceFonts::make("Arial", 14, 400, "EN");
        window->m_fontTitle = InterfaceFonts::make("Tahoma", 18, 700, "EN");
        window->LoadBackground();
        page = std::make_unique<AdvancedPage>(
            AdvancedPage::Services{*window, config, desktop, keyboard, prompter, texts,
                                   QDir(folder.path()).filePath("record.ini").toStdString(), nullptr});
        window->SetPageContent(kAdvancedPage, page.get());
        window->show();
        window->ShowAdvancedPage();
    }
    ~Page() { window->SetPageContent(kAdvancedPage, nullptr); }
};

void RecordOneKey(benchmark::State& state, bool paint) {
    Page p(Store(1, 1));
    MacroEditor& editor = p.page->editor();
    bool press = true;
    for (auto _ : state) {
        if (!p.page->recorder().recording() || p.page->recorder().recordedEvents() >= 60) {
            state.PauseTiming();
            p.page->recorder().StartRecording();
            state.ResumeTiming();
        }
        // The key travels the application's event filter into a list line, which is painted.
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier,
                        30 + kXkbKeycodeOffset, 0, 0);
        QCoreApplication::sendEvent(editor.nameField(), &event);
        if (paint)
            editor.sequenceList()->viewport()->repaint();
        press = !press;
    }
}

// One Confirm with ten macros of 63 events in record.ini: the selected macro is saved and all ten
// are encoded again, file reading and the durable replacement of record.ini included.
void ConfirmInAStoreOfTenFullMacros(benchmark::State& state) {
    Page p(Store(10, 63));
    MacroEditor& editor = p.page->editor();
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.macroList()->setCurrentRow(row); // loads the macro's 125 lines
        row = (row + 1) % 10;
        state.ResumeTiming();
        editor.ConfirmMacro();
    }
}

void ShowAdvancedPage(benchmark::State& state) {
    Page p(Store(3, 20));
    for (auto _ : state) {
        state.PauseTiming();
        p.window->ShowBasicPage();
        QCoreApplication::processEvents(); // the left page's controls are deleted
        state.ResumeTiming();
        p.window->ShowAdvancedPage();
    }
}

BENCHMARK_CAPTURE(RecordOneKey, to_the_painted_line, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RecordOneKey, to_the_listed_line, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConfirmInAStoreOfTenFullMacros)->Unit(benchmark::kMillisecond);
BENCHMARK(ShowAdvancedPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return vexo::bench::RunWindowBenchmarks(argc, argv); }
