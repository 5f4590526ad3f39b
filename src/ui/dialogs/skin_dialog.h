// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/ui_texts.h"
#include "keys/localized_text.h"
#include "ui/skin/drop_down_list.h"
#include "ui/skin/hover_tracker.h"
#include "ui/skin/region.h"
#include "ui/skin/skinned_surface.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace vexo {

class CMemDC;
class Prompter;
class SkinContext;

// The skeleton every key-assignment dialog shares: a modal, frameless dialog whose face is the
// skin's background picture (which also gives its size), with drawn close, OK and Cancel buttons
// that light up under the pointer, texts and fonts of the interface language, and child controls
// created at run time. Like the main window it draws into a back buffer when something changes,
// and a paint event only copies that buffer to the screen.
//
// The dialog reads the skin context's skin, language and text colour when it is first shown.
// Left click in OK ends it with Accepted, in Cancel or close with Rejected (tested in that order);
// Enter and Escape mean OK and Cancel unless a dialog says otherwise.
class CSkinDialog : public QDialog {
    Q_OBJECT
public:
    // The drawn buttons, in client pixels.
    static constexpr Region kCloseButton{352, 6, 370, 24};
    static constexpr Region kOkButton{166, 253, 271, 274};
    static constexpr Region kCancelButton{270, 253, 375, 274};
    // The size a dialog keeps when its background picture cannot be loaded.
    static constexpr int kDesignWidth = 400;
    static constexpr int kDesignHeight = 292;
    // Edit and static controls: white text on dark grey.
    static constexpr QRgb kControlBackground = 0xff282828;

    // background: the picture's fixed name ("/single-key.png"); failureTitle: the title of the
    // "error" message shown when it cannot be loaded. skin and prompter must outlive the dialog.
    CSkinDialog(SkinContext& skin, QString background, std::string failureTitle, Prompter& prompter,
                QWidget* parent = nullptr);
    ~CSkinDialog() override;

    // The first showing initialises the dialog (OnInitDialog) before it appears.
    void setVisible(bool visible) override;

    // Left button pressed at p (client pixels): OK, Cancel, close, then the dialog's own regions.
    void HandleClick(QPoint p);
    // Pointer moved to p / rested at p (the hover notice).
    void HandleMouseMove(QPoint p);
    void HandleHover(QPoint p);

    const QImage& BackBuffer() const { return m_surface.canvas(); }
    const HoverTracker& Hover() const { return m_surface.hover(); }
    bool Initialised() const { return m_bInitialised; }
    Language InterfaceLanguage() const { return m_language; }
    const QFont& TextFont() const { return m_fontText; }
    // The prompts the last full redraw drew: box, text and drawing flags (Qt::AlignmentFlag and
    // Qt::TextFlag). One-line prompts too wide for their box are cut like every drawn text.
    struct Prompt {
        QRect box;
        QString text;
        int flags = 0;
    };
    const std::vector<Prompt>& Prompts() const { return m_prompts; }

protected:
    // Loads the background and sizes the dialog to it (failure: the "error" message; the dialog
    // keeps its design size on a dark face), builds the font and the button texts, calls
    // CreateControls and draws the whole face. Dialogs that add steps call this first.
    virtual void OnInitDialog();
    // Creates the dialog's child controls.
    virtual void CreateControls() {}
    // Draws the dialog's own pictures and texts over the background (prompts, tick boxes).
    virtual void DrawContent(QPainter&) {}
    // A click the drawn buttons did not take. Dialogs with drop-down lists close them here.
    virtual void HandleDialogClick(QPoint) {}

    // Draws the whole face into the back buffer and shows it.
    void Redraw();
    std::unique_ptr<CMemDC> OpenCanvas();
    // Draws a skin picture; one that cannot be loaded is reported once per dialog with
    // "LoadPng---Load image failed." after the drawing in progress has ended.
    void DrawImage(QPainter& canvas, const QString& name, int x, int y);
    // Shows the messages DrawImage collected (call when no painter is open on the back buffer).
    void ReportImageFailures();

    // The text of the interface language.
    QString Localized(const LocalizedText& text) const;
    QString Localized(const char* simplified, const char* traditional, const char* english) const;
    // A prompt in white with a transparent background; a one-line prompt too wide for rect is cut
    // at the right with an ellipsis, whole in the tooltip.
    void DrawPrompt(QPainter& canvas, const QRect& rect, const QString& text, int flags);

    // Controls in the dialogs' colours and font; the id is also the object name. A digits-only
    // edit accepts nothing but the digits 0-9, typed or pasted.
    QLabel* CreateStatic(int id, const Region& region, Qt::Alignment alignment);
    QLineEdit* CreateEdit(int id, const Region& region, bool bordered, bool digitsOnly = false);
    // A drop-down of the dialog in its colours and font: box, list rectangle, rows and what a
    // pick does. Controls the open list covers are disabled while it is open (and the keyboard
    // focus is the dialog's); with wheelScrollsRows each notch of the mouse wheel over the open
    // list scrolls it three rows (down for a negative or zero delta, up for a positive one).
    DropDownList* CreateDropDown(int listId, const Region& box, const Region& list, DropDownList::Entries rows,
                                 DropDownList::Chosen chosen, std::vector<QWidget*> covered = {},
                                 bool wheelScrollsRows = false);
    // The click rule of the drop-downs: a click outside box and list closes an open list, a click
    // in a box opens or closes its list. Returns true when the click was in a box.
    bool ClickDropDowns(QPoint p);

    // The decimal value of the leading digits of text (0 when there are none); values above
    // INT_MAX read as INT_MAX, so a long run of digits is simply out of every range.
    static int DecimalValue(const QString& text);

    SkinContext& m_skin;
    Prompter& m_prompter;
    QFont m_fontText;

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct DropDown {
        DropDownList* list;
        std::vector<QWidget*> covered;
        bool wheelScrollsRows;
    };
    static void Cover(const DropDown& dropDown, bool covered);
    void DrawButton(QPainter& canvas, const Region& region, const QString& caption, bool over);
    void DrawCloseButton(QPainter& canvas, bool over);

    QString m_strBackground;
    std::string m_strFailureTitle;
    SkinnedSurface m_surface;
    QString m_strOk, m_strCancel;
    Language m_language = Language::English;
    bool m_bInitialised = false;
    // Pictures reported missing in this dialog, and the messages still to be shown.
    QSet<QString> m_failedImages;
    std::vector<std::pair<std::string, std::string>> m_pendingMessages;
    std::vector<DropDown> m_dropDowns;
    std::vector<Prompt> m_prompts;
};

} // namespace vexo
