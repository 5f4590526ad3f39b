// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/hid_link.h"

#include <cerrno>
#include <system_error>

namespace vexo {

HidLink::HidLink(HidBackend& backend, Prompter& prompter, DeviceNoticeListener& listener, std::string applicationTitle)
    : backend_(backend), prompter_(prompter), listener_(listener), applicationTitle_(std::move(applicationTitle)) {}

HidLink::~HidLink() { shutdown(); }

void HidLink::setMousePresent(int present) {
    mousePresent_.store(present);
    if (inputThread_)
        inputThread_->wake();
}

bool HidLink::createInputThread(NoticeReceiver receiver) {
    if (inputThread_)
        return true;
    try {
        inputThread_ = std::make_unique<InputThread>(mousePresent_, std::move(receiver));
    } catch (const std::system_error&) {
        // Out of threads: configuring the mouse still works, only its own notices go unseen.
        prompter_.message(kInputThreadFailedText, applicationTitle_);
        return false;
    }
    if (notifyDevice_)
        inputThread_->setDevice(notifyDevice_.get(), notifyReportLength);
    return true;
}

void HidLink::shutdown() {
    if (inputThread_)
        inputThread_->stop();
    notifyDevice_.reset();
    commandDevice_.reset();
}

void HidLink::replaceNotifyDevice(std::unique_ptr<HidDevice> device, std::uint16_t reportLength) {
    // The thread lets go of the old handle before it is closed.
    if (inputThread_)
        inputThread_->setDevice(device.get(), reportLength);
    notifyDevice_ = std::move(device);
    notifyReportLength = reportLength;
}

void HidLink::openFailed(const std::string& path) {
    // Otherwise the user only hears that no mouse was found, with the mouse in plain sight.
    const int error = backend_.lastOpenError();
    if ((error == EACCES || error == EPERM) && !permissionReported_) {
        permissionReported_ = true;
        prompter_.message(std::string(kNoPermissionText) + path +
                              ".\nInstall the program's udev rule (see README), then plug the mouse in again.",
                          applicationTitle_);
    }
}

int HidLink::closeMouse() {
    replaceNotifyDevice(nullptr, 0);
    commandDevice_.reset();
    return 0;
}

int HidLink::OpenMouse() {
    // Whatever was open belongs to the mouse as it was; until the handshake passes on what is opened
    // now, no mouse counts as present.
    setMousePresent(0);
    const std::vector<HidCollectionInfo> collections = backend_.enumerate();
    const HidCollectionInfo* notify = nullptr;
    const HidCollectionInfo* command = nullptr;
    // Both collections are looked for in the whole list: the system may list the command collection
    // first (Linux lists hidraw nodes in sysfs order), and stopping there would lose every notice.
    for (const HidCollectionInfo& info : collections) {
        devicePath_ = info.path;
        if (info.vendorId != kVendorId || info.productId != kProductId)
            continue;
        if (info.failure == HidCollectionInfo::Failure::Descriptor) {
            prompter_.message(kPreparsedFailedText, applicationTitle_);
            return closeMouse();
        }
        if (info.failure == HidCollectionInfo::Failure::Capabilities) {
            prompter_.message(kCapsFailedText, applicationTitle_);
            return closeMouse();
        }
        if (info.usagePage == kNotifyUsagePage && info.usage == kNotifyUsage && info.inputReportLength != 0) {
            if (notify == nullptr && info.inputReportLength <= InputThread::kBufferSize)
                notify = &info;
            continue;
        }
        if (info.usagePage == kCommandUsagePage && info.usage == kCommandUsage && info.featureReportLength != 0) {
            if (command == nullptr && info.featureReportLength <= kFeatureBufferSize &&
                info.inputReportLength <= kBlockBufferSize && info.outputReportLength <= kBlockBufferSize)
                command = &info;
        }
    }
    if (command == nullptr)
        return closeMouse();

    devicePath_ = command->path;
    auto device = backend_.open(command->path, HidBackend::Access::ReadWrite);
    if (!device) {
        // The notification collection alone would make a mouse that cannot be configured look present.
        openFailed(command->path);
        return closeMouse();
    }
    commandDevice_ = std::move(device);
    featureReportLength = command->featureReportLength;
    inputReportLength = command->inputReportLength;
    outputReportLength = command->outputReportLength;

    std::unique_ptr<HidDevice> notifyDevice;
    if (notify != nullptr) {
        notifyDevice = backend_.open(notify->path, HidBackend::Access::Read);
        if (!notifyDevice)
            openFailed(notify->path);
    }
    const std::uint16_t notifyLength = notifyDevice ? notify->inputReportLength : 0;
    replaceNotifyDevice(std::move(notifyDevice), notifyLength);
    return 1;
}

} // namespace vexo
