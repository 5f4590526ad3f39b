// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The yardstick of the start-up benchmark: a bare Qt Widgets program that opens one frameless
// 880 x 650 window and ends as soon as it is shown.
//
// Two options add, one at a time, the work that any program showing the utility's page must do
// beyond that, done in the cheapest order possible, so that the benchmark can show how much of the
// utility's start-up is floor and how much its own:
//   --background FILE  decode FILE on a helper thread (as the utility does while the mouse answers)
//                      and paint it from a premultiplied copy, as a page is drawn from its back buffer;
//   --pause-ms N       wait N ms on the window's thread while that decode runs: the pauses of the
//                      mouse's handshake, which have to pass before the page's first showing;
//   --text TEXT        draw TEXT over the page in the desktop's default font, the font database
//                      loaded on a helper thread meanwhile: fonts and text shaping, which any page
//                      with words on it needs;
//   --back-buffer      keep the decoded background beside the page, which is then composed in a
//                      copy of it: a page whose hover looks come and go restores what lay under them
//                      from the background, and is drawn from the buffer it was composed in.
// --start-cost FILE writes what the start cost to FILE as the window is shown, as `vexo
// --start-cost` does.
#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <thread>

#include "app/start_cost.h"

namespace {

class BackgroundWindow final : public QWidget {
public:
    BackgroundWindow(QImage image, QImage background)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), image_(std::move(image)),
          background_(std::move(background)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!image_.isNull())
            QPainter(this).drawImage(0, 0, image_);
    }

private:
    QImage image_;
    QImage background_; // what hover looks would be restored from
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString background;
    QString text;
    int pauseMs = 0;
    std::string startCost;
    QStringList args = app.arguments();
    // The one option without a value.
    const bool backBuffer = args.removeAll("--back-buffer") > 0;
    const auto usage = [] {
        std::fprintf(stderr,
                     "usage: vexo_bare_window [--background FILE] [--pause-ms N] [--text TEXT] [--back-buffer] "
                     "[--start-cost FILE]\n");
        return 2;
    };
    if (args.size() % 2 == 0)
        return usage();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--background") {
            background = args[i + 1];
        } else if (args[i] == "--text") {
            text = args[i + 1];
        } else if (args[i] == "--pause-ms") {
            pauseMs = args[i + 1].toInt();
        } else if (args[i] == "--start-cost") {
            startCost = args[i + 1].toStdString();
        } else {
            return usage();
        }
    }

    std::future<QImage> decoded;
    if (!background.isEmpty())
        decoded = std::async(std::launch::async, [background] { return QImage(background); });
    std::future<void> fonts;
    if (!text.isEmpty())
        fonts = std::async(std::launch::async, [] { QFontDatabase::families(); });
    if (pauseMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    QImage page;
    QImage pristine;
    if (decoded.valid()) {
        // Without a back buffer the decoded picture itself becomes the page, converted in place.
        if (backBuffer) {
            pristine = decoded.get();
            page = pristine.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        } else {
            page = decoded.get().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        if (page.isNull()) {
            std::fprintf(stderr, "vexo_bare_window: cannot read %s\n", qPrintable(background));
            return 1;
        }
    }

    if (!text.isEmpty()) {
        // Into the back buffer before the showing, as the utility draws its labels.
        if (page.isNull()) {
            page = QImage(880, 650, QImage::Format_ARGB32_Premultiplied);
            page.fill(Qt::black);
        }
        QPainter painter(&page);
        painter.setPen(Qt::white);
        painter.drawText(page.rect(), Qt::AlignCenter, text);
    }
    BackgroundWindow window(std::move(page), std::move(pristine));
    window.setFixedSize(880, 650);
    window.show();
    QTimer::singleShot(0, &app, [&app, &startCost] {
        std::string error;
        if (!startCost.empty() && !vexo::WriteStartCost(startCost, error)) {
            std::fprintf(stderr, "vexo_bare_window: %s\n", error.c_str());
            app.exit(1);
            return;
        }
        app.quit();
    });
    return app.exec();
}
