// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <QColor>
#include <QFont>
#include <QObject>
#include <QListWidget>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <functional>

#include "ui/skin/region.h"

class QWidget;

namespace vexo {

// A drop-down of a skinned page: a drawn box (a region of the page), an open flag and a list
// control that is shown only while the list is open (a closed list is hidden, loses its id and is
// deleted when the next one opens, since the choice handler may run a modal dialog while the list
// is still delivering the click). Written once for every list of every page: the page supplies the
// entries, the rectangle and what a choice does.
//
// A list longer than its rectangle shows a slim scroll bar in the list's own colours, so that it
// is seen to hold more. An entry too wide for the list is cut at the right with an ellipsis and
// carries its whole text as its tooltip. While open, the entry under the pointer is selected as the pointer moves,
// before any click.
// A click on an entry (or a double click, when the list reports them) chooses it: the list is
// closed, the open flag cleared, then the page's chosen handler runs with the entry's row.
class DropDownList : public QObject {
    Q_OBJECT
public:
    struct Layout {
        int controlId = 0; // the list control's identifier; also its object name
        Region box; // the drawn box that opens and closes the list
        QRect listRect; // where the list opens, in the owner's client pixels
        bool reportsDoubleClicks = false;
        QColor text = Qt::white;
        QColor background = Qt::black;
    };
    using Entries = std::function<QStringList()>;
    using Chosen = std::function<void(int row)>;
    // The entry under the pointer changed while the list is open: its row and its rectangle in the
    // owner's client pixels (right and bottom outside it).
    using Hovered = std::function<void(int row, QRect item)>;

    DropDownList(QWidget* owner, Layout layout, Entries entries, Chosen chosen, QObject* parent = nullptr);
    ~DropDownList() override;

    const Layout& layout() const { return layout_; }
    bool isOpen() const { return open_; }
    // The open list control, or nullptr.
    QListWidget* list() const { return list_; }
    void setFont(const QFont& font) { font_ = font; }

    // A click on the box: closes an open list; otherwise runs the page's precondition (when set and
    // it refuses, nothing opens), creates and fills the list and sets the open flag.
    void clickBox();
    void setPrecondition(std::function<bool()> check) { precondition_ = std::move(check); }
    // Rows for which this returns false are no choice: picking them leaves the list open and runs
    // nothing (a row that only leads on, like an entry with a side list).
    void setChoosable(std::function<bool(int row)> choosable) { choosable_ = std::move(choosable); }
    void setHovered(Hovered hovered) { hovered_ = std::move(hovered); }
    // The row of the value in use: an opening list shows it selected and scrolled into view (not
    // a choice). Without it, or for a row outside the list, nothing is selected.
    void setCurrent(std::function<int()> current) { current_ = std::move(current); }
    // Moves the list (for lists that open at a place or with a height that depends on what was
    // clicked). An open list moves at once.
    void setListRect(const QRect& rect);

    void open();
    // Destroys the list window (if any) and clears the open flag.
    void close();
    // A click elsewhere on the page: closes the list when neither the box nor the list holds p.
    // Returns true when it closed.
    bool closeIfOutside(QPoint p);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kScrollBarWidth = 8;
    void choose(int row);
    void markCutEntries(QListWidget& list) const;

    QWidget* owner_;
    Layout layout_;
    Entries entries_;
    Chosen chosen_;
    std::function<bool()> precondition_;
    std::function<bool(int)> choosable_;
    Hovered hovered_;
    std::function<int()> current_;
    QFont font_;
    QPointer<QListWidget> list_;
    QPointer<QListWidget> parked_; // the last closed list, kept until it cannot be in use
    bool open_ = false;
    int pointerRow_ = -1; // the entry the pointer was last over in the open list
};

} // namespace vexo
