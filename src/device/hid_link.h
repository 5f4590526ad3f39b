// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "device/device_notice_listener.h"
#include "device/input_thread.h"
#include "device/packet_scrambler.h"
#include "platform/hid_backend.h"
#include "platform/prompter.h"

namespace vexo {

// The device-link state, one per process: the two opened collections of the mouse, their report
// lengths, whether a usable mouse is present, the scrambling state and the input thread.
//
// Everything except mousePresent is used on the thread that drives the link (the main window's).
// The input thread reads only mousePresent and the notification device it was handed; the device is
// never replaced or closed while that thread is blocked on it.
class HidLink {
public:
    static constexpr std::uint16_t kVendorId = 0x04D9;
    static constexpr std::uint16_t kProductId = 0xA09F;
    static constexpr std::uint16_t kCommandUsagePage = 0xFF00;
    static constexpr std::uint16_t kCommandUsage = 0xFF00;
    static constexpr std::uint16_t kNotifyUsagePage = 0xFF01;
    static constexpr std::uint16_t kNotifyUsage = 0xFF01;
    // The transport's fixed report buffers. A collection announcing larger reports is not this mouse.
    static constexpr std::size_t kFeatureBufferSize = 16;
    static constexpr std::size_t kBlockBufferSize = 40;

    // Texts of the message boxes for failures while examining the mouse's collections.
    static constexpr const char* kPreparsedFailedText = "HidD_GetPreparsedData failed.\n";
    static constexpr const char* kCapsFailedText = "HidP_GetCaps failed.";
    static constexpr const char* kInputThreadFailedText = "CreateEvent failed.";
    // Shown once per process, followed by the collection's path, when the mouse is there but the
    // user may not open it (on Linux: the udev rule is missing, or the mouse was not replugged since).
    static constexpr const char* kNoPermissionText = "The gaming mouse is connected, but this user may not open it: ";

    // applicationTitle is the caption of the message boxes.
    HidLink(HidBackend& backend, Prompter& prompter, DeviceNoticeListener& listener, std::string applicationTitle);
    ~HidLink();
    HidLink(const HidLink&) = delete;
    HidLink& operator=(const HidLink&) = delete;

    // Looks for the mouse's two collections by usage page and usage, in whatever order the system
    // lists them: the first command collection is opened for reading and writing, the first
    // notification collection for reading, handed to the input thread. Returns 1 when the command
    // collection was opened, else 0 (none found, it could not be opened, or a collection's
    // capabilities could not be read, which is also shown in a message box); with 0 no collection
    // stays open. A notification collection that cannot be opened costs only the notices.
    // Collections whose announced report lengths exceed the transport's buffers are not this mouse
    // and are passed over. mousePresent is 0 afterwards: only the handshake makes the mouse present.
    // A collection the user may not open is also shown in a message box (kNoPermissionText), once.
    int OpenMouse();

    // The command collection, or nullptr before the first successful OpenMouse.
    HidDevice* commandDevice() const { return commandDevice_.get(); }
    bool hasNotifyDevice() const { return notifyDevice_ != nullptr; }
    const std::string& devicePath() const { return devicePath_; }

    std::uint16_t featureReportLength = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t notifyReportLength = 0;
    int scramblingOn = 0;
    HandshakeKeyBlock handshakeKey{};

    int mousePresent() const { return mousePresent_.load(); }
    // Also makes a waiting input thread look again.
    void setMousePresent(int present);

    DeviceNoticeListener& listener() { return listener_; }

    // Creates the input thread, suspended, delivering notices to receiver. Once only. When the
    // system cannot start a thread, shows kInputThreadFailedText and returns false: the program
    // then works on without the mouse's own notices.
    bool createInputThread(NoticeReceiver receiver);
    bool inputThreadExists() const { return inputThread_ != nullptr; }
    InputThread* inputThread() { return inputThread_.get(); }
    // Stops the input thread (waking it at once), then closes both collections.
    void shutdown();

private:
    void replaceNotifyDevice(std::unique_ptr<HidDevice> device, std::uint16_t reportLength);
    // An open of path failed: tells the user when it was for want of permission.
    void openFailed(const std::string& path);
    // Closes both collections: no usable mouse.
    int closeMouse();

    HidBackend& backend_;
    bool permissionReported_ = false;
    Prompter& prompter_;
    DeviceNoticeListener& listener_;
    std::string applicationTitle_;
    std::string devicePath_;
    std::unique_ptr<HidDevice> commandDevice_;
    std::unique_ptr<HidDevice> notifyDevice_;
    std::atomic<int> mousePresent_{0};
    std::unique_ptr<InputThread> inputThread_;
};

} // namespace vexo
