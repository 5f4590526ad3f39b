// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QString>
#include <cstdint>

#include "ui/dialogs/skin_dialog.h"

class QLabel;
class QLineEdit;

namespace vexo {

class SkinContext;

class DropDownList;

// Asks for the fire-key function's parameters: the key or mouse button repeated (a row of the
// 61-row fire-key list), the repeat speed 5-255 (smaller is faster) and the number of repeats 0-255
// (0: until the button is released).
//
// The speed is checked when its field loses the keyboard focus and when the dialog ends: a value
// below 5 or above 255 (or no value) becomes 5. The times are checked on every change: a value
// above 255 becomes 1 at once.
class CFireKeyDialog final : public CSkinDialog {
    Q_OBJECT
public:
    static constexpr int kKeyStaticId = 572;
    static constexpr int kKeyListId = 573;
    static constexpr int kSpeedEditId = 574;
    static constexpr int kTimesEditId = 575;
    static constexpr Region kKeyStatic{50, 70, 116, 84};
    static constexpr Region kKeyBox{50, 70, 132, 84};
    static constexpr Region kKeyList{50, 86, 132, 256};
    static constexpr Region kSpeedEdit{50, 120, 131, 134};
    static constexpr Region kTimesEdit{50, 170, 131, 184};
    static constexpr std::uint8_t kDefaultSpeed = 32;
    static constexpr std::uint8_t kMinSpeed = 5;

    explicit CFireKeyDialog(SkinContext& skin, Prompter& prompter, QWidget* parent = nullptr);
    ~CFireKeyDialog() override;

    void done(int result) override;

    // Row of the fire-key list and its text (row 0, "A", until another row is picked).
    int m_nKeyIndex = 0;
    QString m_strKeyText;
    std::uint8_t m_nSpeed = kDefaultSpeed;
    std::uint8_t m_nTimes = 1;

    const DropDownList& KeyList() const { return *m_pKeyList; }

protected:
    void CreateControls() override;
    void DrawContent(QPainter& canvas) override;
    void HandleDialogClick(QPoint p) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KeyChosen(int row);
    void CheckSpeed();
    void CheckTimes();

    DropDownList* m_pKeyList = nullptr;
    QLabel* m_pKeyStatic = nullptr;
    QLineEdit* m_pSpeedEdit = nullptr;
    QLineEdit* m_pTimesEdit = nullptr;
};

} // namespace vexo
