#pragma once
#include <QApplication>

namespace vexo::test {

// The QApplication the widget tests share (offscreen platform, set by the test runner).
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "vexo-ui-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace vexo::test
