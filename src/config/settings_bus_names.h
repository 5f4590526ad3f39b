// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once

namespace vexo {

// Where the running window offers its settings on the session bus (docs/settings-bus.xml), shared
// by the window and by vexoctl, which uses it while the window runs. The name is the program's
// AppStream id.
struct SettingsBusNames {
    static constexpr const char* kService = "example.vexo_gaming.T58";
    static constexpr const char* kPath = "/example/vexo_gaming/T58";
    static constexpr const char* kInterface = "example.vexo_gaming.T58.Settings";
    // A name or value refused, as vexoctl set refuses it; the message lists each, one a line.
    static constexpr const char* kInvalidSetting = "example.vexo_gaming.T58.Error.InvalidSetting";
    // The request was sound but could not be carried out (files, mouse, a dialog open).
    static constexpr const char* kFailed = "example.vexo_gaming.T58.Error.Failed";
};

} // namespace vexo
