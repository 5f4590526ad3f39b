// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The basic settings page as a user meets it, through the application shell over the simulated
// mouse and the delivered Black skin: opening a function list, choosing a DPI value and a report
// rate, building the whole page, and the window coming up from the notification-area icon, later
// and first showing. Protocol pauses are recorded, not slept; the first showing reports them.
#include "ui/window_bench_support.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "app/app_shell.h"
#include "sim/memory_pointer_settings.h"
#include "config/config_store.h"
#include "config/file_locations.h"
#include "platform/tray_icon.h"
#include "sim/recording_pauser.h"
#include "sim/silent_prompter.h"
#include "sim/sim_device_monitor.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_mouse.h"
#include "ui/basic/basic_page.h"
#include "ui/basic/basic_page_regions.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_context.h"

namespace {

using namespace vexo;

class QuietTray final : public TrayIcon {
public:
    bool available() const override { return true; }
    void show(const std::string&) override {}
    void hide() override {}
    void notice(const std::string&, const std::string&, int) override {}
    void onClick(std::function<void(Click)>) override {}
    void setMenuItem(const std::string&, std::function<void()>) override {}
    void setMenuEntries(std::function<std::vector<MenuEntry>()>) override {}
};

// A started utility over a copy of the delivered files.
struct Utility {
    QTemporaryDir folder;
    FileLocations locations = FileLocations::inFolder(folder.path().toStdString());
    std::shared_ptr<SimMouse> mouse = std::make_shared<SimMouse>(3);
    SimHidBackend hid{mouse};
    SimDeviceMonitor monitor{mouse};
    RecordingPauser pauser;
    ConfigStore config{locations.configBin()};
    QuietTray tray;
    SilentPrompter prompter;
    MemoryPointerSettings desktop;
    std::unique_ptr<AppShell> shell;

    Utility() {
        const std::filesystem::path bin = QCoreApplication::applicationDirPath().toStdString();
        const std::filesystem::path dir = folder.path().toStdString();
        std::filesystem::copy_file(bin / "config.bin", dir / "config.bin");
        std::filesystem::create_directory_symlink(bin / "Skins", dir / "Skins");
        std::ofstream(dir / "str.ini") << "[Skins]\nLan=EN\nPath=Black\nRColor=255\nGColor=255\nBColor=255\n";
        mouse->setRecording(false);
        start(true);
    }
    // A new shell, as at a start of the program; shown, or hidden behind its icon.
    void start(bool show) {
        shell.reset();
        shell = std::make_unique<AppShell>(
            ShellParts{hid, pauser, config, tray, prompter, desktop, &monitor, [](const std::string&) {}, locations});
        shell->initialise(show);
        settle();
    }
    CMainDialog& window() { return shell->window(); }
    void click(const Region& region) {
        const QPointF at(region.left + 3, region.top + 3);
        QMouseEvent press(QEvent::MouseButtonPress, at, window().mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&window(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, window().mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&window(), &release);
    }
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    QListWidget* list(int id) { return window().findChild<QListWidget*>(QString::number(id)); }
};

void OpenFunctionList(benchmark::State& state) {
    Utility utility;
    for (auto _ : state) {
        utility.click(basic::FunctionBox(2));
        QListWidget* list = utility.list(basic::kFunctionListId + 2);
        list->repaint();
        state.PauseTiming();
        utility.click(basic::FunctionBox(2));
        Utility::settle();
        state.ResumeTiming();
    }
}

void ChooseDpiValue(benchmark::State& state) {
    Utility utility;
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        utility.click(basic::DpiValueBox(1));
        QListWidget* list = utility.list(basic::kDpiValueListId);
        row = (row + 1) % 2;
        state.ResumeTiming();
        list->setCurrentRow(row); // the choice, as a click on the entry makes it
        utility.window().findChild<QLabel*>(QString::number(basic::kDpiValueFieldId + 1))->repaint();
        state.PauseTiming();
        Utility::settle();
        state.ResumeTiming();
    }
}

void ChooseReportRate(benchmark::State& state) {
    Utility utility;
    int segment = 0;
    for (auto _ : state) {
        segment ^= 1;
        utility.click(basic::kRateSegments[segment]); // redraws both segments and copies to the screen
    }
}

void BuildWholePage(benchmark::State& state) {
    Utility utility;
    for (auto _ : state) {
        utility.window().RebuildCurrentPage(); // tear down, controls created, every picture drawn
        utility.window().repaint();
        state.PauseTiming();
        Utility::settle();
        state.ResumeTiming();
    }
}

void IconClickLaterShowing(benchmark::State& state) {
    Utility utility;
    for (auto _ : state) {
        state.PauseTiming();
        utility.window().hide();
        Utility::settle();
        state.ResumeTiming();
        utility.shell->trayClicked(TrayIcon::Click::Left);
        utility.window().repaint();
    }
}

void IconClickFirstShowing(benchmark::State& state) {
    Utility utility;
    unsigned pauses = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh start hidden behind the icon, whose click then runs the first showing.
        utility.start(false);
        utility.pauser.clear();
        Utility::settle();
        state.ResumeTiming();
        // The first showing reads the sensor block from the mouse before the page is drawn.
        utility.shell->trayClicked(TrayIcon::Click::Left);
        utility.window().repaint();
        pauses = utility.pauser.totalMilliseconds();
    }
    state.counters["prescribed_pauses_ms"] = pauses;
}

void HoverFunctionBox(benchmark::State& state) {
    Utility utility;
    bool first = false;
    for (auto _ : state) {
        first = !first;
        const Region box = basic::FunctionBox(first ? 1 : 2);
        utility.window().HandleHover(QPoint(box.left + 5, box.top + 5));
    }
}

void FullPageDraw(benchmark::State& state) {
    Utility utility;
    for (auto _ : state)
        utility.window().DrawPage();
}

BENCHMARK(OpenFunctionList)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChooseDpiValue)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChooseReportRate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuildWholePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(IconClickLaterShowing)->Unit(benchmark::kMicrosecond);
BENCHMARK(IconClickFirstShowing)->Unit(benchmark::kMicrosecond);
BENCHMARK(HoverFunctionBox)->Unit(benchmark::kMicrosecond);
BENCHMARK(FullPageDraw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return vexo::bench::RunWindowBenchmarks(argc, argv); }
