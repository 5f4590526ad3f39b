// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The installed programs: an install under another prefix that runs from where it landed, the
// desktop entries, the metainfo and the manual pages checked by the distributions' validators, and
// the Debian package checked by lintian.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kAppId = "example.vexo_gaming.T58";

QString Env(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs program with args; env entries are added to (or, with an empty value, removed from) the
// environment.
ProgramRun RunProgram(const QString& program, const QStringList& args, const QStringList& env = {},
                      int timeoutMs = 120000) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : env) {
        const qsizetype eq = entry.indexOf('=');
        if (entry.size() == eq + 1)
            environment.remove(entry.left(eq));
        else
            environment.insert(entry.left(eq), entry.mid(eq + 1));
    }
    process.setProcessEnvironment(environment);
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForStarted(10000)) {
        run.err = program + " did not start: " + process.errorString();
        return run;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = program + " did not end in time";
        return run;
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QByteArray Contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        // Another prefix than the build's, below a DESTDIR: the programs must find their files
        // relative to where they are.
        const ProgramRun install =
            RunProgram(Env("VEXO_CMAKE"), {"--install", Env("VEXO_BUILD_DIR"), "--prefix", kPrefix},
                       {"DESTDIR=" + tmp.path() + "/root"});
        ASSERT_EQ(install.status, 0) << install.out.toStdString() << install.err.toStdString();
        root = tmp.path() + "/root" + kPrefix;
        QDir().mkpath(tmp.path() + "/run");
        QFile::setPermissions(tmp.path() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        userEnv = {"HOME=" + tmp.path() + "/home",
                   "XDG_CONFIG_HOME=" + tmp.path() + "/config",
                   "XDG_DATA_HOME=" + tmp.path() + "/data",
                   "XDG_RUNTIME_DIR=" + tmp.path() + "/run",
                   "QT_QPA_PLATFORM=offscreen",
                   "DISPLAY=",
                   "WAYLAND_DISPLAY="};
    }

    static constexpr const char* kPrefix = "/opt/vexo-t58-test";
    QTemporaryDir tmp;
    QString root;
    QStringList userEnv;
};

TEST_F(InstallTest, EverythingLandsUnderThePrefix) {
    QStringList expected{"bin/vexo",
                         "bin/vexoctl",
                         "share/vexo-t58/config.bin",
                         "share/vexo-t58/str.ini",
                         "lib/udev/rules.d/70-vexo-t58.rules",
                         "share/applications/" + kAppId + ".desktop",
                         "etc/xdg/autostart/" + kAppId + ".desktop",
                         "share/metainfo/" + kAppId + ".metainfo.xml",
                         "share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
                         "share/man/man1/vexo.1.gz",
                         "share/man/man1/vexoctl.1.gz",
                         "share/doc/vexo-t58/copyright"};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        expected << QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId);
    for (const char* skin : {"Black", "Blue"})
        for (const char* picture : {"BasicSet2.png", "AdvancedSet2.png", "skins.png", "button-normal.png",
                                    "button-over.png", "button-close-normal.png", "button-close-over.png"})
            expected << QString("share/vexo-t58/Skins/%1/%2").arg(skin, picture);
    for (const QString& file : expected)
        EXPECT_TRUE(QFileInfo(root + "/" + file).isFile()) << file.toStdString();
    for (int size : {16, 48, 256}) {
        const QImage icon(root + QString("/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
    }
    // Nothing that only the build and the tests need.
    EXPECT_FALSE(QFileInfo::exists(root + "/bin/vexo-sim"));
    EXPECT_FALSE(QFileInfo::exists(root + "/bin/make_config_bin"));
}

TEST_F(InstallTest, TheInstalledProgramsRunFromThereAndSetUpTheUsersFolder) {
    const ProgramRun version = RunProgram(root + "/bin/vexo", {"--version"}, userEnv);
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("vexo ")) << version.out.toStdString();

    const ProgramRun info = RunProgram(root + "/bin/vexoctl", {"--simulate", "info"}, userEnv);
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.startsWith("present: yes\n")) << info.out.toStdString();

    // The first use copies the delivered files into the user's folder, and reads them from there.
    const ProgramRun show = RunProgram(root + "/bin/vexoctl", {"--simulate", "show"}, userEnv);
    EXPECT_EQ(show.status, 0) << show.err.toStdString();
    const QString config = tmp.path() + "/config/vexo-t58";
    for (const char* file : {"config.bin", "str.ini"}) {
        EXPECT_FALSE(Contents(config + "/" + file).isEmpty()) << file;
        EXPECT_EQ(Contents(config + "/" + file), Contents(root + "/share/vexo-t58/" + file)) << file;
    }

    // The window draws the delivered skin str.ini names.
    const QString shot = tmp.path() + "/shot.png";
    const ProgramRun window = RunProgram(root + "/bin/vexo", {"--simulate", "--screenshot=" + shot}, userEnv);
    ASSERT_EQ(window.status, 0) << window.err.toStdString();
    const QImage picture(shot);
    const QImage background(root + "/share/vexo-t58/Skins/Black/BasicSet2.png");
    ASSERT_FALSE(background.isNull());
    ASSERT_EQ(picture.size(), background.size());
    for (QPoint p : {QPoint(2, 2), QPoint(background.width() - 3, background.height() - 3)})
        EXPECT_EQ(picture.pixel(p), background.pixel(p)) << p.x() << "," << p.y();

    // A skin of the user's own with a delivered skin's name wins.
    const QString own = tmp.path() + "/data/vexo-t58/Skins/Black";
    ASSERT_TRUE(QDir().mkpath(own));
    QImage mine(background.size(), QImage::Format_RGB32);
    mine.fill(QColor(0xa0, 0x10, 0xa0));
    ASSERT_TRUE(mine.save(own + "/BasicSet2.png"));
    ASSERT_EQ(RunProgram(root + "/bin/vexo", {"--simulate", "--screenshot=" + shot}, userEnv).status, 0);
    EXPECT_EQ(QImage(shot).pixel(2, 2), mine.pixel(2, 2));
}

// The validators' complaints, one a line, or an empty text when there are none.
QString Complaints(const ProgramRun& run) {
    QStringList lines;
    for (const QString& line : (run.out + run.err).split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith("I:") && !line.contains("Validation was successful"))
            lines << line;
    }
    return lines.join('\n');
}

TEST(DesktopFilesTest, DesktopEntriesMetainfoAndManualPagesPassTheirValidators) {
    const QString data = Env("VEXO_SOURCE_DIR") + "/data";
    for (const QString& entry :
         QStringList{data + "/desktop/" + kAppId + ".desktop", data + "/desktop/autostart.desktop"}) {
        const ProgramRun check = RunProgram("desktop-file-validate", {entry});
        EXPECT_EQ(check.status, 0) << entry.toStdString() << ": " << check.err.toStdString();
        EXPECT_EQ(Complaints(check), "") << entry.toStdString();
    }
    const ProgramRun metainfo =
        RunProgram("appstreamcli", {"validate", "--no-net", data + "/" + kAppId + ".metainfo.xml"});
    EXPECT_EQ(metainfo.status, 0) << metainfo.out.toStdString() << metainfo.err.toStdString();
    EXPECT_EQ(Complaints(metainfo), "");
    for (const char* page : {"vexo.1", "vexoctl.1"}) {
        const ProgramRun man = RunProgram("man", {"--warnings", "-l", data + "/man/" + page},
                                          {"MANWIDTH=80", "MANPAGER=cat", "PAGER=cat"});
        EXPECT_EQ(man.status, 0) << page;
        EXPECT_TRUE(man.out.contains("NAME")) << page;
        EXPECT_EQ(man.err, "") << page;
    }
}

TEST(DebianPackageTest, ThePackageHasItsDependenciesAndScriptsAndLintianFindsNothing) {
    QTemporaryDir out;
    const ProgramRun pack = RunProgram(
        Env("VEXO_CPACK"), {"-G", "DEB", "--config", Env("VEXO_BUILD_DIR") + "/CPackConfig.cmake", "-B", out.path()},
        {}, 280000);
    ASSERT_EQ(pack.status, 0) << pack.out.toStdString() << pack.err.toStdString();
    const QStringList debs = QDir(out.path()).entryList({"*.deb"}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << pack.out.toStdString();
    const QString deb = out.path() + "/" + debs.front();

    const ProgramRun depends = RunProgram("dpkg-deb", {"-f", deb, "Depends"});
    for (const char* library : {"libqt6widgets6", "libudev1", "qt6-qpa-plugins"})
        EXPECT_TRUE(depends.out.contains(library)) << library << " in " << depends.out.toStdString();
    const ProgramRun contents = RunProgram("dpkg-deb", {"-c", deb});
    for (const QString& file :
         QStringList{"./usr/bin/vexo", "./usr/bin/vexoctl", "./usr/lib/udev/rules.d/70-vexo-t58.rules",
                     "./etc/xdg/autostart/" + kAppId + ".desktop", "./usr/share/vexo-t58/Skins/Black/"})
        EXPECT_TRUE(contents.out.contains(file + "\n") || contents.out.contains(file + " ")) << file.toStdString();
    // The packaged scripts reload the udev rules, and never fail where udev cannot be reached.
    const QString control = out.path() + "/control";
    ASSERT_EQ(RunProgram("dpkg-deb", {"-e", deb, control}).status, 0);
    const QString bin = out.path() + "/fakebin";
    QDir().mkpath(bin);
    QFile udevadm(bin + "/udevadm");
    ASSERT_TRUE(udevadm.open(QIODevice::WriteOnly));
    udevadm.write("#!/bin/sh\necho \"$*\" >> \"$UDEVADM_LOG\"\nexit ${UDEVADM_STATUS:-0}\n");
    udevadm.close();
    udevadm.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString log = out.path() + "/udevadm.log";
    const QStringList fake{"PATH=" + bin + ":/usr/bin:/bin", "UDEVADM_LOG=" + log};
    for (const char* status : {"0", "1"}) {
        QFile::remove(log);
        EXPECT_EQ(
            RunProgram(control + "/postinst", {"configure"}, fake + QStringList{QString("UDEVADM_STATUS=") + status})
                .status,
            0)
            << status;
        EXPECT_EQ(QString::fromUtf8(Contents(log)),
                  "control --reload-rules\ntrigger --subsystem-match=hidraw --action=change\n")
            << status;
    }
    QFile::remove(log);
    EXPECT_EQ(RunProgram(control + "/postrm", {"remove"}, fake).status, 0);
    EXPECT_EQ(QString::fromUtf8(Contents(log)), "control --reload-rules\n");
    // Without udevadm at all (a container), nothing fails.
    EXPECT_EQ(RunProgram(control + "/postinst", {"configure"}, {"PATH=" + out.path() + "/nothing"}).status, 0);

    // Errors and warnings alike; the package's own overrides say why a tag does not apply.
    const ProgramRun lintian = RunProgram("lintian", {"--tag-display-limit", "0", deb}, {}, 280000);
    EXPECT_EQ(lintian.status, 0) << lintian.err.toStdString();
    EXPECT_EQ(lintian.out.trimmed(), "") << "lintian:\n" << lintian.out.toStdString();
}

} // namespace
