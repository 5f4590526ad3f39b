// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <memory>
#include <optional>
#include <string>

#include "device/device_commands.h"
#include "device/device_image.h"
#include "device/hid_link.h"
#include "device/transport.h"
#include "platform/device_monitor.h"

namespace vexo {

// The device link as the application shell drives it: start-up, device changes and shutdown over one
// HidLink, its Transport, the DeviceImage and the command set. All calls on one thread (the main
// window's); notices reach the listener as the link and the input thread produce them.
class DeviceSession {
public:
    DeviceSession(HidBackend& backend, Pauser& pauser, Prompter& prompter, DeviceNoticeListener& listener,
                  std::string applicationTitle);
    ~DeviceSession();

    // Replaces where the input thread's notices go (default: the listener's deviceNotice on the
    // input thread). Only before start(). A receiver that waits for the thread which later calls
    // shutdown() must be released before that call: shutdown() joins the input thread.
    void setNoticeReceiver(NoticeReceiver receiver);

    // Start-up: OpenMouse and the handshake (notice 14 or 15); without a mouse notice 15 and
    // mousePresent 0. Then the input thread is created, suspended, and resumed when a mouse is present;
    // if no thread can be started, the message "CreateEvent failed." is shown and the session works
    // on without the mouse's own notices.
    void start();

    // A hot-plug notice. Changes of other devices are ignored. Arrival: open, handshake and, with a
    // usable mouse, the sensor block read back with bit 6 of Option2 set; the input thread is resumed.
    // Removal: reopen (another interface may remain), else notice 15, main window hidden, mouse absent.
    void handleDeviceChange(const DeviceChange& change);

    // Stops the input thread and closes the mouse. Idempotent.
    void shutdown();

    bool mousePresent() const { return link_.mousePresent() == 1; }
    // The sensor type byte of the last sensor block read (for the DPI tables), if any.
    std::optional<std::uint8_t> sensorType() const { return sensorType_; }
    // The connection steps every arrival and the first showing run: reads the sensor block, keeps
    // its sensor type, sets the connected bit of Option2 and writes the block back. A read that does
    // not come back whole writes nothing (the block would go back as zeros) and keeps the sensor
    // type of the last good read; returns false then, or when the write failed.
    bool connectSensorBlock();

    HidLink& link() { return link_; }
    Transport& transport() { return transport_; }
    DeviceCommands& commands() { return commands_; }
    DeviceImage& image() { return image_; }

private:
    void markAbsent();

    HidLink link_;
    Transport transport_;
    DeviceImage image_;
    DeviceCommands commands_;
    NoticeReceiver receiver_;
    std::optional<std::uint8_t> sensorType_;
};

} // namespace vexo
