// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstdint>

#include "config/config_store.h"

namespace vexo {

// The delivered config.bin: first-run flag 0, then the factory record (FactoryRecord).
std::array<std::uint8_t, ConfigStore::kFileSize> FactoryConfigFile();

} // namespace vexo
