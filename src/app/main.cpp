// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include <string>
#include <vector>

#include "app/app_options.h"
#include "app/mouse_app.h"

int main(int argc, char** argv) {
    // Help, version and a mistyped option need no window system, so they are answered first.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto status = vexo::AppOptions::answerEarly(args))
        return *status;
    vexo::CMouseApp app(argc, argv);
    return app.run();
}
