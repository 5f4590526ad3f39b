// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The bus client that speaks the wire protocol itself: against a real dbus-daemon, and against a
// stand-in bus that answers late, for other requests, with garbage or not at all.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <functional>
#include <random>
#include <thread>

#include "config/temp_dir.h"
#include "platform/linux/dbus_message.h"
#include "platform/linux/dbus_socket.h"
#include "platform/private_session_bus.h"

namespace vexo {
namespace {

using test::TempDir;
using Bytes = std::vector<std::uint8_t>;

TEST(DBusMessageTest, CallsCarryTheirArgumentsAndSurviveAnyDamage) {
    const std::vector<DBusMessage::Argument> arguments = {std::string("dpi.2=800"),
                                                          std::vector<std::string>{},
                                                          std::vector<std::string>{"a", "", "黑体 ✓", "x=y"},
                                                          true,
                                                          std::string(""),
                                                          false};
    const Bytes call = DBusMessage::MethodCall(7, "example.vexo_gaming.T58", "/example/vexo_gaming/T58",
                                               "example.vexo_gaming.T58.Settings", "Set", arguments);
    ASSERT_EQ(DBusMessage::Length(call.data(), call.size()), call.size());
    for (std::size_t cut = 0; cut < 16; ++cut)
        EXPECT_EQ(DBusMessage::Length(call.data(), cut), 0u) << "the fixed header is not there yet";
    const auto parsed = DBusMessage::Parse(call.data(), call.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->type, DBusMessage::Type::MethodCall);
    EXPECT_EQ(parsed->serial, 7u);
    EXPECT_EQ(parsed->signature, "sasasbsb");
    EXPECT_EQ(parsed->texts, (std::vector<std::string>{"dpi.2=800", "a", "", "黑体 ✓", "x=y", "true", "", "false"}));

    // Every cut is refused, and no flipped byte reads outside the message (the sanitizers watch).
    for (std::size_t cut = 16; cut < call.size(); ++cut)
        EXPECT_FALSE(DBusMessage::Parse(call.data(), cut)) << cut;
    std::mt19937 random(58);
    for (int round = 0; round < 20000; ++round) {
        Bytes damaged = call;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        const auto length = DBusMessage::Length(damaged.data(), damaged.size());
        if (length && *length != 0 && *length <= damaged.size())
            DBusMessage::Parse(damaged.data(), *length);
    }
    // Lengths past the protocol's limit end the stream rather than wait for gigabytes.
    Bytes huge = call;
    huge[4] = huge[5] = huge[6] = huge[7] = 0xFF;
    EXPECT_FALSE(DBusMessage::Length(huge.data(), huge.size()));
    Bytes notDbus = call;
    notDbus[0] = 'x';
    EXPECT_FALSE(DBusMessage::Length(notDbus.data(), notDbus.size()));
}

TEST(DBusSocketTest, TalksToARealBus) {
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().empty()) << "dbus-daemon did not start";
    // A list whose first entries cannot be used: the next one is taken.
    DBusSocket socket("tcp:host=localhost,port=1;unix:path=/nonexistent/bus;" + bus.address(), 5000);
    ASSERT_TRUE(socket.connected()) << socket.error();
    EXPECT_EQ(socket.uniqueName().rfind(":1.", 0), 0u) << socket.uniqueName();

    const auto own = socket.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                 "NameHasOwner", {socket.uniqueName()}, 2000);
    ASSERT_TRUE(own.ok) << own.message;
    EXPECT_EQ(own.texts, std::vector<std::string>{"true"});
    const auto names =
        socket.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames", {}, 2000);
    ASSERT_TRUE(names.ok) << names.message;
    EXPECT_NE(std::find(names.texts.begin(), names.texts.end(), socket.uniqueName()), names.texts.end());

    // The bus reads a call of every argument kind and refuses it for its signature, not its bytes:
    // the connection stays usable.
    const auto wrong = socket.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "NameHasOwner", {std::string("x"), std::vector<std::string>{"a", "b"}, true}, 2000);
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.errorName, "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_FALSE(wrong.message.empty());
    // A service nobody runs is not started for a call.
    const auto absent = socket.call("example.vexo_gaming.T58", "/example/vexo_gaming/T58",
                                    "example.vexo_gaming.T58.Settings", "GetAll", {}, 2000);
    EXPECT_FALSE(absent.ok);
    EXPECT_EQ(absent.errorName, "org.freedesktop.DBus.Error.NameHasNoOwner");
    EXPECT_TRUE(
        socket.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId", {}, 2000).ok);

    // The same bus with its path escaped as address values may be; broken escapes and empty lists
    // connect to nothing.
    std::string escaped = bus.address();
    if (escaped.rfind("unix:path=", 0) == 0) {
        for (std::size_t at = escaped.find('/'); at != std::string::npos; at = escaped.find('/', at))
            escaped.replace(at, 1, "%2F");
        EXPECT_TRUE(DBusSocket(escaped, 2000).connected()) << escaped;
    }
    EXPECT_FALSE(DBusSocket("unix:path=/tmp/%zz", 1000).connected());
    EXPECT_FALSE(DBusSocket("", 1000).connected());
}

// A stand-in bus on a Unix socket: accepts one client, answers its authentication and Hello, then
// runs `script` with the client's socket and the serial of the next call it will read.
class FakeBus {
public:
    explicit FakeBus(std::function<void(int fd)> script) : path_(dir_ / "bus") {
        listen_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        std::strncpy(where.sun_path, path_.c_str(), sizeof where.sun_path - 1);
        ::bind(listen_, reinterpret_cast<sockaddr*>(&where), sizeof where);
        ::listen(listen_, 1);
        thread_ = std::thread([this, script] {
            const int fd = ::accept(listen_, nullptr, nullptr);
            if (fd < 0)
                return;
            script(fd);
            ::close(fd);
        });
    }
    ~FakeBus() {
        ::shutdown(listen_, SHUT_RDWR);
        thread_.join();
        ::close(listen_);
    }
    std::string address() const { return "unix:path=" + path_.string(); }

    // Reads up to the end of the authentication ("BEGIN\r\n").
    static bool readAuth(int fd) {
        std::string in;
        char c;
        while (in.find("BEGIN\r\n") == std::string::npos && ::read(fd, &c, 1) == 1) {
            in += c;
            if (in.find("EXTERNAL") != std::string::npos && in.ends_with("\r\n") &&
                in.find("OK") == std::string::npos && in.find("BEGIN") == std::string::npos)
                write(fd, "OK 0123456789abcdef0123456789abcdef\r\n");
        }
        return in.find("BEGIN\r\n") != std::string::npos;
    }
    // Reads one message; its serial.
    static std::uint32_t readCall(int fd) {
        Bytes in;
        std::uint8_t buffer[4096];
        for (;;) {
            const auto length = DBusMessage::Length(in.data(), in.size());
            if (!length)
                return 0;
            if (*length != 0 && in.size() >= *length)
                return DBusMessage::Parse(in.data(), *length)->serial;
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                return 0;
            in.insert(in.end(), buffer, buffer + n);
        }
    }
    // A method return (type 2) or error (3) for `serial` with texts as its body (signature "s…").
    static Bytes answer(std::uint8_t type, std::uint32_t serial, const std::vector<std::string>& texts,
                        const std::string& errorName = {}) {
        Bytes m = {'l', type, 0, 1, 0, 0, 0, 0, 0x99, 0, 0, 0, 0, 0, 0, 0};
        const auto put32 = [&m](std::uint32_t v) {
            while (m.size() % 4)
                m.push_back(0);
            for (int i = 0; i < 4; ++i)
                m.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        const auto string = [&](const std::string& s) {
            put32(static_cast<std::uint32_t>(s.size()));
            m.insert(m.end(), s.begin(), s.end());
            m.push_back(0);
        };
        m.insert(m.end(), {5, 1, 'u', 0});
        put32(serial);
        if (!errorName.empty()) {
            while (m.size() % 8)
                m.push_back(0);
            m.insert(m.end(), {4, 1, 's', 0});
            string(errorName);
        }
        if (!texts.empty()) {
            while (m.size() % 8)
                m.push_back(0);
            m.insert(m.end(), {8, 1, 'g', 0, static_cast<std::uint8_t>(texts.size())});
            m.insert(m.end(), texts.size(), 's');
            m.push_back(0);
        }
        const std::uint32_t fields = static_cast<std::uint32_t>(m.size() - 16);
        for (int i = 0; i < 4; ++i)
            m[12 + i] = static_cast<std::uint8_t>(fields >> (8 * i));
        while (m.size() % 8)
            m.push_back(0);
        const std::size_t body = m.size();
        for (const std::string& t : texts)
            string(t);
        const std::uint32_t bodyLength = static_cast<std::uint32_t>(m.size() - body);
        for (int i = 0; i < 4; ++i)
            m[4 + i] = static_cast<std::uint8_t>(bodyLength >> (8 * i));
        return m;
    }
    static void write(int fd, const Bytes& bytes) { ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    static void write(int fd, const std::string& text) { ::send(fd, text.data(), text.size(), MSG_NOSIGNAL); }
    // Authentication and Hello, as a bus does them.
    static bool greet(int fd) {
        if (!readAuth(fd))
            return false;
        const std::uint32_t hello = readCall(fd);
        write(fd, answer(2, hello, {":1.5"}));
        return hello != 0;
    }

private:
    TempDir dir_{"fake-bus"};
    std::filesystem::path path_;
    int listen_ = -1;
    std::thread thread_;
};

DBusSocket::Reply CallFake(DBusSocket& socket, int timeoutMs = 2000) {
    return socket.call("example.vexo_gaming.T58", "/example/vexo_gaming/T58", "example.vexo_gaming.T58.Settings",
                       "GetAll", {}, timeoutMs);
}

TEST(DBusSocketTest, PassesOverWhatIsNotItsAnswerAndNeverWaitsPastTheDeadline) {
    FakeBus bus([](int fd) {
        ASSERT_TRUE(FakeBus::greet(fd));
        // First call: a signal, an answer to another request, then its own, in pieces.
        const std::uint32_t first = FakeBus::readCall(fd);
        Bytes signal = FakeBus::answer(2, first, {"not for you"});
        signal[1] = 4;
        FakeBus::write(fd, signal);
        FakeBus::write(fd, FakeBus::answer(2, first + 100, {"wrong request"}));
        const Bytes own = FakeBus::answer(2, first, {"dpi.2=800", "report-rate=1000"});
        FakeBus::write(fd, Bytes(own.begin(), own.begin() + 5));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        FakeBus::write(fd, Bytes(own.begin() + 5, own.end()));
        // Second call: no answer in time; it comes later, before the third call's error.
        const std::uint32_t second = FakeBus::readCall(fd);
        const std::uint32_t third = FakeBus::readCall(fd);
        FakeBus::write(fd, FakeBus::answer(2, second, {"late"}));
        FakeBus::write(fd, FakeBus::answer(3, third, {"dpi.2: 801 is not a step"}, "example.Error.Invalid"));
        // Fourth: garbage.
        FakeBus::readCall(fd);
        FakeBus::write(fd, std::string("HTTP/1.1 400 Bad Request\r\n\r\n"));
        char c;
        while (::read(fd, &c, 1) > 0) {}
    });
    DBusSocket socket(bus.address(), 2000);
    ASSERT_TRUE(socket.connected()) << socket.error();
    EXPECT_EQ(socket.uniqueName(), ":1.5");

    const auto first = CallFake(socket);
    ASSERT_TRUE(first.ok) << first.message;
    EXPECT_EQ(first.texts, (std::vector<std::string>{"dpi.2=800", "report-rate=1000"}));

    const auto second = CallFake(socket, 100);
    EXPECT_FALSE(second.ok);
    EXPECT_NE(second.message.find("no answer"), std::string::npos) << second.message;
    ASSERT_TRUE(socket.connected()) << "a slow answer is no reason to drop the connection";

    const auto third = CallFake(socket);
    EXPECT_FALSE(third.ok);
    EXPECT_EQ(third.errorName, "example.Error.Invalid");
    EXPECT_EQ(third.message, "dpi.2: 801 is not a step");

    const auto fourth = CallFake(socket);
    EXPECT_FALSE(fourth.ok);
    EXPECT_NE(fourth.message.find("not a D-Bus message"), std::string::npos) << fourth.message;
    EXPECT_FALSE(socket.connected());
    EXPECT_FALSE(CallFake(socket).ok);
}

TEST(DBusSocketTest, ARefusalASilentBusOrAClosedOneFailsInTime) {
    {
        FakeBus refusing([](int fd) {
            char buffer[256];
            (void)::read(fd, buffer, sizeof buffer);
            FakeBus::write(fd, std::string("REJECTED EXTERNAL\r\n"));
        });
        DBusSocket socket(refusing.address(), 2000);
        EXPECT_FALSE(socket.connected());
        EXPECT_NE(socket.error().find("refused"), std::string::npos) << socket.error();
    }
    {
        FakeBus silent([](int fd) {
            char buffer[256];
            while (::read(fd, buffer, sizeof buffer) > 0) {}
        });
        DBusSocket socket(silent.address(), 200);
        EXPECT_FALSE(socket.connected());
        EXPECT_NE(socket.error().find("did not answer"), std::string::npos) << socket.error();
    }
    {
        FakeBus closing([](int fd) {
            ASSERT_TRUE(FakeBus::greet(fd));
            FakeBus::readCall(fd);
            // Half a message, then the end.
            const Bytes half = FakeBus::answer(2, 2, {"cut"});
            FakeBus::write(fd, Bytes(half.begin(), half.begin() + half.size() / 2));
        });
        DBusSocket socket(closing.address(), 2000);
        ASSERT_TRUE(socket.connected()) << socket.error();
        const auto reply = CallFake(socket);
        EXPECT_FALSE(reply.ok);
        EXPECT_NE(reply.message.find("closed"), std::string::npos) << reply.message;
    }
}

} // namespace
} // namespace vexo
