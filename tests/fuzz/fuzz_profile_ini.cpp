// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

// The INI reader and editor on arbitrary bytes: no crash, an unedited file serialises back byte for
// byte, and an edit never lets a value add a section.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/ini_document.h"
#include "config/utf_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vexo::IniDocument doc = vexo::IniDocument::parse(bytes);
    if (doc.serialise() != bytes) {
        __builtin_trap();
    }
    const auto names = doc.sectionNames();
    for (const auto& name : names) {
        if (auto v = doc.value(name, "Item1"); v && vexo::utf::sanitize(*v) != *v) {
            __builtin_trap(); // values are always well-formed UTF-8
        }
    }
    // Use the first bytes as an injected value: whatever it holds, one section at most is added.
    const std::string value(bytes.substr(0, 64));
    doc.set("Setting-EN", "Item1", value);
    const vexo::IniDocument again = vexo::IniDocument::parse(doc.serialise());
    if (again.sectionNames().size() > names.size() + 1) {
        __builtin_trap();
    }
    return 0;
}
