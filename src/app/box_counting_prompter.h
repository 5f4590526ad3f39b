// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "platform/prompter.h"

namespace vexo {

// Passes message boxes on to another prompter and knows while one is open. A box runs an event
// loop, so requests (a later start, an icon click) can arrive in the middle of the work that opened
// it; the shell uses this to leave that work alone instead of starting it a second time.
class BoxCountingPrompter final : public Prompter {
public:
    explicit BoxCountingPrompter(Prompter& inner) : inner_(inner) {}

    void message(const std::string& text, const std::string& caption) override {
        ++open_;
        struct Closed {
            int& open;
            ~Closed() { --open; }
        } closed{open_};
        inner_.message(text, caption);
    }

    bool boxOpen() const { return open_ > 0; }

private:
    Prompter& inner_;
    int open_ = 0;
};

} // namespace vexo
