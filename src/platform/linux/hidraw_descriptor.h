#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexo {

// Where sysfs shows the report descriptor of a hidraw node: "/dev/hidraw3" ->
// "/sys/class/hidraw/hidraw3/device/report_descriptor". Empty when the path names no hidraw node.
std::string hidrawSysfsDescriptorPath(const std::string& devnode);

// The raw report descriptor of a hidraw node, from sysfs (readable without access to the node)
// or else through the node itself. Nothing when neither works.
std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(const std::string& devnode);

// Whether the node or its device has gone (ENOENT, ENODEV or ENXIO on opening it or on asking it
// for its descriptor), as happens to a node listed a moment before its mouse was unplugged. False
// for anything that still answers, even with an error such as EACCES or ENOTTY.
bool hidrawNodeGone(const std::string& devnode);

// The raw report descriptor through an open hidraw descriptor (HIDIOCGRDESC).
std::optional<std::vector<std::uint8_t>> readHidrawDescriptor(int fd);

} // namespace vexo
