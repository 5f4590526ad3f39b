// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "device/device_image.h"

#include <stdexcept>

namespace vexo {

std::span<std::uint8_t> DeviceImage::colourBlock(std::size_t index) {
    switch (index) {
    case 0: return colourBlock0;
    case 1: return colourBlock1;
    case 2: return colourBlock2;
    default: throw std::out_of_range("colour block index");
    }
}

std::span<const std::uint8_t> DeviceImage::colourBlock(std::size_t index) const {
    return const_cast<DeviceImage*>(this)->colourBlock(index);
}

} // namespace vexo
