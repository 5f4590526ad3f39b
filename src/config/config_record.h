// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vexo {

// The two button modes of the mouse (the basic page's mode A and mode B).
enum class KeyMode : std::uint8_t { A = 0, B = 1 };

// The sixteen 12-byte per-button arrays of a button table, in table order (array k starts at 12 * k).
enum class ButtonArray : std::uint8_t {
    FunctionCode,
    MediaIndex,
    MediaCode,
    WinFuncIndex,
    WinFuncCode,
    WinFuncPage,
    FireKeyIndex,
    FireKeyCode,
    FireSpeed,
    FireTimes,
    SingleKeyCode,
    ComboModifiers,
    ComboKey1,
    ComboKey2,
    MacroSlot,
    MacroRepeatMode,
};

// Function codes: the rows of the basic page's function list.
namespace function_code {
inline constexpr std::uint8_t LeftClick = 0, RightClick = 1, MidClick = 2, Forward = 3, Backward = 4, TripleClick = 5,
                              DpiSwitch = 6, RgbOnOff = 7, Windows = 8, Multimedia = 9, FireKey = 10, SingleKey = 11,
                              ComboKey = 12, MacroKey = 13, Shift = 14, KeyOff = 15;
}

// DPI sub-functions of a button whose function is DPI Switch.
namespace dpi_function {
inline constexpr std::uint8_t Up = 1, Down = 2, Loop = 3, Shift = 4;
}

// Lighting mode byte values; 0 (and anything else) leaves the mouse's lighting as it is.
namespace lighting_mode {
inline constexpr std::uint8_t None = 0, Standard = 1, Respiration = 2, Neon = 3;
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The desktop pointer settings the advanced page keeps in the record.
struct DesktopBytes {
    std::uint8_t enhancePrecision = 0; // 1 = on
    std::uint8_t scrollOneScreen = 0; // 1 = on
    std::uint8_t pointerSpeedRow = 0;
    std::uint8_t wheelLines = 0;
    std::uint8_t doubleClickRow = 0;
    bool operator==(const DesktopBytes&) const = default;
};

// The user's whole mouse configuration: a fixed 2041-byte block, stored byte for byte in config.bin
// after the first-run flag. Every field has a named accessor; bytes no accessor names (the reserved
// ranges) are never touched, so they are written back exactly as read.
//
// Indexes: buttons 0-11, DPI stages 0-7, loop colours 0-7, macros 1-10, lighting modes 1-3 (the
// mode byte's own values), DPI mark groups 0-3 with marks 0-3. An index outside its range throws
// std::out_of_range: it is a programming error, never a property of a file.
class ConfigRecord {
public:
    static constexpr std::size_t kSize = 2041;

    static constexpr std::size_t kButtons = 12;
    static constexpr std::size_t kButtonArrays = 16;
    static constexpr std::size_t kButtonTableSize = kButtons * kButtonArrays;
    static constexpr std::size_t kModeATable = 0;
    static constexpr std::size_t kModeBTable = kModeATable + kButtonTableSize;
    static constexpr std::size_t kMacroArea = kModeBTable + kButtonTableSize;
    static constexpr std::size_t kMacroCount = 10;
    static constexpr std::size_t kMacroSize = 128;
    static constexpr std::size_t kMacroAreaSize = kMacroCount * kMacroSize;
    static constexpr std::size_t kReservedAfterMacros = kMacroArea + kMacroAreaSize;
    static constexpr std::size_t kReservedAfterMacrosSize = 261;
    static constexpr std::size_t kReportRate = kReservedAfterMacros + kReservedAfterMacrosSize;
    static constexpr std::size_t kDpiStages = 8;
    static constexpr std::size_t kDpiValues = kReportRate + 2; // one reserved byte between
    static constexpr std::size_t kDpiEnabled = kDpiValues + kDpiStages;
    static constexpr std::size_t kDpiColours = kDpiEnabled + kDpiStages;
    static constexpr std::size_t kLightingMode = kDpiColours + 3 * kDpiStages;
    static constexpr std::size_t kLightingParameter1 = kLightingMode + 1;
    static constexpr std::size_t kLightingParameter2 = kLightingParameter1 + 3;
    static constexpr std::size_t kDesktop = kLightingParameter2 + 3 + 1; // one reserved byte between
    static constexpr std::size_t kModeSelector = kDesktop + 5;
    static constexpr std::size_t kDpiSubFunctionA = kModeSelector + 1;
    static constexpr std::size_t kDpiSubFunctionB = kDpiSubFunctionA + kButtons;
    static constexpr std::size_t kLoopColourCount = 8;
    static constexpr std::size_t kLoopColours = kDpiSubFunctionB + kButtons + 8; // eight reserved bytes between
    static constexpr std::size_t kDpiMarkBits = kLoopColours + 3 * kLoopColourCount;
    static constexpr std::size_t kTrailingReserved = kDpiMarkBits + 2;

    static_assert(kMacroArea == 384 && kReportRate == 1925 && kDpiValues == 1927 && kDpiEnabled == 1935);
    static_assert(kDpiColours == 1943 && kLightingMode == 1967 && kLightingParameter2 == 1971);
    static_assert(kDesktop == 1975 && kModeSelector == 1980 && kDpiSubFunctionA == 1981 && kDpiSubFunctionB == 1993);
    static_assert(kLoopColours == 2013 && kDpiMarkBits == 2037 && kTrailingReserved + 2 == kSize);

    using Bytes = std::array<std::uint8_t, kSize>;

    ConfigRecord() = default; // all zero
    explicit ConfigRecord(std::span<const std::uint8_t, kSize> bytes);

    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }
    std::span<std::uint8_t, kSize> bytes() { return bytes_; }
    bool operator==(const ConfigRecord&) const = default;

    // Button tables: one 12-byte array per field, indexed by button.
    std::span<std::uint8_t, kButtons> buttons(KeyMode mode, ButtonArray field);
    std::span<const std::uint8_t, kButtons> buttons(KeyMode mode, ButtonArray field) const;
    std::uint8_t functionCode(KeyMode mode, std::size_t button) const;
    void setFunctionCode(KeyMode mode, std::size_t button, std::uint8_t code);
    // DPI sub-function per button, used when its function code is DPI Switch.
    std::span<std::uint8_t, kButtons> dpiSubFunctions(KeyMode mode);
    std::span<const std::uint8_t, kButtons> dpiSubFunctions(KeyMode mode) const;

    // Ten macros of 128 bytes, macro n at (n - 1) * 128 of the area.
    std::span<std::uint8_t, kMacroAreaSize> macroArea();
    std::span<const std::uint8_t, kMacroAreaSize> macroArea() const;
    std::span<std::uint8_t, kMacroSize> macro(std::size_t number);
    std::span<const std::uint8_t, kMacroSize> macro(std::size_t number) const;

    // Polling interval in ms: 1 = 1000 Hz, 2 = 500 Hz, 4 = 250 Hz, 8 = 125 Hz.
    std::uint8_t reportRate() const { return bytes_[kReportRate]; }
    void setReportRate(std::uint8_t interval) { bytes_[kReportRate] = interval; }

    // Per stage: row of the sensor type's DPI list, enabled flag (any non-zero is on), colour.
    std::span<std::uint8_t, kDpiStages> dpiValues();
    std::span<const std::uint8_t, kDpiStages> dpiValues() const;
    std::span<std::uint8_t, kDpiStages> dpiEnabled();
    std::span<const std::uint8_t, kDpiStages> dpiEnabled() const;
    bool stageEnabled(std::size_t stage) const;
    Rgb dpiColour(std::size_t stage) const;
    void setDpiColour(std::size_t stage, Rgb colour);
    // The 24 colour bytes, red, green, blue per stage, as the mouse's colour block takes them.
    std::span<const std::uint8_t, 3 * kDpiStages> dpiColourBytes() const;

    std::uint8_t lightingMode() const { return bytes_[kLightingMode]; }
    void setLightingMode(std::uint8_t mode) { bytes_[kLightingMode] = mode; }
    // Parameters of lighting mode 1, 2 or 3: the first is the row of the mode's parameter list;
    // the second, for Neon, selects 2 = RGB Flash or 3 = RGB Fixed On.
    std::uint8_t lightingParameter1(std::size_t mode) const;
    void setLightingParameter1(std::size_t mode, std::uint8_t value);
    std::uint8_t lightingParameter2(std::size_t mode) const;
    void setLightingParameter2(std::size_t mode, std::uint8_t value);

    DesktopBytes desktop() const;
    void setDesktop(const DesktopBytes& values);

    // 0 = the basic page shows and edits mode A, anything else mode B.
    std::uint8_t modeSelector() const { return bytes_[kModeSelector]; }
    void setModeSelector(std::uint8_t value) { bytes_[kModeSelector] = value; }
    KeyMode editedMode() const { return modeSelector() == 0 ? KeyMode::A : KeyMode::B; }

    // Eight colours kept for the colour settings; never sent to the mouse.
    Rgb loopColour(std::size_t index) const;
    void setLoopColour(std::size_t index, Rgb colour);

    // Sixteen flags in four groups of four: group g is bits 4g..4g+3 counted from byte 2037 bit 0.
    std::uint16_t dpiMarkBits() const;
    void setDpiMarkBits(std::uint16_t bits);
    bool dpiMark(std::size_t group, std::size_t mark) const;

private:
    Rgb rgbAt(std::size_t offset) const;
    void setRgbAt(std::size_t offset, Rgb colour);

    Bytes bytes_{};
};

} // namespace vexo
