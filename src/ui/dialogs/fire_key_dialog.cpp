// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/dialogs/fire_key_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "keys/picker_lists.h"
#include "ui/skin/drop_down_list.h"
#include "ui/skin/static_controls.h"

namespace vexo {

namespace {
constexpr std::uint8_t kMaxSpeed = 255;
constexpr std::uint8_t kMaxTimes = 255;
constexpr std::uint8_t kTimesReplacement = 1;

// Texts beside the fields and the explanation below them (the fields' positions are fixed, the
// texts sit where the skins leave room for them). The explanation fills the skins' panel at
// (9, 188)-(391, 242) from its top: one line for the speed, two for the times.
const QRect kSpeedLabel(50, 103, 82, 16);
const QRect kTimesLabel(50, 153, 82, 16);
const QRect kHeading(140, 168, 240, 16);
const QRect kExplanation1(15, 189, 370, 17);
const QRect kExplanation2(15, 206, 370, 34);

QString KeyText(int row) {
    const std::string_view text = FireKeyText(row);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
} // namespace

CFireKeyDialog::CFireKeyDialog(SkinContext& skin, Prompter& prompter, QWidget* parent)
    : CSkinDialog(skin, "/fire-key.png", "FireKey Dialog Load background image failed!!!", prompter, parent),
      m_strKeyText(KeyText(0)) {}

CFireKeyDialog::~CFireKeyDialog() = default;

void CFireKeyDialog::CreateControls() {
    m_pKeyStatic = CreateStatic(kKeyStaticId, kKeyStatic, Qt::AlignLeft | Qt::AlignVCenter);
    // Row 0 is what OK gives without a pick, so the field names it from the start.
    SetStaticText(m_pKeyStatic, m_strKeyText);
    m_pSpeedEdit = CreateEdit(kSpeedEditId, kSpeedEdit, false, true);
    m_pSpeedEdit->setText(QString::number(m_nSpeed));
    m_pSpeedEdit->installEventFilter(this);
    m_pTimesEdit = CreateEdit(kTimesEditId, kTimesEdit, false, true);
    m_pTimesEdit->setText(QString::number(m_nTimes));
    connect(m_pTimesEdit, &QLineEdit::textChanged, this, [this] { CheckTimes(); });

    m_pKeyList = CreateDropDown(
        kKeyListId, kKeyBox, kKeyList,
        [] {
            QStringList rows;
            for (int row = 0; row < kFireKeyRowCount; ++row)
                rows << KeyText(row);
            return rows;
        },
        [this](int row) { KeyChosen(row); }, {m_pSpeedEdit, m_pTimesEdit}, true);
    m_pKeyList->setCurrent([this] { return m_nKeyIndex; });
}

void CFireKeyDialog::DrawContent(QPainter& canvas) {
    const int single = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const int wrapped = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    DrawPrompt(canvas, kSpeedLabel, Localized("速度", "速度", "Speed"), single);
    DrawPrompt(canvas, kTimesLabel, Localized("次数", "次數", "Times"), single);
    DrawPrompt(canvas, kHeading, Localized("说明:", "說明:", "Illustration:"), single);
    DrawPrompt(canvas, kExplanation1,
               Localized("速度(数值范围5-255，数值越小速度越快)", "速度(數值範圍5-255，數值越小速度越快)",
                         "Speed (value range 5-255, with smaller values faster)"),
               wrapped);
    DrawPrompt(canvas, kExplanation2,
               Localized("次数(数值范围0-255，0表示按键放开火力键结束)", "次數(數值範圍0-255，0表示按鍵放開火力鍵結束)",
                         "Times (value range 0-255,0 indicates fire key to end when the key released)"),
               wrapped);
}

void CFireKeyDialog::HandleDialogClick(QPoint p) {
    // Opening the list takes the focus from the speed field, which checks what was typed there.
    if (m_pKeyList != nullptr && !m_pKeyList->isOpen() && kKeyBox.contains(p))
        CheckSpeed();
    ClickDropDowns(p);
}

void CFireKeyDialog::KeyChosen(int row) {
    if (row >= 0 && row < kFireKeyRowCount) {
        m_nKeyIndex = row;
        m_strKeyText = KeyText(row);
        SetStaticText(m_pKeyStatic, m_strKeyText);
    }
}

void CFireKeyDialog::CheckSpeed() {
    if (m_pSpeedEdit == nullptr)
        return;
    const int value = DecimalValue(m_pSpeedEdit->text());
    if (value < kMinSpeed || value > kMaxSpeed) {
        m_nSpeed = kMinSpeed;
        m_pSpeedEdit->setText(QString::number(kMinSpeed));
        return;
    }
    m_nSpeed = static_cast<std::uint8_t>(value);
}

void CFireKeyDialog::CheckTimes() {
    const int value = DecimalValue(m_pTimesEdit->text());
    if (value > kMaxTimes) {
        m_nTimes = kTimesReplacement;
        // Emits the change again, with a value in range.
        m_pTimesEdit->setText(QString::number(kTimesReplacement));
        return;
    }
    m_nTimes = static_cast<std::uint8_t>(value);
}

bool CFireKeyDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pSpeedEdit && event->type() == QEvent::FocusOut)
        CheckSpeed();
    return CSkinDialog::eventFilter(watched, event);
}

void CFireKeyDialog::done(int result) {
    // Ending the dialog takes the focus from the speed field too.
    CheckSpeed();
    CSkinDialog::done(result);
}

} // namespace vexo
