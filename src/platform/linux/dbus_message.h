// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vexo {

// The D-Bus wire format, as far as a short-lived client needs it: method calls with text, text list
// and truth-value arguments out; replies, errors and whatever else the bus sends in. Plain bytes,
// no connection: DBusSocket moves them.
class DBusMessage {
public:
    // Message types of the protocol's fixed header.
    enum class Type : std::uint8_t { Invalid = 0, MethodCall = 1, MethodReturn = 2, Error = 3, Signal = 4 };

    // One argument of a call: a text (s), a list of texts (as) or a truth value (b).
    using Argument = std::variant<std::string, std::vector<std::string>, bool>;

    // The bytes of a method call, little-endian, with the NO_AUTO_START flag (a service that is not
    // running is never started for a call). destination may be empty (a peer connection).
    static std::vector<std::uint8_t> MethodCall(std::uint32_t serial, const std::string& destination,
                                                const std::string& path, const std::string& interface,
                                                const std::string& member, const std::vector<Argument>& arguments);

    // How many bytes the message at the start of buffer takes, once its fixed header and header
    // field length are there: 0 while more bytes are needed to tell. A length beyond kMaxMessageBytes,
    // or a header that is not D-Bus, gives nullopt: the stream cannot be followed any further.
    static std::optional<std::size_t> Length(const std::uint8_t* buffer, std::size_t size);
    static constexpr std::size_t kMaxMessageBytes = 128u * 1024 * 1024; // the protocol's own limit

    // A message read from the bus. Parse fails (nullopt) on anything malformed: a length or offset
    // past the end, a bad signature, a string without its NUL, nesting deeper than the protocol allows.
    struct Received {
        Type type = Type::Invalid;
        std::uint32_t serial = 0;
        std::optional<std::uint32_t> replySerial;
        std::string errorName; // Error messages
        std::string signature; // of the body
        // The body's top-level texts: each string or object path, each item of a string list, a
        // truth value as "true" or "false". Other values are skipped.
        std::vector<std::string> texts;
    };
    static std::optional<Received> Parse(const std::uint8_t* buffer, std::size_t size);
};

} // namespace vexo
