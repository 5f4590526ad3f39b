// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexo {

// Where sysfs under SYSFS_ROOT shows the report descriptor of a hidraw node: "/dev/hidraw3" ->
// "/sys/class/hidraw/hidraw3/device/report_descriptor". Empty when the path names no hidraw node.
std::string hidrawSysfsDescriptorPath(const std::string& devnode, const std::string& sysfsRoot = "/sys");

// The whole content of a small sysfs file (at most 64 KiB), read with open(2)/read(2). Nothing when
// it is missing or a read fails, as reads of a removed device's attributes do (ENODEV).
std::optional<std::vector<std::uint8_t>> readSysfsFile(const std::string& path);

// The raw report descriptor of a hidraw node, from sysfs (readable without access to the node)
// or else through the node itself. Nothing when neither works: the node is gone or going, which
// is never reported as an exception.
std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(const std::string& devnode,
                                                              const std::string& sysfsRoot = "/sys");

// The raw report descriptor through an open hidraw descriptor (HIDIOCGRDESC).
std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(int fd);

} // namespace vexo
