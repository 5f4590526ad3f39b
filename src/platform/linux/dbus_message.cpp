// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "platform/linux/dbus_message.h"

#include <cstring>

namespace vexo {
namespace {

// The fixed header: endianness, type, flags, version, body length, serial; then the length of the
// header field array, whose structs start 8-aligned right after it.
constexpr std::size_t kFixedHeaderBytes = 12;
constexpr std::size_t kFieldsStart = 16;
constexpr std::uint8_t kProtocolVersion = 1;
constexpr std::uint8_t kNoAutoStart = 0x2;
// Header field codes.
constexpr std::uint8_t kFieldPath = 1;
constexpr std::uint8_t kFieldInterface = 2;
constexpr std::uint8_t kFieldMember = 3;
constexpr std::uint8_t kFieldErrorName = 4;
constexpr std::uint8_t kFieldReplySerial = 5;
constexpr std::uint8_t kFieldDestination = 6;
constexpr std::uint8_t kFieldSignature = 8;
// The protocol's limits on arrays and on how deep containers nest.
constexpr std::uint32_t kMaxArrayBytes = 64u * 1024 * 1024;
constexpr int kMaxDepth = 64;

class Writer {
public:
    void byte(std::uint8_t b) { bytes.push_back(b); }
    void align(std::size_t n) {
        while (bytes.size() % n != 0)
            bytes.push_back(0);
    }
    void u32(std::uint32_t v) {
        align(4);
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void putU32At(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void string(const std::string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    void signature(const std::string& s) {
        byte(static_cast<std::uint8_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    // One header field: struct (code, variant of one basic type).
    void field(std::uint8_t code, char type, const std::string& value) {
        align(8);
        byte(code);
        signature(std::string(1, type));
        if (type == 'g')
            signature(value);
        else
            string(value);
    }
    std::vector<std::uint8_t> bytes;
};

std::size_t AlignmentOf(char type) {
    switch (type) {
    case 'n':
    case 'q': return 2;
    case 'b':
    case 'i':
    case 'u':
    case 'h':
    case 's':
    case 'o':
    case 'a': return 4;
    case 'x':
    case 't':
    case 'd':
    case '(':
    case '{': return 8;
    default: return 1; // y, g, v
    }
}

// The end of the single complete type that starts at `at`, or npos when the signature is malformed.
std::size_t CompleteTypeEnd(const std::string& sig, std::size_t at, int depth = 0) {
    if (at >= sig.size() || depth > kMaxDepth)
        return std::string::npos;
    switch (sig[at]) {
    case 'y':
    case 'b':
    case 'n':
    case 'q':
    case 'i':
    case 'u':
    case 'x':
    case 't':
    case 'd':
    case 'h':
    case 's':
    case 'o':
    case 'g':
    case 'v': return at + 1;
    case 'a': return CompleteTypeEnd(sig, at + 1, depth + 1);
    case '(': {
        std::size_t i = at + 1;
        if (i < sig.size() && sig[i] == ')')
            return std::string::npos; // an empty struct is not allowed
        while (i < sig.size() && sig[i] != ')') {
            i = CompleteTypeEnd(sig, i, depth + 1);
            if (i == std::string::npos)
                return i;
        }
        return i < sig.size() ? i + 1 : std::string::npos;
    }
    case '{': {
        // A dict entry: a basic key and one complete value; only valid as an array's element, which
        // the caller does not check: a reader that skips it needs no more than its shape.
        const std::size_t key = CompleteTypeEnd(sig, at + 1, depth + 1);
        if (key == std::string::npos || key != at + 2)
            return std::string::npos;
        const std::size_t value = CompleteTypeEnd(sig, key, depth + 1);
        return value < sig.size() && sig[value] == '}' ? value + 1 : std::string::npos;
    }
    default: return std::string::npos;
    }
}

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size, bool big) : data_(data), size_(size), big_(big) {}

    bool align(std::size_t n) {
        const std::size_t to = (pos_ + n - 1) / n * n;
        if (to > size_)
            return false;
        pos_ = to;
        return true;
    }
    bool byte(std::uint8_t& out) {
        if (pos_ + 1 > size_)
            return false;
        out = data_[pos_++];
        return true;
    }
    bool u32(std::uint32_t& out) {
        if (!align(4) || pos_ + 4 > size_)
            return false;
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t b = data_[pos_ + (big_ ? 3 - i : i)];
            out |= b << (8 * i);
        }
        pos_ += 4;
        return true;
    }
    bool skip(std::size_t alignment, std::size_t n) {
        if (!align(alignment) || pos_ + n > size_)
            return false;
        pos_ += n;
        return true;
    }
    // s and o: length, bytes, NUL.
    bool string(std::string& out) {
        std::uint32_t length = 0;
        if (!u32(length) || length >= size_ - pos_ || data_[pos_ + length] != 0)
            return false;
        out.assign(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length + 1;
        return out.find('\0') == std::string::npos;
    }
    bool signature(std::string& out) {
        std::uint8_t length = 0;
        if (!byte(length) || length >= size_ - pos_ || data_[pos_ + length] != 0)
            return false;
        out.assign(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length + 1;
        for (std::size_t i = 0; i < out.size(); i = CompleteTypeEnd(out, i))
            if (CompleteTypeEnd(out, i) == std::string::npos)
                return false;
        return true;
    }
    // Steps over one value of the complete type sig[at, end).
    bool value(const std::string& sig, std::size_t at, int depth = 0) {
        if (depth > kMaxDepth)
            return false;
        const char type = sig[at];
        switch (type) {
        case 'y': return skip(1, 1);
        case 'n':
        case 'q': return skip(2, 2);
        case 'b': {
            std::uint32_t v = 0;
            return u32(v) && v <= 1;
        }
        case 'i':
        case 'u':
        case 'h': return skip(4, 4);
        case 'x':
        case 't':
        case 'd': return skip(8, 8);
        case 's':
        case 'o': {
            std::string ignored;
            return string(ignored);
        }
        case 'g': {
            std::string ignored;
            return signature(ignored);
        }
        case 'v': {
            std::string inner;
            if (!signature(inner) || inner.empty() || CompleteTypeEnd(inner, 0) != inner.size())
                return false;
            return value(inner, 0, depth + 1);
        }
        case 'a': {
            std::uint32_t length = 0;
            if (!u32(length) || length > kMaxArrayBytes || !align(AlignmentOf(sig[at + 1])))
                return false;
            const std::size_t end = pos_ + length;
            if (end > size_)
                return false;
            while (pos_ < end)
                if (!value(sig, at + 1, depth + 1))
                    return false;
            return pos_ == end;
        }
        case '(':
        case '{': {
            if (!align(8))
                return false;
            const std::size_t close = CompleteTypeEnd(sig, at) - 1;
            for (std::size_t i = at + 1; i < close; i = CompleteTypeEnd(sig, i))
                if (!value(sig, i, depth + 1))
                    return false;
            return true;
        }
        default: return false;
        }
    }
    std::size_t pos() const { return pos_; }
    void seek(std::size_t to) { pos_ = to; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    bool big_;
    std::size_t pos_ = 0;
};

std::uint32_t ReadU32(const std::uint8_t* p, bool big) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(p[big ? 3 - i : i]) << (8 * i);
    return v;
}

} // namespace

std::vector<std::uint8_t> DBusMessage::MethodCall(std::uint32_t serial, const std::string& destination,
                                                  const std::string& path, const std::string& interface,
                                                  const std::string& member, const std::vector<Argument>& arguments) {
    std::string signature;
    Writer body;
    for (const Argument& argument : arguments) {
        if (const auto* text = std::get_if<std::string>(&argument)) {
            signature += 's';
            body.string(*text);
        } else if (const auto* list = std::get_if<std::vector<std::string>>(&argument)) {
            signature += "as";
            body.u32(0);
            const std::size_t lengthAt = body.bytes.size() - 4;
            const std::size_t start = body.bytes.size(); // strings are 4-aligned: no padding here
            for (const std::string& item : *list)
                body.string(item);
            body.putU32At(lengthAt, static_cast<std::uint32_t>(body.bytes.size() - start));
        } else {
            signature += 'b';
            body.u32(std::get<bool>(argument) ? 1 : 0);
        }
    }
    Writer message;
    for (std::uint8_t b : {std::uint8_t('l'), std::uint8_t(Type::MethodCall), kNoAutoStart, kProtocolVersion})
        message.byte(b);
    message.u32(static_cast<std::uint32_t>(body.bytes.size()));
    message.u32(serial);
    message.u32(0); // the field array's length, filled in below
    message.field(kFieldPath, 'o', path);
    if (!interface.empty())
        message.field(kFieldInterface, 's', interface);
    message.field(kFieldMember, 's', member);
    if (!destination.empty())
        message.field(kFieldDestination, 's', destination);
    if (!signature.empty())
        message.field(kFieldSignature, 'g', signature);
    message.putU32At(kFixedHeaderBytes, static_cast<std::uint32_t>(message.bytes.size() - kFieldsStart));
    message.align(8);
    message.bytes.insert(message.bytes.end(), body.bytes.begin(), body.bytes.end());
    return message.bytes;
}

std::optional<std::size_t> DBusMessage::Length(const std::uint8_t* buffer, std::size_t size) {
    if (size < kFieldsStart)
        return std::size_t(0);
    if ((buffer[0] != 'l' && buffer[0] != 'B') || buffer[3] != kProtocolVersion)
        return std::nullopt;
    const bool big = buffer[0] == 'B';
    const std::uint64_t body = ReadU32(buffer + 4, big);
    const std::uint64_t fields = ReadU32(buffer + kFixedHeaderBytes, big);
    const std::uint64_t header = (kFieldsStart + fields + 7) / 8 * 8;
    if (header + body > kMaxMessageBytes)
        return std::nullopt;
    return static_cast<std::size_t>(header + body);
}

std::optional<DBusMessage::Received> DBusMessage::Parse(const std::uint8_t* buffer, std::size_t size) {
    const std::optional<std::size_t> length = Length(buffer, size);
    if (!length || *length == 0 || *length > size)
        return std::nullopt;
    const bool big = buffer[0] == 'B';
    Received message;
    message.type = static_cast<Type>(buffer[1]);
    message.serial = ReadU32(buffer + 8, big);
    const std::size_t bodyBytes = ReadU32(buffer + 4, big);
    const std::size_t bodyStart = *length - bodyBytes;
    const std::size_t fieldsEnd = kFieldsStart + ReadU32(buffer + kFixedHeaderBytes, big);

    Reader reader(buffer, *length, big);
    reader.seek(kFieldsStart);
    while (reader.pos() < fieldsEnd) {
        std::uint8_t code = 0;
        std::string type;
        if (!reader.align(8) || !reader.byte(code) || !reader.signature(type) || type.size() != 1)
            return std::nullopt;
        // The fields this client reads have fixed types; any other is stepped over.
        if ((code == kFieldErrorName && type == "s") || (code == kFieldSignature && type == "g")) {
            std::string& out = code == kFieldErrorName ? message.errorName : message.signature;
            if (!(type == "s" ? reader.string(out) : reader.signature(out)))
                return std::nullopt;
        } else if (code == kFieldReplySerial && type == "u") {
            std::uint32_t serial = 0;
            if (!reader.u32(serial))
                return std::nullopt;
            message.replySerial = serial;
        } else if (!reader.value(type, 0)) {
            return std::nullopt;
        }
    }
    if (reader.pos() != fieldsEnd)
        return std::nullopt;

    // The body, at its 8-aligned start; alignment counts from the message's first byte.
    reader.seek(bodyStart);
    for (std::size_t i = 0; i < message.signature.size(); i = CompleteTypeEnd(message.signature, i)) {
        const std::string& sig = message.signature;
        if (sig[i] == 's' || sig[i] == 'o') {
            std::string text;
            if (!reader.string(text))
                return std::nullopt;
            message.texts.push_back(std::move(text));
        } else if (sig[i] == 'b') {
            std::uint32_t v = 0;
            if (!reader.u32(v) || v > 1)
                return std::nullopt;
            message.texts.emplace_back(v ? "true" : "false");
        } else if (sig.compare(i, 2, "as") == 0) {
            std::uint32_t bytes = 0;
            if (!reader.u32(bytes) || bytes > kMaxArrayBytes || reader.pos() + bytes > *length)
                return std::nullopt;
            const std::size_t end = reader.pos() + bytes;
            while (reader.pos() < end) {
                std::string text;
                if (!reader.string(text))
                    return std::nullopt;
                message.texts.push_back(std::move(text));
            }
            if (reader.pos() != end)
                return std::nullopt;
        } else if (!reader.value(sig, i)) {
            return std::nullopt;
        }
    }
    if (reader.pos() != *length)
        return std::nullopt;
    return message;
}

} // namespace vexo
