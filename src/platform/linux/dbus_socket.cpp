// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/dbus_socket.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vexo {
namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// An address value with its %XX escapes undone; nullopt for a broken escape.
std::optional<std::string> Unescape(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            out += value[i];
            continue;
        }
        if (i + 2 >= value.size())
            return std::nullopt;
        const auto hex = [](char c) -> int {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            return -1;
        };
        const int high = hex(value[i + 1]);
        const int low = hex(value[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

} // namespace

DBusSocket::DBusSocket(const std::string& addresses, int timeoutMs) {
    const std::int64_t deadline = NowMs() + timeoutMs;
    std::size_t start = 0;
    while (start <= addresses.size() && !fd_.valid()) {
        const std::size_t end = std::min(addresses.find(';', start), addresses.size());
        const std::string address = addresses.substr(start, end - start);
        start = end + 1;
        if (!address.empty())
            connectTo(address);
    }
    if (!fd_.valid()) {
        if (error_.empty())
            error_ = "no usable bus address in \"" + addresses + "\"";
        return;
    }
    if (!authenticate(deadline))
        return;
    const Reply hello = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "Hello", {},
                             static_cast<int>(std::max<std::int64_t>(deadline - NowMs(), 1)));
    if (!hello.ok || hello.texts.size() != 1) {
        fail("the bus did not accept the connection: " + hello.message);
        return;
    }
    uniqueName_ = hello.texts.front();
}

bool DBusSocket::connectTo(const std::string& address) {
    // Only Unix sockets: the transport every Linux session bus uses.
    if (address.rfind("unix:", 0) != 0) {
        error_ = "unsupported bus address \"" + address + "\"";
        return false;
    }
    std::string path;
    bool abstract = false;
    std::size_t start = 5;
    while (start < address.size()) {
        const std::size_t end = std::min(address.find(',', start), address.size());
        const std::string pair = address.substr(start, end - start);
        start = end + 1;
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = pair.substr(0, eq);
        if (key != "path" && key != "abstract")
            continue;
        const std::optional<std::string> value = Unescape(pair.substr(eq + 1));
        if (!value) {
            error_ = "malformed bus address \"" + address + "\"";
            return false;
        }
        path = *value;
        abstract = key == "abstract";
    }
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    // Abstract names start with a NUL byte and are not NUL-terminated.
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof where.sun_path) {
        error_ = "no usable socket in bus address \"" + address + "\"";
        return false;
    }
    std::memcpy(where.sun_path + offset, path.data(), path.size());
    const socklen_t length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.valid() || ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&where), length) != 0) {
        error_ =
            "cannot connect to the bus at " + std::string(abstract ? "@" : "") + path + ": " + std::strerror(errno);
        return false;
    }
    fd_ = std::move(fd);
    error_.clear();
    return true;
}

bool DBusSocket::authenticate(std::int64_t deadline) {
    // EXTERNAL: the bus reads this process's credentials from the socket; the id given is the uid
    // in decimal, each digit sent as two hex digits.
    const std::string uid = std::to_string(::getuid());
    std::string hex;
    static constexpr char kDigits[] = "0123456789abcdef";
    for (const unsigned char c : uid) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 0xF];
    }
    const std::string request = std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n";
    if (!sendAll(std::vector<std::uint8_t>(request.begin(), request.end()), deadline))
        return false;
    std::string line;
    if (!readLine(line, deadline))
        return false;
    if (line.rfind("OK ", 0) != 0) {
        fail("the bus refused this user: " + line);
        return false;
    }
    const std::string begin = "BEGIN\r\n";
    return sendAll(std::vector<std::uint8_t>(begin.begin(), begin.end()), deadline);
}

DBusSocket::Reply DBusSocket::call(const std::string& destination, const std::string& path,
                                   const std::string& interface, const std::string& member,
                                   const std::vector<DBusMessage::Argument>& arguments, int timeoutMs) {
    Reply result;
    if (!fd_.valid()) {
        result.message = error_.empty() ? "not connected to the bus" : error_;
        return result;
    }
    const std::int64_t deadline = NowMs() + timeoutMs;
    if (++serial_ == 0)
        ++serial_;
    const std::uint32_t serial = serial_;
    if (!sendAll(DBusMessage::MethodCall(serial, destination, path, interface, member, arguments), deadline)) {
        result.message = error_;
        return result;
    }
    for (;;) {
        std::string why;
        const std::optional<DBusMessage::Received> message = readMessage(deadline, why);
        if (!message) {
            result.message = why;
            return result;
        }
        const bool answer =
            message->type == DBusMessage::Type::MethodReturn || message->type == DBusMessage::Type::Error;
        if (!answer || message->replySerial != serial)
            continue; // a signal, or a late answer to an earlier call that timed out
        if (message->type == DBusMessage::Type::Error) {
            result.errorName = message->errorName;
            result.message = message->texts.empty() ? message->errorName : message->texts.front();
            return result;
        }
        result.ok = true;
        result.texts = message->texts;
        return result;
    }
}

bool DBusSocket::sendAll(const std::vector<std::uint8_t>& bytes, std::int64_t deadline) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd_.get(), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(POLLOUT, deadline))
            continue;
        fail(n < 0 && errno != EAGAIN && errno != EWOULDBLOCK
                 ? "cannot write to the bus: " + std::string(std::strerror(errno))
                 : "the bus took no message within the time allowed");
        return false;
    }
    return true;
}

bool DBusSocket::readLine(std::string& line, std::int64_t deadline) {
    // An authentication answer is one short line; a bus that sends more is not one.
    constexpr std::size_t kMaxLine = 16 * 1024;
    for (;;) {
        for (std::size_t i = 0; i + 1 < in_.size(); ++i) {
            if (in_[i] == '\r' && in_[i + 1] == '\n') {
                line.assign(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(i));
                in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(i + 2));
                return true;
            }
        }
        if (in_.size() > kMaxLine) {
            fail("the bus sent no valid authentication answer");
            return false;
        }
        if (!waitFor(POLLIN, deadline)) {
            fail("the bus did not answer within the time allowed");
            return false;
        }
        std::uint8_t buffer[4096];
        const ssize_t n = ::recv(fd_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (n <= 0 && !(n < 0 && (errno == EINTR || errno == EAGAIN))) {
            fail("the bus closed the connection");
            return false;
        }
        if (n > 0)
            in_.insert(in_.end(), buffer, buffer + n);
    }
}

std::optional<DBusMessage::Received> DBusSocket::readMessage(std::int64_t deadline, std::string& why) {
    for (;;) {
        const std::optional<std::size_t> length = DBusMessage::Length(in_.data(), in_.size());
        if (!length) {
            fail(why = "the bus sent something that is not a D-Bus message");
            return std::nullopt;
        }
        if (*length != 0 && in_.size() >= *length) {
            std::optional<DBusMessage::Received> message = DBusMessage::Parse(in_.data(), *length);
            if (!message) {
                fail(why = "the bus sent a malformed message");
                return std::nullopt;
            }
            in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(*length));
            return message;
        }
        if (!waitFor(POLLIN, deadline)) {
            // The connection stays: a late answer is passed over by the next call.
            why = "no answer within the time allowed";
            return std::nullopt;
        }
        std::uint8_t buffer[64 * 1024];
        const ssize_t n = ::recv(fd_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
            fail(why = "the bus closed the connection");
            return std::nullopt;
        }
        if (n > 0)
            in_.insert(in_.end(), buffer, buffer + n);
    }
}

bool DBusSocket::waitFor(short events, std::int64_t deadline) {
    for (;;) {
        const std::int64_t left = deadline - NowMs();
        if (left <= 0)
            return false;
        pollfd p{fd_.get(), events, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<std::int64_t>(left, 1 << 30)));
        if (r > 0)
            return true; // readable, writable, or closed: the next read or write says which
        if (r < 0 && errno != EINTR)
            return false;
    }
}

void DBusSocket::fail(const std::string& why) {
    error_ = why;
    fd_.reset();
    in_.clear();
}

} // namespace vexo
