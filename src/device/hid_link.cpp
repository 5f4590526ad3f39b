#include "device/hid_link.h"

#include <cerrno>
#include <system_error>

namespace vexo {

HidLink::HidLink(HidBackend& backend, Prompter& prompter, DeviceNoticeListener& listener, std::string applicationTitle)
    : backend_(backend), prompter_(prompter), listener_(listener), applicationTitle_(std::move(applicationTitle)) {}

HidLink::~HidLink() { shutdown(); }

void HidLink::setMousePresent(int present) {
    mousePresent_.store(present);
    if (inputThread_) inputThread_->wake();
}

bool HidLink::createInputThread(NoticeReceiver receiver) {
    if (inputThread_) return true;
    try {
        inputThread_ = std::make_unique<InputThread>(mousePresent_, std::move(receiver));
    } catch (const std::system_error&) {
        // Out of threads: configuring the mouse still works, only its own notices go unseen.
        prompter_.message(kInputThreadFailedText, applicationTitle_);
        return false;
    }
    if (notifyDevice_) inputThread_->setDevice(notifyDevice_.get(), notifyReportLength);
    return true;
}

void HidLink::shutdown() {
    if (inputThread_) inputThread_->stop();
    notifyDevice_.reset();
    commandDevice_.reset();
}

void HidLink::replaceNotifyDevice(std::unique_ptr<HidDevice> device, std::uint16_t reportLength) {
    // The thread lets go of the old handle before it is closed.
    if (inputThread_) inputThread_->setDevice(device.get(), reportLength);
    notifyDevice_ = std::move(device);
    notifyReportLength = reportLength;
}

int HidLink::openFailed(const std::string& path) {
    // Otherwise the user only hears that no mouse was found, with the mouse in plain sight.
    const int error = backend_.lastOpenError();
    if ((error == EACCES || error == EPERM) && !permissionReported_) {
        permissionReported_ = true;
        prompter_.message(std::string(kNoPermissionText) + path +
                              ".\nInstall the program's udev rule (see README), then plug the mouse in again.",
                          applicationTitle_);
    }
    return 0;
}

int HidLink::OpenMouse() {
    const std::vector<HidCollectionInfo> collections = backend_.enumerate();
    for (const HidCollectionInfo& info : collections) {
        devicePath_ = info.path;
        if (info.vendorId != kVendorId || info.productId != kProductId) continue;
        if (info.failure == HidCollectionInfo::Failure::Descriptor) {
            prompter_.message(kPreparsedFailedText, applicationTitle_);
            return 0;
        }
        if (info.failure == HidCollectionInfo::Failure::Capabilities) {
            prompter_.message(kCapsFailedText, applicationTitle_);
            return 0;
        }
        if (info.usagePage == kNotifyUsagePage && info.usage == kNotifyUsage && info.inputReportLength != 0) {
            if (info.inputReportLength > InputThread::kBufferSize) continue;
            auto device = backend_.open(info.path, HidBackend::Access::Read);
            if (!device) return openFailed(info.path);
            replaceNotifyDevice(std::move(device), info.inputReportLength);
            continue;
        }
        if (info.usagePage == kCommandUsagePage && info.usage == kCommandUsage && info.featureReportLength != 0) {
            if (info.featureReportLength > kFeatureBufferSize || info.inputReportLength > kBlockBufferSize ||
                info.outputReportLength > kBlockBufferSize)
                continue;
            setMousePresent(1);
            auto device = backend_.open(info.path, HidBackend::Access::ReadWrite);
            if (!device) return openFailed(info.path);
            commandDevice_ = std::move(device);
            featureReportLength = info.featureReportLength;
            inputReportLength = info.inputReportLength;
            outputReportLength = info.outputReportLength;
            return 1;
        }
    }
    return 0;
}

} // namespace vexo
