// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "config/factory_config_file.h"

#include <algorithm>

#include "config/factory_record.h"

namespace vexo {

std::array<std::uint8_t, ConfigStore::kFileSize> FactoryConfigFile() {
    std::array<std::uint8_t, ConfigStore::kFileSize> file{};
    const ConfigRecord r = FactoryRecord();
    std::copy(r.bytes().begin(), r.bytes().end(), file.begin() + 1);
    return file;
}

} // namespace vexo
