// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// What the session bus, or anything posing as it, may send to the bus client: no crash and no read
// past the message on any bytes, and a parsed message never claims more than it holds.
#include <cstddef>
#include <cstdint>

#include "platform/linux/dbus_message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto length = vexo::DBusMessage::Length(data, size);
    if (!length || *length == 0 || *length > size)
        return 0;
    const auto message = vexo::DBusMessage::Parse(data, *length);
    if (message && message->signature.size() > 255)
        __builtin_trap(); // a signature is at most 255 bytes long
    return 0;
}
