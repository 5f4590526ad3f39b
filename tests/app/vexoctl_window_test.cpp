// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// vexo and vexoctl as users run them, on a private session bus: while the window is shown, vexoctl
// goes through it, so the window's mouse gets the change (its trace) and the window keeps it.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "../ui/qt_test_main.h"
#include "config/config_store.h"
#include "config/dpi_table.h"
#include "config/settings_bus_names.h"
#include "platform/linux/session_bus.h"

namespace vexo {
namespace {

namespace fs = std::filesystem;

class VexoctlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        const fs::path build = qgetenv("VEXO_BUILD_DIR").toStdString();
        bin = build / "bin";
        root = dir.path().toStdString();
        fs::create_directories(root / "data");
        fs::create_directories(root / "run");
        fs::permissions(root / "run", fs::perms::owner_all);
        fs::copy_file(bin / "config.bin", root / "data/config.bin");
        fs::copy_file(bin / "str.ini", root / "data/str.ini");

        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000)) << "dbus-daemon did not start";
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString((root / "run").string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString((root / "config").string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (const char* old = std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            oldAddress = old;
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8().constData(), 1);
    }
    void TearDown() override {
        if (window.state() != QProcess::NotRunning) {
            window.terminate();
            if (!window.waitForFinished(10000))
                window.kill();
        }
        daemon.kill();
        daemon.waitForFinished(5000);
        if (oldAddress)
            ::setenv("DBUS_SESSION_BUS_ADDRESS", oldAddress->c_str(), 1);
        else
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    // The window shown, with the simulated mouse; true once it owns its name on the bus.
    bool startWindow() {
        window.setProcessEnvironment(env);
        window.start(QString::fromStdString((bin / "vexo").string()),
                     {"--simulate", "--show", "--data", data(), "--trace", trace()});
        SessionBus bus;
        QElapsedTimer timer;
        timer.start();
        while (!bus.hasOwner(SettingsBusNames::kService) && timer.elapsed() < 20000)
            QThread::msleep(50);
        return bus.hasOwner(SettingsBusNames::kService);
    }
    struct Run {
        int status;
        std::string out, err;
    };
    Run vexoctl(const QStringList& args) {
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(QString::fromStdString((bin / "vexoctl").string()), QStringList{"--data", data()} + args);
        tool.waitForFinished(60000);
        return {tool.exitCode(), tool.readAllStandardOutput().toStdString(), tool.readAllStandardError().toStdString()};
    }
    QString data() const { return QString::fromStdString((root / "data").string()); }
    QString trace() const { return QString::fromStdString((root / "trace.txt").string()); }
    std::string traceText() const {
        std::ifstream in(root / "trace.txt");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    QTemporaryDir dir;
    fs::path bin, root;
    QProcess daemon, window;
    QProcessEnvironment env;
    std::optional<std::string> oldAddress;
};

TEST_F(VexoctlWindowTest, WhileTheWindowRunsVexoctlGoesThroughItToItsMouse) {
    ASSERT_TRUE(startWindow()) << window.readAllStandardError().toStdString();
    const std::size_t traced = traceText().size();

    // vexoctl has no mouse of its own here: "sent" can only come from the window's.
    const Run set = vexoctl({"set", "dpi.2=800"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "sent to the mouse\nsaved\n");
    EXPECT_GT(traceText().size(), traced + 1000) << "the window's first change sent the whole setup";
    // The mouse now holds what the window applied: a second change sends only the DPI block.
    const std::size_t applied = traceText().size();
    ASSERT_EQ(vexoctl({"set", "dpi.2=1600"}).status, 0);
    const std::string sent = traceText().substr(applied);
    EXPECT_NE(sent.find("SET 11 80 08"), std::string::npos) << sent;
    EXPECT_EQ(sent.find("SET 13"), std::string::npos) << sent;
    ASSERT_EQ(vexoctl({"set", "dpi.2=800"}).status, 0);
    ConfigStore saved(root / "data/config.bin");
    ASSERT_EQ(saved.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(DpiValue(3, saved.record().dpiValues()[1]), 800u);
    EXPECT_EQ(vexoctl({"get", "dpi.2"}).out, "dpi.2=800\n");
    // The window is asked over the bus socket: no D-Bus library or object system is loaded for it.
    env.insert("LD_DEBUG", "files");
    const Run loaded = vexoctl({"get", "dpi.2"});
    env.remove("LD_DEBUG");
    EXPECT_EQ(loaded.out, "dpi.2=800\n");
    EXPECT_NE(loaded.err.find("libstdc++"), std::string::npos) << "the loader reported nothing";
    EXPECT_EQ(loaded.err.find("libgio"), std::string::npos);
    EXPECT_EQ(loaded.err.find("libgobject"), std::string::npos);

    // A refusal comes back as vexoctl's own: status 64, nothing changed.
    const Run bad = vexoctl({"set", "dpi.2=801"});
    EXPECT_EQ(bad.status, 64);
    EXPECT_NE(bad.err.find("vexoctl set: dpi.2:"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("nothing was changed"), std::string::npos) << bad.err;

    // A profile saved and loaded from the command line reaches the window's mouse and its notice.
    ASSERT_EQ(vexoctl({"profile", "save", "Game"}).status, 0);
    ASSERT_EQ(vexoctl({"set", "--no-apply", "report-rate=125"}).status, 0);
    const Run load = vexoctl({"profile", "load", "Game"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out, "saved\nsent to the mouse\n");
    EXPECT_NE(traceText().find("NOTICE Info: Profile now on the mouse: Game"), std::string::npos);
    EXPECT_EQ(vexoctl({"get", "report-rate", "dpi.2"}).out, "report-rate=1000\ndpi.2=800\n");
}

TEST_F(VexoctlWindowTest, AWindowOnAnotherFolderIsLeftAlone) {
    ASSERT_TRUE(startWindow()) << window.readAllStandardError().toStdString();
    fs::create_directories(root / "other");
    fs::copy_file(root / "data/config.bin", root / "other/config.bin");
    fs::copy_file(root / "data/str.ini", root / "other/str.ini");
    const std::size_t traced = traceText().size();
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(QString::fromStdString((bin / "vexoctl").string()),
               {"--data", QString::fromStdString((root / "other").string()), "set", "report-rate=125"});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(traceText().size(), traced) << "the window was not asked";
    ConfigStore other(root / "other/config.bin");
    ASSERT_EQ(other.LoadConfig(), ConfigStore::LoadResult::Loaded);
    EXPECT_EQ(other.record().reportRate(), 8);
    EXPECT_EQ(vexoctl({"get", "report-rate"}).out, "report-rate=1000\n") << "the window's folder is untouched";
}

} // namespace
} // namespace vexo
