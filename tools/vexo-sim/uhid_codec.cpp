// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "uhid_codec.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace vexo {
namespace {

// The kernel ABI's sizes; a different header would mean a different wire format.
static_assert(sizeof(uhid_event) == 4380);
static_assert(sizeof(uhid_create2_req::rd_data) == 4096);
static_assert(sizeof(uhid_input2_req::data) == UHID_DATA_MAX);

constexpr std::size_t kTypeSize = sizeof(std::uint32_t);

UhidRequest::ReportType reportTypeOf(std::uint8_t rtype) {
    switch (rtype) {
    case UHID_FEATURE_REPORT: return UhidRequest::ReportType::Feature;
    case UHID_INPUT_REPORT: return UhidRequest::ReportType::Input;
    default: return UhidRequest::ReportType::Output;
    }
}

uhid_event blank(std::uint32_t type) {
    uhid_event event{};
    event.type = type;
    return event;
}

} // namespace

std::optional<uhid_event> UhidCodec::create(const std::string& name, std::uint16_t vendorId, std::uint16_t productId,
                                            std::span<const std::uint8_t> descriptor) {
    uhid_event event = blank(UHID_CREATE2);
    if (descriptor.empty() || descriptor.size() > sizeof event.u.create2.rd_data ||
        name.size() >= sizeof event.u.create2.name)
        return std::nullopt;
    std::copy(name.begin(), name.end(), event.u.create2.name);
    event.u.create2.rd_size = static_cast<__u16>(descriptor.size());
    event.u.create2.bus = 0x03; // BUS_USB, so the device looks and is named like the real one
    event.u.create2.vendor = vendorId;
    event.u.create2.product = productId;
    event.u.create2.version = 0x0100;
    event.u.create2.country = 0;
    std::copy(descriptor.begin(), descriptor.end(), event.u.create2.rd_data);
    return event;
}

uhid_event UhidCodec::destroy() { return blank(UHID_DESTROY); }

std::optional<uhid_event> UhidCodec::input(std::span<const std::uint8_t> report) {
    uhid_event event = blank(UHID_INPUT2);
    if (report.size() > sizeof event.u.input2.data)
        return std::nullopt;
    event.u.input2.size = static_cast<__u16>(report.size());
    std::copy(report.begin(), report.end(), event.u.input2.data);
    return event;
}

std::optional<uhid_event> UhidCodec::getReportReply(std::uint32_t id, std::uint16_t error,
                                                    std::span<const std::uint8_t> data) {
    uhid_event event = blank(UHID_GET_REPORT_REPLY);
    if (data.size() > sizeof event.u.get_report_reply.data)
        return std::nullopt;
    event.u.get_report_reply.id = id;
    event.u.get_report_reply.err = error;
    event.u.get_report_reply.size = static_cast<__u16>(error == 0 ? data.size() : 0);
    if (error == 0)
        std::copy(data.begin(), data.end(), event.u.get_report_reply.data);
    return event;
}

uhid_event UhidCodec::setReportReply(std::uint32_t id, std::uint16_t error) {
    uhid_event event = blank(UHID_SET_REPORT_REPLY);
    event.u.set_report_reply.id = id;
    event.u.set_report_reply.err = error;
    return event;
}

std::optional<UhidRequest> UhidCodec::decode(const uhid_event& event, std::size_t length) {
    if (length < kTypeSize || length > sizeof event)
        return std::nullopt;
    // A short event is extended with zeros, as the kernel's header asks of user space.
    uhid_event e{};
    std::memcpy(&e, &event, length);
    UhidRequest request;
    switch (e.type) {
    case UHID_START: request.kind = UhidRequest::Kind::Start; break;
    case UHID_STOP: request.kind = UhidRequest::Kind::Stop; break;
    case UHID_OPEN: request.kind = UhidRequest::Kind::Open; break;
    case UHID_CLOSE: request.kind = UhidRequest::Kind::Close; break;
    case UHID_OUTPUT: {
        const std::size_t size = e.u.output.size;
        if (size > sizeof e.u.output.data)
            return std::nullopt;
        request.kind = UhidRequest::Kind::Output;
        request.reportType = reportTypeOf(e.u.output.rtype);
        request.data.assign(e.u.output.data, e.u.output.data + size);
        break;
    }
    case UHID_GET_REPORT:
        request.kind = UhidRequest::Kind::GetReport;
        request.id = e.u.get_report.id;
        request.reportNumber = e.u.get_report.rnum;
        request.reportType = reportTypeOf(e.u.get_report.rtype);
        break;
    case UHID_SET_REPORT: {
        const std::size_t size = e.u.set_report.size;
        const std::size_t needed = kTypeSize + offsetof(uhid_set_report_req, data) + size;
        if (size > sizeof e.u.set_report.data || length < needed)
            return std::nullopt;
        request.kind = UhidRequest::Kind::SetReport;
        request.id = e.u.set_report.id;
        request.reportNumber = e.u.set_report.rnum;
        request.reportType = reportTypeOf(e.u.set_report.rtype);
        request.data.assign(e.u.set_report.data, e.u.set_report.data + size);
        break;
    }
    default: request.kind = UhidRequest::Kind::Other; break;
    }
    return request;
}

} // namespace vexo
