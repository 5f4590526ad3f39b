// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/keyboard_hook.h"

namespace vexo {

class Prompter;

// Records the program's own key presses and releases into the macro editor's key-sequence list
// while a recording runs: each press as "<name>   Dn", each release as "<name>   Up", with a
// "50 ms" line between two events. At most 64 events are listed; the 65th stops the recording.
// An auto-repeat of the last listed press is dropped, and so is every repeated release (on X11
// a held key repeats as release and press pairs, none of them a real release). A release whose
// press was not listed in this recording (the Enter that closed the start message, a key held
// since before the start) is dropped too: it would replay as a release of a key never pressed.
class MacroRecorder {
public:
    static constexpr unsigned kMaxEvents = 64;
    static constexpr const char* kDelayLine = "50 ms";

    // What the recorder needs of the editor's lists.
    class Target {
    public:
        virtual ~Target() = default;
        virtual bool hasMacros() const = 0;
        virtual bool macroSelected() const = 0;
        virtual void clearSequence() = 0;
        // Appends a line and selects the last row.
        virtual void appendSequenceLine(const QString& line) = 0;
    };
    struct Texts {
        std::string startRecording, stopRecording, notRecording, macroNameBlank, stopHint, title;
    };

    // All references must outlive the recorder. setTitle sets the main window's title.
    MacroRecorder(KeyboardHook& hook, Prompter& prompter, Target& target, const Texts& texts,
                  std::function<void(const QString&)> setTitle);
    ~MacroRecorder();

    // Clears the list and starts listing keys, after the start message. With no macro in the list
    // only the m_strMacroNameBlank warning is shown.
    void StartRecording();
    // Stops with the m_strStopRecording message; when nothing was recording, the m_strNotRecording
    // warning follows it.
    void StopRecording();
    // Stops without a message (the page is left).
    void Abandon();

    bool recording() const { return m_bRecording; }
    unsigned recordedEvents() const { return m_nRecordedEvents; }

private:
    // The hook's handler: lists the key and keeps every press from the page's fields.
    bool onKey(const KeyboardHook::Key& key);
    void OnRecordedKey(bool release, const std::string& name);
    void removeHook();

    KeyboardHook& hook_;
    Prompter& prompter_;
    Target& target_;
    const Texts& texts_;
    std::function<void(const QString&)> setTitle_;
    bool m_bRecording = false;
    unsigned m_nRecordedEvents = 0;
    int m_nRecordState = 2; // 0 started, nothing listed; 1 something listed; 2 stopped
    std::string m_strLastKeyName;
    // Keys whose press is listed and whose release is not yet.
    std::set<std::string> m_pressedKeys;
};

} // namespace vexo
