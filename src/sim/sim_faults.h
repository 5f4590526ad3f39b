// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>

#include "platform/hid_backend.h"

namespace vexo {

// Ways the simulated mouse can misbehave. All off by default.
struct SimFaults {
    // An unsupported mouse: echoes the plain probe and does not understand scrambled packets.
    bool echoPlainProbe = false;
    // Every feature report the mouse answers is random bytes.
    bool garbageAnswers = false;
    // When not 0: colour block reads announce this length and send that many bytes of block reports.
    std::uint8_t announcedBlockLength = 0;
    // Block reports nobody read stay queued for the next read, as in a real device's input queue,
    // instead of going with the next command.
    bool keepUnreadReports = false;
    // When >= 0: indexed reads (LED sets, colour blocks) answer with this index instead of the one asked.
    int answeredIndex = -1;
    // The HID calls on the command collection fail.
    bool failSet = false;
    bool failGet = false;
    bool failRead = false;
    bool failWrite = false;
    // Short transfers on the command collection, as a driver reports them: when >= 0, the call moves
    // only this many bytes (report ID included) and returns that count instead of the whole report.
    // A short set or write does not reach the firmware; a short get or read hands over the first bytes.
    int shortSet = -1;
    int shortGet = -1;
    int shortRead = -1;
    int shortWrite = -1;
    // When >= 0: the mouse is unplugged once this many feature reports have been set since the faults
    // were installed (the next set fails).
    int unplugAfterSets = -1;
    // The command collection is enumerated before the notification collection.
    bool commandCollectionFirst = false;
    // When not None: the vendor collections' report descriptors cannot be read or parsed.
    HidCollectionInfo::Failure descriptorFailure = HidCollectionInfo::Failure::None;
    // The vendor collections announce reports longer than the program's buffers.
    bool oversizedReportLengths = false;
};

} // namespace vexo
