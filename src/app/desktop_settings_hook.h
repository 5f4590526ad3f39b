#pragma once

namespace vexo {

// Applies the advanced page's desktop pointer settings after an Apply. The settings themselves come
// with the advanced page; until then the shell uses PendingDesktopSettings, which changes nothing.
class DesktopSettingsHook {
public:
    virtual ~DesktopSettingsHook() = default;
    virtual void apply() = 0;
};

// Placeholder until the desktop pointer settings exist: Apply changes nothing on the desktop.
class PendingDesktopSettings final : public DesktopSettingsHook {
public:
    void apply() override {}
};

} // namespace vexo
