// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include "platform/prompter.h"

class QWidget;

namespace vexo {

// Modal message boxes through QMessageBox, with one OK button.
class QtPrompter final : public Prompter {
public:
    // parent owns the boxes (centred on it and modal to it); nullptr for application-modal boxes.
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void message(const std::string& text, const std::string& caption) override;

private:
    QWidget* parent_;
};

} // namespace vexo
