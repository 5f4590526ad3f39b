// The yardstick of the start-up benchmark: a bare Qt Widgets program that opens one frameless
// 880 x 650 window and ends as soon as it is shown.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(880, 650);
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
