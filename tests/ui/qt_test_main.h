// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QApplication>
#include <gtest/gtest.h>

namespace vexo::test {

// The QApplication the widget tests share (offscreen platform, set by the test runner). It is
// destroyed when the tests end, before the process's static objects, which Qt needs.
inline QApplication& TestApp() {
    class Environment : public ::testing::Environment {
    public:
        explicit Environment(QApplication* app) : app_(app) {}
        void TearDown() override { delete app_; }

    private:
        QApplication* app_;
    };
    static int argc = 1;
    static char name[] = "vexo-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        ::testing::AddGlobalTestEnvironment(new Environment(created));
        return created;
    }();
    return *app;
}

} // namespace vexo::test
