// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QApplication>

namespace vexo {

// The application object: one instance per user, the shell over the real or the simulated mouse,
// and the event loop. The program ends when run() returns.
class CMouseApp final : public QApplication {
    Q_OBJECT
public:
    CMouseApp(int& argc, char** argv);

    // The whole life of the program; returns its exit status. A second start ends at once with 0
    // (where there is no notification area it first brings the running window to the front).
    int run();
};

} // namespace vexo
