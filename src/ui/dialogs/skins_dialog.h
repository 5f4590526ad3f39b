// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "ui/skin/drop_down_list.h"
#include "ui/skin/hover_tracker.h"
#include "ui/skin/region.h"
#include "ui/skin/skinned_surface.h"

class QLabel;

namespace vexo {

class CMemDC;
class Prompter;
class SkinContext;

// The skin picker: a frameless modal dialog drawn from the current skin's "/skins.png" (and sized
// to it) in which the user chooses a skin folder and the colour of the interface texts.
//
// It reads the skin context's skin folder, skin name and text colour when it is made and changes
// nothing itself:
// after exec() returns Accepted the caller applies m_strSelectedSkinDir, m_strSelectedSkin and
// m_colorText. The list offers the sub-folders of every skins root that hold a page background
// ("/BasicSet2.png", any letter case); a name found in several roots is listed once and stands for
// the folder in the last root that has it (the user's own skins come after the delivered ones, so
// they win).
//
// A missing "/skins.png" is reported once ("error", titled "Skins Dialog Load background image
// failed!!!"); the dialog then has no texts and no controls, and both OK and Cancel end it as
// Cancel, since nothing valid was set up to apply. A missing button picture is reported each time
// it would be drawn ("LoadPng---Load image failed.").
class CSkinsDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the platform's colour chooser on black; nothing when the user cancelled it.
    using ColourChooser = std::function<std::optional<QColor>(QWidget* parent)>;

    struct Setup {
        QStringList skinsRoots; // folders whose sub-folders are skins, the delivered ones first
        std::string language; // code of str.ini: "CHS", "CHT" or anything else (English)
        QFont font; // the dialog's text font (the language's text font)
        ColourChooser chooseColour;
    };

    // skin and prompter must outlive the dialog.
    CSkinsDialog(Setup setup, SkinContext& skin, Prompter& prompter, QWidget* parent = nullptr);
    ~CSkinsDialog() override;

    // The layout, in client pixels.
    static constexpr Region kClose{352, 6, 370, 24};
    static constexpr Region kHint{12, 64, 181, 94};
    static constexpr Region kSwatch{42, 94, 151, 110};
    static constexpr Region kNameBox{42, 128, 136, 144};
    static constexpr Region kDropDown{42, 128, 151, 144};
    static constexpr Region kList{42, 146, 151, 266};
    static constexpr Region kOk{166, 253, 271, 274};
    static constexpr Region kCancel{270, 253, 375, 274};
    static constexpr int kNameBoxId = 560;
    static constexpr int kSwatchId = 561;
    static constexpr int kSkinListId = 562;
    static constexpr int kWheelLines = 3;

    // Names of the skin folders of the roots as the list shows them: one entry per name, sorted.
    static QStringList SkinNames(const QStringList& roots);
    // The folder of the skin `name`: the last root holding a skin folder of exactly that name;
    // nothing when none does.
    static std::optional<QString> SkinFolder(const QStringList& roots, const QString& name);

    // The result, read after exec().
    QString m_strSelectedSkin;
    QString m_strSelectedSkinDir;
    QColor m_colorText;
    int m_nSelectedIndex = 0;

    // Texts by language, chosen at initialisation (empty when the background is missing).
    QString m_strOk, m_strCancel, m_strColorHint;

    bool backgroundLoaded() const { return !m_hBackground.isNull(); }
    // The skin list while it is open, else nullptr.
    bool skinListOpen() const { return m_list.isOpen(); }
    const QImage& BackBuffer() const { return m_surface.canvas(); }
    const HoverTracker& Hover() const { return m_surface.hover(); }

    // Left button pressed at p: the click dispatch.
    void HandleClick(QPoint p);
    // A wheel step while the list is open: three lines, up for a positive delta.
    void HandleWheel(int delta);
    void HandleMouseMove(QPoint p);
    void HandleHover(QPoint p);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Initialise();
    void DrawAll();
    void DrawTextButton(QPainter& canvas, const Region& region, const QString& caption, bool over);
    void ChooseSkin(int row);
    void ChooseColour();
    std::unique_ptr<CMemDC> OpenCanvas();

    Setup m_setup;
    SkinContext& m_skin;
    Prompter& m_prompter;
    QImage m_hBackground;
    // The interface text colour in force when the picker opened: its own texts keep it.
    QColor m_colorInterface;
    QStringList m_skinNames;
    DropDownList m_list;
    QPointer<QLabel> m_nameBox;
    QPointer<QLabel> m_swatch;
    SkinnedSurface m_surface;
};

} // namespace vexo
