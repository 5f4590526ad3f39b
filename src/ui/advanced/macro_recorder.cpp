// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/advanced/macro_recorder.h"

#include "macro/macro_line.h"
#include "platform/prompter.h"

namespace vexo {

namespace {
constexpr char kWarning[] = "Warning";
enum RecordState { kStarted = 0, kListing = 1, kStopped = 2 };
} // namespace

MacroRecorder::MacroRecorder(KeyboardHook& hook, Prompter& prompter, Target& target, const Texts& texts,
                             std::function<void(const QString&)> setTitle)
    : hook_(hook), prompter_(prompter), target_(target), texts_(texts), setTitle_(std::move(setTitle)) {}

MacroRecorder::~MacroRecorder() {
    if (m_bRecording)
        removeHook();
}

void MacroRecorder::removeHook() {
    hook_.remove();
    m_bRecording = false;
}

void MacroRecorder::StartRecording() {
    if (!target_.hasMacros()) {
        prompter_.message(texts_.macroNameBlank, kWarning);
        return;
    }
    prompter_.message(texts_.startRecording, texts_.title);
    m_nRecordedEvents = 0;
    if (hook_.installed())
        removeHook();
    target_.clearSequence();
    hook_.install([this](const KeyboardHook::Key& key) { return onKey(key); });
    if (!hook_.installed()) {
        prompter_.message("JournalRecordHook Install error code :0\n", texts_.title);
        return;
    }
    m_bRecording = true;
    m_nRecordState = kStarted;
    m_pressedKeys.clear();
    if (setTitle_)
        setTitle_(QString::fromStdString(texts_.stopHint));
}

void MacroRecorder::StopRecording() {
    // The hook goes before the message box, so the keys that close the box are not recorded.
    const bool wasRecording = m_bRecording;
    if (wasRecording) {
        removeHook();
        m_nRecordState = kStopped;
    }
    m_nRecordedEvents = 0;
    prompter_.message(texts_.stopRecording, texts_.title);
    if (!wasRecording)
        prompter_.message(texts_.notRecording, kWarning);
}

void MacroRecorder::Abandon() {
    if (m_bRecording) {
        removeHook();
        m_nRecordState = kStopped;
    }
    m_nRecordedEvents = 0;
}

bool MacroRecorder::onKey(const KeyboardHook::Key& key) {
    // A repeated release is no release, and a repeat of the press just listed adds nothing.
    const bool repeat = key.autoRepeat && (!key.press || key.name == m_strLastKeyName);
    // A release needs its press in this recording; it is then no longer held.
    const bool unpaired = !key.press && !repeat && m_pressedKeys.erase(key.name) == 0;
    if (!repeat && !unpaired) {
        ++m_nRecordedEvents;
        OnRecordedKey(!key.press, key.name);
    }
    // Presses never reach the page's fields while recording; releases go on as usual.
    return key.press;
}

void MacroRecorder::OnRecordedKey(bool release, const std::string& name) {
    if (m_nRecordedEvents > kMaxEvents) {
        StopRecording();
        return;
    }
    if (!target_.macroSelected())
        return;
    const QString keyName = QString::fromStdString(name);
    if (!release) {
        if (m_nRecordState != kStarted)
            target_.appendSequenceLine(kDelayLine);
        target_.appendSequenceLine(QString::fromStdString(PressLine(name)));
        m_nRecordState = kListing;
        m_strLastKeyName = name;
        m_pressedKeys.insert(name);
    } else {
        // A release as the very first event still gets no delay line before it.
        if (m_nRecordState != kStarted)
            target_.appendSequenceLine(kDelayLine);
        target_.appendSequenceLine(QString::fromStdString(ReleaseLine(name)));
        m_nRecordState = kListing;
    }
}

} // namespace vexo
