// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/device_monitor_notifier.h"
#include "platform/qt/qt_prompter.h"
#include "platform/qt/qt_tray_icon.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/termination_signals.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <deque>
#include <unistd.h>

namespace vexo {
namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "qt_platform_test";
    static char* argv[] = {name, nullptr};
    static QApplication instance(argc, argv);
    return instance;
}

class QtPlatformTest : public ::testing::Test {
protected:
    void SetUp() override { app(); }
};

using SingleInstanceTest = QtPlatformTest;

TEST_F(SingleInstanceTest, OnlyOneHolderAtATimeAndTheLockGoesWithIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto first = std::make_unique<SingleInstance>(QString::fromLatin1(SingleInstance::kDefaultName), dir.path());
    EXPECT_TRUE(first->lockFilePath().endsWith("/T58SSOP28DPIVerMutex.lock"));
    ASSERT_EQ(first->tryLock(), SingleInstance::Lock::Taken);
    EXPECT_TRUE(first->isLocked());
    EXPECT_EQ(first->tryLock(), SingleInstance::Lock::Taken) << "asking again keeps the lock";

    SingleInstance second(QString::fromLatin1(SingleInstance::kDefaultName), dir.path());
    EXPECT_EQ(second.tryLock(), SingleInstance::Lock::HeldByAnother);
    EXPECT_TRUE(second.errorString().isEmpty());
    EXPECT_FALSE(second.isLocked());

    first.reset();
    EXPECT_EQ(second.tryLock(), SingleInstance::Lock::Taken) << "the lock is free once its holder is gone";

    // Another name is another lock.
    SingleInstance other(QStringLiteral("SomethingElse"), dir.path());
    EXPECT_EQ(other.tryLock(), SingleInstance::Lock::Taken);
}

TEST_F(SingleInstanceTest, ALaterStartBringsTheRunningInstanceForward) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SingleInstance running(QStringLiteral("T58"), dir.path());
    SingleInstance later(QStringLiteral("T58"), dir.path());
    EXPECT_FALSE(later.signalRunningInstance()) << "nobody listens before the lock is taken";

    ASSERT_EQ(running.tryLock(), SingleInstance::Lock::Taken);
    ASSERT_EQ(later.tryLock(), SingleInstance::Lock::HeldByAnother);
    QSignalSpy spy(&running, &SingleInstance::activationRequested);
    ASSERT_TRUE(later.signalRunningInstance());
    ASSERT_TRUE(spy.wait(5000));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_FALSE(spy[0][0].toBool());
    // A start from the menu (--show) asks for the window itself.
    QSignalSpy shows(&running, &SingleInstance::activationRequested);
    ASSERT_TRUE(later.signalRunningInstance(true));
    ASSERT_TRUE(shows.wait(5000));
    ASSERT_EQ(shows.count(), 1);
    EXPECT_TRUE(shows[0][0].toBool());
    EXPECT_TRUE(shows[0][1].toByteArray().isEmpty()) << "no token was given";
    spy.removeLast();

    // Another client, independent of ours, writing piece by piece.
    const auto send = [](QLocalSocket& socket, const char* text) {
        socket.write(text);
        return socket.waitForBytesWritten(2000);
    };
    QLocalSocket stranger;
    QLocalSocket slow;
    for (QLocalSocket* socket : {&stranger, &slow}) {
        socket->connectToServer(running.socketPath());
        ASSERT_TRUE(socket->waitForConnected(2000));
    }
    // Anything but the request is ignored.
    ASSERT_TRUE(send(stranger, "rm -rf\n"));
    EXPECT_FALSE(spy.wait(300));
    EXPECT_EQ(spy.count(), 1);

    // The request may arrive in pieces, and only the socket's owner may write to it.
    ASSERT_TRUE(send(slow, "acti"));
    EXPECT_FALSE(spy.wait(200));
    ASSERT_TRUE(send(slow, "vate\n"));
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.count(), 2);

    // Clients that connect and say nothing cannot crowd out a later start.
    std::vector<std::unique_ptr<QLocalSocket>> silent;
    for (int i = 0; i < 20; ++i) {
        silent.push_back(std::make_unique<QLocalSocket>());
        silent.back()->connectToServer(running.socketPath());
        ASSERT_TRUE(silent.back()->waitForConnected(2000));
        QCoreApplication::processEvents(); // the instance takes it
    }
    ASSERT_TRUE(later.signalRunningInstance());
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(QFile::permissions(running.socketPath()) &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

TEST_F(SingleInstanceTest, TheLaunchersActivationTokenTravelsWithTheRequest) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SingleInstance running(QStringLiteral("T58"), dir.path());
    SingleInstance later(QStringLiteral("T58"), dir.path());
    ASSERT_EQ(running.tryLock(), SingleInstance::Lock::Taken);
    QSignalSpy spy(&running, &SingleInstance::activationRequested);
    const auto request = [&](bool show, const QByteArray& token) {
        spy.clear();
        EXPECT_TRUE(later.signalRunningInstance(show, token));
        EXPECT_TRUE(spy.wait(5000));
        return spy.isEmpty() ? std::pair<bool, QByteArray>{} : std::pair{spy[0][0].toBool(), spy[0][1].toByteArray()};
    };
    // A Wayland token (mutter's are long random strings) and an X11 startup id.
    const QByteArray wayland = "mutter-3f2a_9c1d-0b7e4a11c6f8d2e5";
    EXPECT_EQ(request(false, wayland), std::pair(false, wayland));
    const QByteArray x11 = "gnome-shell-2071-host-vexo-1_TIME12345";
    EXPECT_EQ(request(true, x11), std::pair(true, x11));
    // Tokens that could break the line or the environment are not sent; the request still is.
    EXPECT_EQ(request(false, "two words"), std::pair(false, QByteArray()));
    EXPECT_EQ(request(false, "line\nbreak"), std::pair(false, QByteArray()));
    EXPECT_EQ(request(false, QByteArray(300, 'x')), std::pair(false, QByteArray()));

    // Written by hand, in pieces: the token is read up to the line end; a malformed one is dropped
    // but the window still comes forward; another word or an overlong line is no request at all.
    const auto raw = [&](const QList<QByteArray>& pieces) {
        spy.clear();
        QLocalSocket socket;
        socket.connectToServer(running.socketPath());
        EXPECT_TRUE(socket.waitForConnected(2000));
        for (const QByteArray& piece : pieces) {
            socket.write(piece);
            socket.waitForBytesWritten(2000);
            QCoreApplication::processEvents();
        }
        spy.wait(500);
        return spy.isEmpty() ? QByteArray("(nothing)") : spy[0][1].toByteArray();
    };
    EXPECT_EQ(raw({"activate", " kwin-", "17\n"}), QByteArray("kwin-17"));
    EXPECT_EQ(raw({"activate\n"}), QByteArray()) << "an older build's request";
    EXPECT_EQ(raw({"activate kwin 17\n"}), QByteArray());
    EXPECT_EQ(raw({"activate\tkwin-17\n"}), QByteArray("(nothing)"));
    EXPECT_EQ(raw({"activate " + QByteArray(400, 'y')}), QByteArray("(nothing)"));
    EXPECT_EQ(raw({"activatex kwin-17\n"}), QByteArray("(nothing)"));
}

TEST_F(SingleInstanceTest, TheSocketGoesWithTheInstanceAndAnOverlongPathOnlyLosesTheWakeUp) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto running = std::make_unique<SingleInstance>(QStringLiteral("T58"), dir.path());
    ASSERT_EQ(running->tryLock(), SingleInstance::Lock::Taken);
    const QString socket = running->socketPath();
    EXPECT_TRUE(QFile::exists(socket));
    running.reset();
    EXPECT_FALSE(QFile::exists(socket));

    // A runtime folder so deep that no socket address can name it: the lock still works.
    const QString deep = dir.path() + "/" + QString(120, QChar('d'));
    SingleInstance first(QStringLiteral("T58"), deep);
    SingleInstance second(QStringLiteral("T58"), deep);
    ASSERT_EQ(first.tryLock(), SingleInstance::Lock::Taken);
    EXPECT_EQ(second.tryLock(), SingleInstance::Lock::HeldByAnother);
    EXPECT_FALSE(second.signalRunningInstance());
}

TEST_F(SingleInstanceTest, LockAndSocketLeftByADeadInstanceAreTakenOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SingleInstance instance(QStringLiteral("T58"), dir.path());

    // A process that has ended, and a lock file in its name as a crash would leave it.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForFinished(5000));
    const qint64 deadPid = ended.processId() > 0 ? ended.processId() : 999999;
    QFile lock(instance.lockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\ntrue\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socket(instance.socketPath());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    ASSERT_EQ(instance.tryLock(), SingleInstance::Lock::Taken);
    QSignalSpy spy(&instance, &SingleInstance::activationRequested);
    SingleInstance later(QStringLiteral("T58"), dir.path());
    ASSERT_TRUE(later.signalRunningInstance()) << "the stale socket file was replaced";
    EXPECT_TRUE(spy.wait(5000));
}

TEST_F(SingleInstanceTest, ALockThatCannotBeMadeIsNotTakenForAnotherInstance) {
    SingleInstance noFolder(QStringLiteral("T58"), QStringLiteral("/proc/no-such-folder"));
    EXPECT_EQ(noFolder.tryLock(), SingleInstance::Lock::Unavailable);
    EXPECT_TRUE(noFolder.errorString().contains("/proc/no-such-folder"));
    EXPECT_FALSE(noFolder.signalRunningInstance());

    // Something that is not a lock file in the lock's place.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SingleInstance blocked(QStringLiteral("T58"), dir.path());
    ASSERT_TRUE(QDir(dir.path()).mkdir("T58.lock"));
    EXPECT_EQ(blocked.tryLock(), SingleInstance::Lock::Unavailable);
    EXPECT_TRUE(blocked.errorString().contains(blocked.lockFilePath()));
    EXPECT_FALSE(blocked.isLocked());
}

using TerminationSignalsTest = QtPlatformTest;

TEST_F(TerminationSignalsTest, SignalsArriveOnTheEventLoopOnceAndOnlyOneObjectHandlesThem) {
    TerminationSignals handler;
    ASSERT_TRUE(handler.installed());
    TerminationSignals second;
    EXPECT_FALSE(second.installed()) << "the handlers and their pipe exist once";

    QSignalSpy spy(&handler, &TerminationSignals::terminationRequested);
    ASSERT_EQ(::raise(SIGHUP), 0); // would end the test program if not caught
    ASSERT_EQ(::raise(SIGTERM), 0);
    ASSERT_TRUE(spy.wait(5000));
    // Both arrived before the loop ran: one request, naming the last.
    QCoreApplication::processEvents();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), SIGTERM);
}

using QtTrayIconTest = QtPlatformTest;

TEST_F(QtTrayIconTest, ReportsClicksAndRunsTheMenuItem) {
    QtTrayIcon tray(QIcon{});
    EXPECT_EQ(tray.available(), QSystemTrayIcon::isSystemTrayAvailable());

    tray.show("VEXO T58 VuravoVazov");
    EXPECT_EQ(tray.systemTrayIcon().toolTip(), QStringLiteral("VEXO T58 VuravoVazov"));
    tray.notice("Info", "Switch to key matrix 1", 5000); // must not fail unshown

    std::vector<TrayIcon::Click> clicks;
    tray.onClick([&](TrayIcon::Click c) { clicks.push_back(c); });
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context,
                        QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown})
        emit tray.systemTrayIcon().activated(reason);
    EXPECT_EQ(clicks, (std::vector{TrayIcon::Click::Left, TrayIcon::Click::DoubleLeft, TrayIcon::Click::Right}));

    int first = 0, second = 0;
    tray.setMenuItem("Exit", [&] { ++first; });
    tray.setMenuItem("退出", [&] { ++second; });
    QMenu* menu = tray.systemTrayIcon().contextMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QString::fromUtf8("退出"));
    menu->actions()[0]->trigger();
    EXPECT_EQ(first, 0) << "the replaced handler is not called";
    EXPECT_EQ(second, 1);
    tray.hide();
    EXPECT_FALSE(tray.systemTrayIcon().isVisible());
}

TEST_F(QtTrayIconTest, ListsTheEntriesOfEachOpeningAboveTheMenuItem) {
    QtTrayIcon tray(QIcon{});
    int exits = 0;
    tray.setMenuItem("Exit", [&] { ++exits; });
    std::vector<std::string> names{"Game", "Work & Play"};
    std::vector<std::string> chosen;
    tray.setMenuEntries([&] {
        std::vector<TrayIcon::MenuEntry> entries;
        for (const std::string& name : names)
            entries.push_back({name, [&chosen, name] { chosen.push_back(name); }});
        return entries;
    });
    QMenu& menu = tray.menu();
    const auto shown = [&] {
        emit menu.aboutToShow();
        QStringList texts;
        for (QAction* action : menu.actions())
            texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
        return texts;
    };
    // An '&' of a name is shown, not taken for a shortcut mark.
    EXPECT_EQ(shown(), (QStringList{"Game", "Work && Play", "--", "Exit"}));
    menu.actions()[1]->trigger();
    EXPECT_EQ(chosen, std::vector<std::string>{"Work & Play"});

    // The next opening lists what is there then; with nothing, only the item stays.
    names = {"Solo"};
    EXPECT_EQ(shown(), (QStringList{"Solo", "--", "Exit"}));
    names.clear();
    EXPECT_EQ(shown(), QStringList{"Exit"});
    menu.actions()[0]->trigger();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(chosen.size(), 1u);
}

// A notification-area host on the session bus may click what it fetched before the menu opened:
// an unchanged list must keep its actions (their ids), and they must run the newest handlers.
TEST_F(QtTrayIconTest, AnOpeningWithTheSameEntriesKeepsTheirActions) {
    QtTrayIcon tray(QIcon{});
    tray.setMenuItem("Exit", [] {});
    std::vector<std::string> names{"Game", "Work"};
    int opening = 0;
    std::vector<std::string> chosen;
    tray.setMenuEntries([&] {
        ++opening;
        std::vector<TrayIcon::MenuEntry> entries;
        for (const std::string& name : names)
            entries.push_back({name, [&chosen, name, n = opening] { chosen.push_back(name + std::to_string(n)); }});
        return entries;
    });
    QMenu& menu = tray.menu();
    emit menu.aboutToShow();
    const QList<QAction*> held = menu.actions();
    ASSERT_EQ(held.size(), 4);
    emit menu.aboutToShow();
    EXPECT_EQ(menu.actions(), held) << "the same entries were made anew";
    held[0]->trigger();
    EXPECT_EQ(chosen, std::vector<std::string>{"Game3"}) << "the handler of the latest opening runs";

    // Another list, even of the same length, is made anew.
    names = {"Game", "Solo"};
    emit menu.aboutToShow();
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_NE(menu.actions()[1], held[1]);
    EXPECT_EQ(menu.actions()[1]->text(), QStringLiteral("Solo"));
    menu.actions()[1]->trigger();
    EXPECT_EQ(chosen.back(), "Solo4");
}

using QtPrompterTest = QtPlatformTest;

TEST_F(QtPrompterTest, ShowsCaptionAndPlainTextWithOneOkButton) {
    QString caption, text;
    Qt::TextFormat format = Qt::AutoText;
    int buttons = -1;
    bool sawBox = false;
    // The box is modal: inspect and confirm it from the event loop it runs.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        sawBox = true;
        caption = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    QtPrompter prompter;
    prompter.message("<b>HidP_GetCaps failed.</b>", "VEXO T58");
    ASSERT_TRUE(sawBox);
    EXPECT_EQ(caption, QStringLiteral("VEXO T58"));
    EXPECT_EQ(text, QStringLiteral("<b>HidP_GetCaps failed.</b>"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(buttons, 1);
}

// A monitor whose descriptor is a pipe; takeChanges() empties it and hands out what the test queued.
class PipeMonitor final : public DeviceMonitor {
public:
    PipeMonitor() {
        int fds[2];
        if (::pipe(fds) == 0) {
            readEnd_ = fds[0];
            writeEnd_ = fds[1];
        }
    }
    ~PipeMonitor() override {
        ::close(readEnd_);
        ::close(writeEnd_);
    }
    bool start() override { return true; }
    int pollFd() const override { return started_ ? readEnd_ : -1; }
    std::vector<DeviceChange> takeChanges() override {
        char drain[64];
        [[maybe_unused]] auto n = ::read(readEnd_, drain, sizeof drain);
        ++takes;
        return std::exchange(pending_, {});
    }
    void queue(std::vector<DeviceChange> changes) {
        pending_ = std::move(changes);
        [[maybe_unused]] auto n = ::write(writeEnd_, "x", 1);
    }
    bool started_ = true;
    int takes = 0;

private:
    int readEnd_ = -1, writeEnd_ = -1;
    std::vector<DeviceChange> pending_;
};

using DeviceMonitorNotifierTest = QtPlatformTest;

TEST_F(DeviceMonitorNotifierTest, EmitsEachChangeInOrderAndFallsQuietWhenDrained) {
    PipeMonitor monitor;
    DeviceMonitorNotifier notifier(monitor);
    ASSERT_TRUE(notifier.isActive());
    std::vector<DeviceChange> seen;
    QObject::connect(&notifier, &DeviceMonitorNotifier::deviceChanged,
                     [&](const DeviceChange& c) { seen.push_back(c); });
    QSignalSpy spy(&notifier, &DeviceMonitorNotifier::deviceChanged);

    monitor.queue({{DeviceChange::Kind::Arrival, "/dev/hidraw3", 0x04D9, 0xA09F},
                   {DeviceChange::Kind::Removal, "/dev/hidraw1", 0x046D, 0xC077}});
    ASSERT_TRUE(spy.wait(5000));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, DeviceChange::Kind::Arrival);
    EXPECT_EQ(seen[0].path, "/dev/hidraw3");
    EXPECT_EQ(seen[0].productId, 0xA09F);
    EXPECT_EQ(seen[1].kind, DeviceChange::Kind::Removal);
    EXPECT_EQ(seen[1].vendorId, 0x046D);

    // Drained: no further wake-ups, no further changes.
    const int takes = monitor.takes;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(monitor.takes, takes);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(DeviceMonitorNotifierTest, StaysInactiveWithoutADescriptor) {
    PipeMonitor monitor;
    monitor.started_ = false;
    DeviceMonitorNotifier notifier(monitor);
    EXPECT_FALSE(notifier.isActive());
}

} // namespace
} // namespace vexo
