// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// Redraw costs of the main window: one hover change and a whole page, with the picture cache and
// with every picture decoded from disk again, side by side. In both a whole page decodes its
// background from the file, which becomes the back buffer itself; a hover change brings back what
// lay under an over look from the parts of the background kept aside.
#include "ui/window_bench_support.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include "ui/frame/frame_actions.h"
#include "ui/frame/frame_regions.h"
#include "ui/skin/interface_fonts.h"
#include "ui/frame/main_dialog.h"
#include "ui/skin/skin_drawing.h"
#include "ui/skin/skin_context.h"

namespace {

using namespace vexo;

// The generated default skin when the build made it; otherwise a stand-in of the same sizes with
// alpha gradients, so the decoding cost is comparable.
QString SkinFolder(QTemporaryDir& scratch) {
    const QString built = QCoreApplication::applicationDirPath() + "/Skins/Black";
    if (QFileInfo::exists(built + "/BasicSet2.png"))
        return built;
    auto write = [&](const QString& name, int w, int h, QColor a, QColor b) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(0, 0, 0, h);
        gradient.setColorAt(0, a);
        gradient.setColorAt(1, b);
        painter.setBrush(gradient);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, w, h), 4, 4);
        painter.end();
        image.save(scratch.path() + name);
    };
    write("/BasicSet2.png", 880, 650, QColor(30, 30, 34), QColor(12, 12, 14));
    write("/AdvancedSet2.png", 880, 650, QColor(30, 30, 34), QColor(12, 12, 14));
    write("/button-normal.png", 105, 21, QColor(60, 60, 66), QColor(40, 40, 44));
    write("/button-over.png", 105, 21, QColor(200, 40, 40), QColor(140, 20, 20));
    for (const char* name : {"min", "close", "Skins"}) {
        write(QString("/button-%1-normal.png").arg(name), 18, 18, QColor(70, 70, 70), QColor(50, 50, 50));
        write(QString("/button-%1-over.png").arg(name), 18, 18, QColor(220, 60, 60), QColor(160, 30, 30));
    }
    for (const char* name : {"PrePage", "NextPage"}) {
        write(QString("/button-%1-normal.png").arg(name), 40, 40, QColor(70, 70, 70), QColor(50, 50, 50));
        write(QString("/button-%1-over.png").arg(name), 40, 40, QColor(220, 60, 60), QColor(160, 30, 30));
    }
    return scratch.path();
}

struct Window {
    bench::IdleFrameActions actions{false};
    QTemporaryDir scratch;
    SkinContext skin;
    std::unique_ptr<CMainDialog> dialog;

    explicit Window(SkinImageCache::Mode mode) : skin(mode) {
        skin.strSkinDir = SkinFolder(scratch).toStdString();
        dialog = std::make_unique<CMainDialog>(skin, actions);
        dialog->m_strOk = "OK";
        dialog->m_strApply = "Apply";
        dialog->m_strCancel = "Cancel";
        dialog->m_strBasicSettings = "Basic Settings";
        dialog->m_fontText = InterfaceFonts::make("Arial", 14, 400, "EN");
        dialog->m_fontTitle = InterfaceFonts::make("Tahoma", 18, 700, "EN");
        dialog->LoadBackground();
        dialog->show();
        dialog->ShowBasicPage();
    }
};

void HoverRedraw(benchmark::State& state, SkinImageCache::Mode mode) {
    Window window(mode);
    const QPoint ok(frame::kOk.left + 5, frame::kOk.top + 5);
    const QPoint apply(frame::kApply.left + 5, frame::kApply.top + 5);
    bool onOk = false;
    const std::size_t decodesBefore = window.skin.images().decodeCount();
    for (auto _ : state) {
        // Each notice draws one over image and caption, returns the neighbour to normal, and copies
        // the window to the screen.
        onOk = !onOk;
        window.dialog->HandleHover(onOk ? ok : apply);
    }
    state.counters["decodes/iter"] = benchmark::Counter(double(window.skin.images().decodeCount() - decodesBefore),
                                                        benchmark::Counter::kAvgIterations);
}

void FullPageDraw(benchmark::State& state, SkinImageCache::Mode mode) {
    Window window(mode);
    for (auto _ : state)
        window.dialog->DrawPage();
    // What the page holds of its background besides the back buffer.
    state.counters["background_kept_kib"] = double(window.skin.pageBackground().heldBytes()) / 1024;
}

BENCHMARK_CAPTURE(HoverRedraw, cached, SkinImageCache::Mode::Cached)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HoverRedraw, decode_every_time, SkinImageCache::Mode::DecodeEveryTime)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FullPageDraw, cached, SkinImageCache::Mode::Cached)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FullPageDraw, decode_every_time, SkinImageCache::Mode::DecodeEveryTime)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return vexo::bench::RunWindowBenchmarks(argc, argv); }
