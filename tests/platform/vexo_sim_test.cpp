// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The virtual mouse of vexo-sim without /dev/uhid: its descriptors, the uhid event encoding, and
// the whole device link driven through the same requests the kernel would make.
#include "platform/linux/hidraw_backend.h"
#include "platform/linux/hidraw_device.h"
#include "platform/linux/report_descriptor.h"
#include "sim_descriptors.h"
#include "uhid_bridge.h"
#include "uhid_codec.h"

#include "device/device_commands.h"
#include "device/device_image.h"
#include "device/hid_link.h"
#include "device/transport.h"
#include "sim/recording_pauser.h"
#include "support/recording_prompter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <sys/socket.h>
#include <unistd.h>

namespace vexo {
namespace {

TEST(VexoSimDescriptorTest, InterfacesAnnounceTheLengthsTheFirmwareUses) {
    const auto command = ReportDescriptor::parse(kCommandInterfaceDescriptor);
    ASSERT_TRUE(command);
    EXPECT_FALSE(command->usesReportIds) << "command packets travel with report ID 0";
    ASSERT_EQ(command->collections.size(), 1u);
    EXPECT_EQ(command->collections[0].usagePage, HidLink::kCommandUsagePage);
    EXPECT_EQ(command->collections[0].usage, HidLink::kCommandUsage);
    EXPECT_EQ(command->collections[0].featureReportLength, SimMouse::kAnnouncedFeatureLength);
    EXPECT_EQ(command->collections[0].inputReportLength, SimMouse::kAnnouncedBlockLength);
    EXPECT_EQ(command->collections[0].outputReportLength, SimMouse::kAnnouncedBlockLength);

    const auto notification = ReportDescriptor::parse(kNotificationInterfaceDescriptor);
    ASSERT_TRUE(notification);
    EXPECT_TRUE(notification->usesReportIds);
    ASSERT_EQ(notification->collections.size(), 1u);
    EXPECT_EQ(notification->collections[0].usagePage, HidLink::kNotifyUsagePage);
    EXPECT_EQ(notification->collections[0].usage, HidLink::kNotifyUsage);
    EXPECT_EQ(notification->collections[0].inputReportLength, SimMouse::kAnnouncedNotifyLength);
    EXPECT_EQ(notification->collections[0].featureReportLength, 0);
    EXPECT_EQ(notification->collections[0].outputReportLength, 0);
}

TEST(UhidCodecTest, EncodesTheEventsTheDeviceSends) {
    const auto create = UhidCodec::create("VEXO T58 simulated", 0x04D9, 0xA09F, kCommandInterfaceDescriptor);
    ASSERT_TRUE(create);
    EXPECT_EQ(create->type, UHID_CREATE2);
    EXPECT_STREQ(reinterpret_cast<const char*>(create->u.create2.name), "VEXO T58 simulated");
    EXPECT_EQ(create->u.create2.bus, 0x03);
    EXPECT_EQ(create->u.create2.vendor, 0x04D9u);
    EXPECT_EQ(create->u.create2.product, 0xA09Fu);
    ASSERT_EQ(create->u.create2.rd_size, kCommandInterfaceDescriptor.size());
    EXPECT_TRUE(
        std::equal(kCommandInterfaceDescriptor.begin(), kCommandInterfaceDescriptor.end(), create->u.create2.rd_data));
    EXPECT_FALSE(UhidCodec::create(std::string(128, 'x'), 1, 2, kCommandInterfaceDescriptor)) << "name too long";
    EXPECT_FALSE(UhidCodec::create("x", 1, 2, std::vector<std::uint8_t>(4097, 0))) << "descriptor too long";
    EXPECT_FALSE(UhidCodec::create("x", 1, 2, {})) << "no descriptor";

    // Replies and input reports are checked on their way through the kernel path below; here
    // only what that path cannot reach.
    EXPECT_FALSE(UhidCodec::input(std::vector<std::uint8_t>(UHID_DATA_MAX + 1, 0)));
    EXPECT_FALSE(UhidCodec::getReportReply(1, 0, std::vector<std::uint8_t>(UHID_DATA_MAX + 1, 0)));
    const std::vector<std::uint8_t> answer = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const auto failed = UhidCodec::getReportReply(43, EIO, answer);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->u.get_report_reply.err, EIO);
    EXPECT_EQ(failed->u.get_report_reply.size, 0) << "a failed reply carries no data";
}

TEST(UhidCodecTest, DecodesKernelRequestsAndRejectsMalformedOnes) {
    uhid_event set{};
    set.type = UHID_SET_REPORT;
    set.u.set_report.id = 7;
    set.u.set_report.rnum = 0;
    set.u.set_report.rtype = UHID_FEATURE_REPORT;
    set.u.set_report.size = 3;
    set.u.set_report.data[0] = 0;
    set.u.set_report.data[1] = 0xAA;
    set.u.set_report.data[2] = 0xDD;
    const auto decoded = UhidCodec::decode(set, sizeof set);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->kind, UhidRequest::Kind::SetReport);
    EXPECT_EQ(decoded->reportType, UhidRequest::ReportType::Feature);
    EXPECT_EQ(decoded->id, 7u);
    EXPECT_EQ(decoded->data, (std::vector<std::uint8_t>{0, 0xAA, 0xDD}));

    // The event may end right after its data; one byte less is cut off.
    const std::size_t exact = 4 + 8 + 3;
    EXPECT_TRUE(UhidCodec::decode(set, exact));
    EXPECT_FALSE(UhidCodec::decode(set, exact - 1));
    set.u.set_report.size = UHID_DATA_MAX + 1;
    EXPECT_FALSE(UhidCodec::decode(set, sizeof set)) << "size beyond the data area";

    uhid_event get{};
    get.type = UHID_GET_REPORT;
    get.u.get_report.id = 9;
    get.u.get_report.rnum = 6;
    get.u.get_report.rtype = UHID_INPUT_REPORT;
    const auto getDecoded = UhidCodec::decode(get, sizeof get);
    ASSERT_TRUE(getDecoded);
    EXPECT_EQ(getDecoded->kind, UhidRequest::Kind::GetReport);
    EXPECT_EQ(getDecoded->reportType, UhidRequest::ReportType::Input);
    EXPECT_EQ(getDecoded->reportNumber, 6);
    EXPECT_EQ(getDecoded->id, 9u);

    uhid_event output{};
    output.type = UHID_OUTPUT;
    output.u.output.size = 33;
    output.u.output.rtype = UHID_OUTPUT_REPORT;
    output.u.output.data[32] = 0x5A;
    const auto outDecoded = UhidCodec::decode(output, sizeof output);
    ASSERT_TRUE(outDecoded);
    EXPECT_EQ(outDecoded->kind, UhidRequest::Kind::Output);
    ASSERT_EQ(outDecoded->data.size(), 33u);
    EXPECT_EQ(outDecoded->data[32], 0x5A);
    output.u.output.size = UHID_DATA_MAX + 1;
    EXPECT_FALSE(UhidCodec::decode(output, sizeof output));

    uhid_event start{};
    start.type = UHID_START;
    const auto startDecoded = UhidCodec::decode(start, 4); // short events count as zero-extended
    ASSERT_TRUE(startDecoded);
    EXPECT_EQ(startDecoded->kind, UhidRequest::Kind::Start);
    start.type = 999;
    EXPECT_EQ(UhidCodec::decode(start, sizeof start)->kind, UhidRequest::Kind::Other);
    EXPECT_FALSE(UhidCodec::decode(start, 3)) << "shorter than the type";
    EXPECT_FALSE(UhidCodec::decode(start, sizeof start + 1));
}

// Stands in for the kernel between the device link and vexo-sim: every HID call becomes the uhid
// request hidraw makes and is answered by the bridges; input reports the bridges send arrive in a
// datagram socket that the Linux device's own read path reads, as from a hidraw node.
class KernelPath final : public HidBackend {
public:
    explicit KernelPath(std::shared_ptr<SimMouse> mouse)
        : mouse_(std::move(mouse)),
          command_(mouse_, UhidBridge::Interface::Command, [this](const uhid_event& e) { route(e, commandInput_); }),
          notification_(mouse_, UhidBridge::Interface::Notification,
                        [this](const uhid_event& e) { route(e, notificationInput_); }) {
        for (int* pair : {commandInput_, notificationInput_})
            EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair), 0);
    }
    ~KernelPath() override {
        for (int fd : {commandInput_[0], commandInput_[1], notificationInput_[0], notificationInput_[1]})
            ::close(fd);
    }

    std::vector<HidCollectionInfo> enumerate() override {
        auto list = HidrawBackend::collectionsOf("uhid/notification", 0x04D9, 0xA09F,
                                                 toVector(kNotificationInterfaceDescriptor));
        auto command =
            HidrawBackend::collectionsOf("uhid/command", 0x04D9, 0xA09F, toVector(kCommandInterfaceDescriptor));
        list.insert(list.end(), command.begin(), command.end());
        return list;
    }
    int lastOpenError() const override { return 0; }
    std::unique_ptr<HidDevice> open(const std::string& path, Access) override {
        const bool isCommand = path == "uhid/command";
        const auto& descriptor = isCommand ? std::span<const std::uint8_t>(kCommandInterfaceDescriptor)
                                           : std::span<const std::uint8_t>(kNotificationInterfaceDescriptor);
        const bool ids = ReportDescriptor::parse(descriptor)->usesReportIds;
        const int readFd = ::dup(isCommand ? commandInput_[0] : notificationInput_[0]);
        return std::make_unique<Device>(*this, isCommand ? command_ : notification_,
                                        HidrawDevice::readOnlyOver(readFd, ids));
    }

    UhidBridge& notificationBridge() { return notification_; }
    int badReplies = 0;

private:
    template <std::size_t N>
    static std::vector<std::uint8_t> toVector(const std::array<std::uint8_t, N>& a) {
        return {a.begin(), a.end()};
    }

    void route(const uhid_event& e, int* input) {
        if (e.type == UHID_INPUT2)
            ASSERT_EQ(::write(input[1], e.u.input2.data, e.u.input2.size), e.u.input2.size);
        else
            replies_.push_back(e);
    }

    // Sends one request through the codec, as the kernel's event would arrive, and takes the reply.
    std::optional<uhid_event> request(UhidBridge& bridge, const uhid_event& event) {
        const auto decoded = UhidCodec::decode(event, sizeof event);
        if (!decoded)
            return std::nullopt;
        bridge.handle(*decoded);
        if (replies_.empty())
            return std::nullopt;
        uhid_event reply = replies_.front();
        replies_.pop_front();
        return reply;
    }

    class Device final : public HidDevice {
    public:
        Device(KernelPath& path, UhidBridge& bridge, std::unique_ptr<HidrawDevice> reader)
            : path_(path), bridge_(bridge), reader_(std::move(reader)) {}
        int setFeature(std::span<const std::uint8_t> report) override {
            uhid_event e{};
            e.type = UHID_SET_REPORT;
            e.u.set_report.id = ++path_.nextId_;
            e.u.set_report.rnum = report[0];
            e.u.set_report.rtype = UHID_FEATURE_REPORT;
            e.u.set_report.size = static_cast<__u16>(report.size());
            std::copy(report.begin(), report.end(), e.u.set_report.data);
            const auto reply = path_.request(bridge_, e);
            if (!reply || reply->type != UHID_SET_REPORT_REPLY || reply->u.set_report_reply.id != path_.nextId_) {
                ++path_.badReplies;
                return -1;
            }
            return reply->u.set_report_reply.err == 0 ? static_cast<int>(report.size()) : -1;
        }
        int getFeature(std::span<std::uint8_t> report) override {
            uhid_event e{};
            e.type = UHID_GET_REPORT;
            e.u.get_report.id = ++path_.nextId_;
            e.u.get_report.rnum = report[0];
            e.u.get_report.rtype = UHID_FEATURE_REPORT;
            const auto reply = path_.request(bridge_, e);
            if (!reply || reply->type != UHID_GET_REPORT_REPLY || reply->u.get_report_reply.id != path_.nextId_) {
                ++path_.badReplies;
                return -1;
            }
            if (reply->u.get_report_reply.err != 0)
                return -1;
            const std::size_t n = std::min<std::size_t>(report.size(), reply->u.get_report_reply.size);
            std::copy_n(reply->u.get_report_reply.data, n, report.begin());
            return static_cast<int>(n);
        }
        int write(std::span<const std::uint8_t> report) override {
            uhid_event e{};
            e.type = UHID_OUTPUT;
            e.u.output.size = static_cast<__u16>(report.size());
            e.u.output.rtype = UHID_OUTPUT_REPORT;
            std::copy(report.begin(), report.end(), e.u.output.data);
            path_.request(bridge_, e);
            return static_cast<int>(report.size());
        }
        int read(std::span<std::uint8_t> report) override { return reader_->read(report); }
        void discardInput() override { reader_->discardInput(); }
        void cancelRead() override { reader_->cancelRead(); }

    private:
        KernelPath& path_;
        UhidBridge& bridge_;
        std::unique_ptr<HidrawDevice> reader_;
    };

    std::shared_ptr<SimMouse> mouse_;
    int commandInput_[2] = {-1, -1};
    int notificationInput_[2] = {-1, -1};
    UhidBridge command_;
    UhidBridge notification_;
    std::deque<uhid_event> replies_;
    std::uint32_t nextId_ = 0;
};

class NoticeLog final : public DeviceNoticeListener {
public:
    void deviceNotice(std::uint8_t kind, std::uint8_t value) override { notices.push_back({kind, value}); }
    void hideMainWindow() override {}
    std::vector<std::pair<std::uint8_t, std::uint8_t>> notices;
};

TEST(VexoSimKernelPathTest, TheDeviceLinkWorksThroughUhidRequests) {
    auto mouse = std::make_shared<SimMouse>(2);
    KernelPath kernel(mouse);
    test::RecordingPrompter prompter;
    NoticeLog listener;
    HidLink link(kernel, prompter, listener, "VEXO T58");
    ASSERT_EQ(link.OpenMouse(), 1);
    EXPECT_TRUE(link.hasNotifyDevice());
    EXPECT_EQ(link.featureReportLength, 9);
    EXPECT_EQ(link.inputReportLength, 33);
    EXPECT_EQ(link.outputReportLength, 33);
    EXPECT_EQ(link.notifyReportLength, 9);

    RecordingPauser pauser;
    Transport transport(link, pauser);
    transport.PerformHandshake();
    EXPECT_EQ(link.mousePresent(), 1);
    EXPECT_EQ(link.scramblingOn, 1);
    ASSERT_FALSE(listener.notices.empty());
    EXPECT_EQ(listener.notices.back().first, kNoticeMousePresent);

    // A block read comes back through input reports without report ID on the wire.
    DeviceImage image;
    DeviceCommands commands(transport, image);
    commands.ReadSensorBlock();
    EXPECT_EQ(image.sensor, mouse->blocks().sensor);
    EXPECT_EQ(image.sensor[0], 2) << "the sensor type chosen for the firmware";
    commands.ReadLedSets();
    EXPECT_EQ(image.ledSets, mouse->blocks().ledSets);

    // A block write reaches the firmware through output reports.
    for (auto& set : image.ledSets)
        for (auto& b : set)
            b = static_cast<std::uint8_t>(b ^ 0x5A);
    commands.WriteLedSets();
    EXPECT_EQ(mouse->blocks().ledSets, image.ledSets);
    EXPECT_EQ(mouse->badChecksums(), 0);
    EXPECT_EQ(kernel.badReplies, 0);
}

TEST(VexoSimKernelPathTest, NoticesArriveWithTheirReportIdOnTheNotificationInterface) {
    auto mouse = std::make_shared<SimMouse>();
    KernelPath kernel(mouse);
    auto notification = kernel.open("uhid/notification", HidBackend::Access::Read);
    mouse->pushNotice(kNoticeDpiStage, 3);
    std::array<std::uint8_t, 40> report{};
    bool cancelled = false;
    const int n = mouse->readNotice(mouse->epoch(), report, cancelled);
    ASSERT_GT(n, 0);
    ASSERT_TRUE(kernel.notificationBridge().forwardNotice(std::span(report).first(static_cast<std::size_t>(n))));

    std::array<std::uint8_t, 40> got{};
    ASSERT_EQ(notification->read(got), 9);
    EXPECT_EQ(got[0], 6);
    EXPECT_EQ(got[1], kNoticeDpiStage);
    EXPECT_EQ(got[3], 3);

    // The notification interface takes no commands.
    const std::array<std::uint8_t, 9> packet{};
    EXPECT_EQ(notification->setFeature(packet), -1);
    std::array<std::uint8_t, 9> answer{};
    EXPECT_EQ(notification->getFeature(answer), -1);
}

} // namespace
} // namespace vexo
