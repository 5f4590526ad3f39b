// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The yardstick of the notification-area figures: a bare Qt program with one QSystemTrayIcon and an
// Exit menu, nothing else. It is what any program that lives behind a tray icon pays at least.
//   --quit-after-start  end as soon as the notification area has placed the icon (or after 2 s
//                       without one), for timing a start at login to the icon in place;
//   --notice            once the icon is placed, show the one notice a start with a mouse shows
//                       (a balloon with its text: fonts and text shaping), the floor of that work;
//   --pause-ms N        right after showing the icon, hold the program's thread for N ms, as the
//                       pauses of the mouse's handshake hold a start with a mouse before its event
//                       loop turns;
//   --start-cost FILE   with --quit-after-start: once the icon is placed, write what the start
//                       cost so far to FILE, as `vexo --start-cost` does.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QIconEngine>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "app/start_cost.h"

namespace {

// A plain icon in the sizes the utility offers, each drawn when first asked for as the utility's is,
// so that both hand the tray the same work.
class PlainIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        auto found = drawn_.find(side);
        if (found != drawn_.end())
            return found->second;
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(30, 30, 34));
        painter.drawRoundedRect(QRectF(side * 0.25, side * 0.1, side * 0.5, side * 0.8), side * 0.25, side * 0.25);
        painter.end();
        return drawn_.emplace(side, pixmap).first->second;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect.topLeft(), pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
    }
    QIconEngine* clone() const override { return new PlainIconEngine(*this); }

private:
    std::map<int, QPixmap> drawn_;
};

bool Placed(const QSystemTrayIcon& icon) {
    const QRect place = icon.geometry();
    return !place.isEmpty() && place.topLeft() != QPoint(0, 0);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    bool quitAfterStart = false;
    bool notice = false;
    int pauseMs = 0;
    std::string startCost;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--quit-after-start") {
            quitAfterStart = true;
        } else if (args[i] == "--notice") {
            notice = true;
        } else if (args[i] == "--pause-ms" && i + 1 < args.size()) {
            pauseMs = args[++i].toInt();
        } else if (args[i] == "--start-cost" && i + 1 < args.size()) {
            startCost = args[++i].toStdString();
        } else {
            std::fprintf(stderr,
                         "usage: vexo_bare_tray [--quit-after-start] [--notice] [--pause-ms N] [--start-cost FILE]\n");
            return 2;
        }
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr, "vexo_bare_tray: no notification area\n");
        return 1;
    }
    QMenu menu;
    QObject::connect(menu.addAction("Exit"), &QAction::triggered, &app, &QApplication::quit);
    QSystemTrayIcon icon(QIcon(new PlainIconEngine));
    icon.setContextMenu(&menu);
    icon.setToolTip("bare tray");
    icon.show();
    if (pauseMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));

    QTimer placement;
    QElapsedTimer since;
    if (quitAfterStart || notice) {
        since.start();
        placement.setInterval(1);
        QObject::connect(&placement, &QTimer::timeout, &app, [&] {
            if (!Placed(icon) && since.elapsed() <= 2000)
                return;
            placement.stop();
            if (notice)
                icon.showMessage("Info", "The system detect the gaming mouse.", QSystemTrayIcon::Information, 5000);
            if (quitAfterStart) {
                std::string error;
                if (!startCost.empty() && !vexo::WriteStartCost(startCost, error)) {
                    std::fprintf(stderr, "vexo_bare_tray: %s\n", error.c_str());
                    app.exit(1);
                    return;
                }
                app.quit();
            }
        });
        placement.start();
    }
    return app.exec();
}
