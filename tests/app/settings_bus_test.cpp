// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The window's settings on a private session bus, called as vexoctl calls them (GIO, from another
// thread) while the window's thread runs its event loop: what a set does to the window, its page,
// its files and the mouse; what is refused; the signals; the documented interface.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QRegularExpression>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>

#include "app/settings_bus.h"
#include "app_shell_fixture.h"
#include "config/key_entry.h"
#include "config/settings_bus_names.h"
#include "config/settings_vocabulary.h"
#include "platform/linux/session_bus.h"
#include "ui/basic/basic_page.h"
#include "ui/basic/dpi_rows.h"

namespace vexo {
namespace {

// What the window's bus object sends, as a listener on the bus receives it.
class SignalLog : public QObject {
    Q_OBJECT
public:
    QStringList lines;
public slots:
    void dpiStage(uint stage, uint dpi) { lines << QString("dpi %1 %2").arg(stage).arg(dpi); }
    void reportRate(uint hertz) { lines << QString("rate %1").arg(hertz); }
    void keyGroup(uint group) { lines << QString("group %1").arg(group); }
    void presence(bool present) { lines << (present ? "present true" : "present false"); }
    void applied() { lines << "applied"; }
};

class SettingsBusTest : public AppShellTest {
protected:
    static void SetUpTestSuite() {
        daemon = new QProcess;
        daemon->start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (daemon->waitForStarted(5000) && daemon->waitForReadyRead(5000))
            address = QString::fromUtf8(daemon->readLine()).trimmed();
    }
    static void TearDownTestSuite() {
        daemon->kill();
        daemon->waitForFinished(5000);
        delete daemon;
        daemon = nullptr;
    }
    void SetUp() override {
        AppShellTest::SetUp();
        ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
        if (const char* old = std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            oldAddress = old;
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8().constData(), 1);
        client = std::make_unique<SessionBus>();
        ASSERT_TRUE(client->connected());
    }
    void TearDown() override {
        bus.reset();
        QDBusConnection::disconnectFromBus("vexo-window");
        QDBusConnection::disconnectFromBus("vexo-listener");
        client.reset();
        if (oldAddress)
            ::setenv("DBUS_SESSION_BUS_ADDRESS", oldAddress->c_str(), 1);
        else
            ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    // The window with its bus object published, its page shown.
    void startPublished() {
        start();
        tray.click(TrayIcon::Click::Left);
        bus = std::make_unique<SettingsBus>(*shell, QDBusConnection::connectToBus(address, "vexo-window"));
        ASSERT_TRUE(bus->publish()) << bus->lastError().toStdString();
    }
    // A call as vexoctl makes it: from another thread, while this one runs the window's events.
    SessionBus::Reply call(const std::string& method, const std::vector<SessionBus::Argument>& arguments) {
        return callOn(SettingsBusNames::kInterface, method, arguments);
    }
    SessionBus::Reply callOn(const std::string& interface, const std::string& method,
                             const std::vector<SessionBus::Argument>& arguments) {
        auto reply = std::async(std::launch::async, [&] {
            return client->call(SettingsBusNames::kService, SettingsBusNames::kPath, interface, method, arguments,
                                10000);
        });
        while (reply.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return reply.get();
    }
    std::string files() const {
        std::string all;
        for (const auto& file : {locations.configBin(), locations.strIni()}) {
            std::ifstream in(file, std::ios::binary);
            all += std::string(std::istreambuf_iterator<char>(in), {}) + "\n--\n";
        }
        return all;
    }

    static inline QProcess* daemon = nullptr;
    static inline QString address;
    std::optional<std::string> oldAddress;
    std::unique_ptr<SessionBus> client;
    std::unique_ptr<SettingsBus> bus;
};

TEST_F(SettingsBusTest, EachKindOfSettingSetOverTheBusIsWhatTheWindowKeepsShowsSavesAndSends) {
    startPublished();
    ASSERT_TRUE(client->hasOwner(SettingsBusNames::kService));
    for (const std::string text :
         {"button.2.a=single-key:B", "button.8.b=combo-key:Left Ctrl+Shift+Z", "button.3.a=fire-key:A/32/3",
          "dpi.3=1600", "dpi.3.enabled=yes", "dpi.3.colour=#ff5500", "report-rate=500", "lighting.mode=neon",
          "pointer.wheel=7", "label.12.a=Twelve", "mode=b"}) {
        SCOPED_TRACE(text);
        const SettingAssignment a = *SettingsVocabulary::ParseAssignment(text);
        SettingsState expected = shell->settingsState();
        const std::vector<std::string> refused = SettingsVocabulary::Apply(expected, {a});
        ASSERT_TRUE(refused.empty()) << refused.front();
        mouse->clearExchanges();
        const SessionBus::Reply set = call("Set", {std::vector<std::string>{text}, true});
        ASSERT_TRUE(set.ok) << set.message;
        EXPECT_EQ(set.texts, std::vector<std::string>{"sent"});
        const SessionBus::Reply got = call("Get", {std::vector<std::string>{a.name}});
        ASSERT_TRUE(got.ok) << got.message;
        EXPECT_EQ(got.texts, std::vector<std::string>{a.name + "=" + *SettingsVocabulary::Get(expected, a.name)});
        // The window holds it (record and labels), has it saved, and the mouse got it.
        const SettingsState now = shell->settingsState();
        EXPECT_TRUE(now.record == expected.record);
        EXPECT_EQ(now.labelsA, expected.labelsA);
        EXPECT_EQ(now.labelsB, expected.labelsB);
        EXPECT_TRUE(config.snapshot() == expected.record);
        ConfigStore saved(locations.configBin());
        ASSERT_EQ(saved.LoadConfig(), ConfigStore::LoadResult::Loaded);
        EXPECT_TRUE(saved.record() == expected.record);
        // Only what the change touches goes out, and the mouse ends with every block of the record.
        EXPECT_EQ(mouse->blocks().keyMatrices, KeyMatrixImage(expected.record));
        EXPECT_EQ(mouse->blocks().dpi, DpiImage(expected.record, 3));
        EXPECT_TRUE(std::ranges::equal(mouse->blocks().colourBlock1, expected.record.dpiColourBytes()));
        EXPECT_EQ(mouse->blocks().reportRate, expected.record.reportRate());
        // The first change on this connection sends everything (what the mouse held was not known);
        // later ones are at most one key matrix (two block reports) where the whole setup is 52.
        std::size_t reports = 0;
        for (const SimExchange& e : mouse->exchanges())
            reports += e.kind == SimExchange::Kind::Write ? 1 : 0;
        if (text == std::string("button.2.a=single-key:B"))
            EXPECT_EQ(reports, 52u);
        else
            EXPECT_LE(reports, 2u);
    }
    // The label follows the function as the window's dispatch writes it, and the page shows the DPI.
    EXPECT_EQ(shell->settings().m_strButtonLabelA[1], texts().m_strSingleKey + "-B");
    EXPECT_EQ(shell->basicPage().dpiRows().stageText(2), "1600");
    EXPECT_TRUE(strIniText().contains("Twelve"));
}

TEST_F(SettingsBusTest, EveryValueGetAllGivesIsTakenBackUnchanged) {
    startPublished();
    const SessionBus::Reply all = call("GetAll", {});
    ASSERT_TRUE(all.ok) << all.message;
    EXPECT_EQ(all.texts.size(), SettingsVocabulary::Names().size());
    const std::string before = files();
    const SettingsState state = shell->settingsState();
    const SessionBus::Reply set = call("Set", {all.texts, false});
    ASSERT_TRUE(set.ok) << set.message;
    EXPECT_EQ(set.texts, std::vector<std::string>{"saved"});
    EXPECT_TRUE(shell->settingsState().record == state.record);
    EXPECT_EQ(call("GetAll", {}).texts, all.texts);
}

TEST_F(SettingsBusTest, RefusedNamesAndValuesAreBusErrorsAndChangeNothing) {
    startPublished();
    const std::string before = files();
    const SettingsState state = shell->settingsState();
    mouse->clearExchanges();
    struct Case {
        std::string method;
        std::vector<std::string> values;
        std::string mentions;
    };
    for (const Case& c : std::vector<Case>{
             {"Set", {"report-rate=125", "dpi.9=800"}, "dpi.N"},
             {"Set", {"report-rate=125", "report-rate=300"}, "125, 250, 500, 1000"},
             {"Set", {"report-rate=125", "button.1.a=macro:Nope"}, "button.1.a"},
             {"Set", {"report-rate"}, "NAME=VALUE"},
             {"Set", {}, "at least one"},
             {"Get", {"dpi.2", "colour"}, "names are"},
         }) {
        SCOPED_TRACE(c.mentions);
        std::vector<SessionBus::Argument> arguments{c.values};
        if (c.method == "Set")
            arguments.emplace_back(true);
        const SessionBus::Reply reply = call(c.method, arguments);
        EXPECT_FALSE(reply.ok);
        EXPECT_EQ(reply.errorName, SettingsBusNames::kInvalidSetting);
        EXPECT_NE(reply.message.find(c.mentions), std::string::npos) << reply.message;
    }
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(shell->settingsState().record == state.record);
    EXPECT_TRUE(mouse->exchanges().empty());
    // A profile that is not there: a failure with the reason, nothing sent.
    const SessionBus::Reply load = call("LoadProfile", {std::string("Nope"), true});
    EXPECT_EQ(load.errorName, SettingsBusNames::kFailed);
    EXPECT_NE(load.message.find("there is no profile 'Nope'"), std::string::npos) << load.message;
    EXPECT_TRUE(mouse->exchanges().empty());
}

TEST_F(SettingsBusTest, TheMousesNoticesPresenceAndAppliesAreSignalled) {
    startPublished();
    QDBusConnection listener = QDBusConnection::connectToBus(address, "vexo-listener");
    SignalLog log;
    const QString service = SettingsBusNames::kService, path = SettingsBusNames::kPath,
                  interface = SettingsBusNames::kInterface;
    ASSERT_TRUE(listener.connect(service, path, interface, "DpiStageChanged", &log, SLOT(dpiStage(uint, uint))));
    ASSERT_TRUE(listener.connect(service, path, interface, "ReportRateChanged", &log, SLOT(reportRate(uint))));
    ASSERT_TRUE(listener.connect(service, path, interface, "KeyGroupChanged", &log, SLOT(keyGroup(uint))));
    ASSERT_TRUE(listener.connect(service, path, interface, "MousePresenceChanged", &log, SLOT(presence(bool))));
    ASSERT_TRUE(listener.connect(service, path, interface, "SettingsApplied", &log, SLOT(applied())));
    const unsigned dpi = *DpiValue(3, config.record().dpiValues()[1]);

    mouse->pushNotice(7, 2);
    mouse->pushNotice(5, 3); // no report rate: no signal
    mouse->pushNotice(5, 2);
    mouse->pushNotice(8, 2);
    ASSERT_TRUE(waitFor([&] { return log.lines.size() >= 3; })) << log.lines.join(", ").toStdString();
    mouse->unplug();
    ASSERT_TRUE(waitFor([&] { return log.lines.size() >= 4; }));
    mouse->plug();
    ASSERT_TRUE(waitFor([&] { return log.lines.size() >= 5; }));
    ASSERT_TRUE(call("Apply", {}).ok);
    // The window's own Apply button as well.
    shell->window().HandleClick({frame::kApply.left + 2, frame::kApply.top + 2});
    ASSERT_TRUE(waitFor([&] { return log.lines.size() >= 7; }));
    EXPECT_EQ(log.lines,
              (QStringList{QString("dpi 2 %1").arg(dpi), "rate 500", "group 2", "present false", "present true",
                           "applied", "applied"}));
}

TEST_F(SettingsBusTest, TheDocumentedInterfaceIsTheOneOfferedAndTheNameHasOneOwner) {
    startPublished();
    const SessionBus::Reply live = callOn("org.freedesktop.DBus.Introspectable", "Introspect", {});
    ASSERT_TRUE(live.ok) << live.message;
    ASSERT_EQ(live.texts.size(), 1u);
    std::ifstream in(std::string(VEXO_SOURCE_DIR) + "/docs/settings-bus.xml");
    const std::string documented(std::istreambuf_iterator<char>(in), {});
    // The interface element of each, without comments and with blanks between elements ignored.
    const auto interfaceOf = [](const std::string& xml) {
        QString text = QString::fromStdString(xml);
        text.remove(QRegularExpression("<!--.*?-->", QRegularExpression::DotMatchesEverythingOption));
        const QRegularExpression element(QString("<interface name=\"%1\">.*?</interface>")
                                             .arg(QRegularExpression::escape(SettingsBusNames::kInterface)),
                                         QRegularExpression::DotMatchesEverythingOption);
        return element.match(text).captured(0).replace(QRegularExpression(">\\s+<"), "><");
    };
    const QString offeredInterface = interfaceOf(live.texts.front());
    EXPECT_FALSE(offeredInterface.isEmpty());
    EXPECT_EQ(interfaceOf(documented).toStdString(), offeredInterface.toStdString());

    // A second window on the same bus does not take the name over.
    SettingsBus second(*shell, QDBusConnection::connectToBus(address, "vexo-listener"));
    EXPECT_FALSE(second.publish());
    EXPECT_TRUE(second.lastError().contains("taken"));
}

} // namespace
} // namespace vexo

#include "settings_bus_test.moc"
