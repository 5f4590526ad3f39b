// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The real program under a start-up message box: a later start only brings it forward, and the
// session's end or Ctrl+C ends it even then, cleanly.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <filesystem>

#include "../ui/qt_test_main.h"

namespace vexo {
namespace {

// A copy of the program installed in a temporary prefix whose delivered files lack config.bin, so
// that every start stops at the box "Config file is not exist." until it is answered.
class BoxedStart {
public:
    BoxedStart() {
        namespace fs = std::filesystem;
        const fs::path build = qgetenv("VEXO_BUILD_DIR").toStdString();
        const fs::path prefix = dir.path().toStdString();
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share/vexo-t58");
        fs::copy_file(build / "bin/vexo", prefix / "bin/vexo");
        fs::copy_file(build / "bin/str.ini", prefix / "share/vexo-t58/str.ini");
        fs::create_directory_symlink(build / "bin/Skins", prefix / "share/vexo-t58/Skins");
        env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir.path() + "/run");
        env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
        env.insert("XDG_DATA_HOME", dir.path() + "/data");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        fs::create_directories(prefix / "run");
        // Qt uses a runtime folder only when no one else may enter it.
        fs::permissions(prefix / "run", fs::perms::owner_all);
    }
    QString program() const { return dir.path() + "/bin/vexo"; }
    QString lock() const { return dir.path() + "/run/T58SSOP28DPIVerMutex.lock"; }
    QString socket() const { return dir.path() + "/run/T58SSOP28DPIVerMutex.socket"; }
    void start(QProcess& process) const {
        process.setProcessEnvironment(env);
        process.start(program(), {"--simulate"});
    }
    // Waits until the program listens, then gives it time to reach its box.
    bool waitForBox() const {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(socket()) && timer.elapsed() < 10000)
            QThread::msleep(20);
        QThread::msleep(1500);
        return QFile::exists(socket());
    }

    QTemporaryDir dir;
    QProcessEnvironment env;
};

TEST(AppRunTest, EachEndingSignalEndsTheProgramWhileAStartUpBoxIsOpen) {
    test::TestApp();
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(number);
        BoxedStart setup;
        QProcess first;
        setup.start(first);
        ASSERT_TRUE(first.waitForStarted());
        ASSERT_TRUE(setup.waitForBox());
        if (number == SIGTERM) {
            // A later start ends at once and leaves the first one waiting at its box.
            QProcess second;
            setup.start(second);
            ASSERT_TRUE(second.waitForFinished(10000));
            EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(second.exitCode(), 0);
            QThread::msleep(300);
            EXPECT_EQ(first.state(), QProcess::Running);
        }
        ASSERT_EQ(::kill(pid_t(first.processId()), number), 0);
        ASSERT_TRUE(first.waitForFinished(10000)) << "the box kept the program alive";
        EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first.exitCode(), 0);
        EXPECT_FALSE(QFile::exists(setup.lock()));
        EXPECT_FALSE(QFile::exists(setup.socket()));
    }
}

} // namespace
} // namespace vexo
