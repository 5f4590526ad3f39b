// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QIcon>

#include "platform/prompter.h"

class QWidget;

namespace vexo {

// Modal message boxes through QMessageBox, with one OK button.
class QtPrompter final : public Prompter {
public:
    // parent owns the boxes (centred on it and modal to it); nullptr for application-modal boxes.
    // icon: the boxes' window icon (a box with a parent shows the parent's when this is null).
    explicit QtPrompter(QWidget* parent = nullptr, QIcon icon = {}) : parent_(parent), icon_(std::move(icon)) {}

    void message(const std::string& text, const std::string& caption) override;

private:
    QWidget* parent_;
    QIcon icon_;
};

} // namespace vexo
