// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#include "ui/skin/drop_down_list.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include "ui/skin/elided_texts.h"

namespace vexo {

DropDownList::DropDownList(QWidget* owner, Layout layout, Entries entries, Chosen chosen, QObject* parent)
    : QObject(parent), owner_(owner), layout_(std::move(layout)), entries_(std::move(entries)),
      chosen_(std::move(chosen)) {}

DropDownList::~DropDownList() {
    if (list_) {
        // The list's viewport sends events while it is destroyed; this filter must not see them.
        QListWidget* list = list_.data();
        list_.clear();
        list->viewport()->removeEventFilter(this);
        delete list;
    }
    if (parked_)
        parked_->deleteLater();
}

void DropDownList::clickBox() {
    if (open_) {
        close();
        return;
    }
    if (precondition_ && !precondition_())
        return;
    open();
}

void DropDownList::open() {
    if (!list_) {
        // Opening is a click outside any list: the closed one is no longer delivering anything.
        delete parked_.data();
        auto* list = new QListWidget(owner_);
        list->setObjectName(QString::number(layout_.controlId));
        list->setGeometry(layout_.listRect);
        list->setFrameShape(QFrame::Box);
        list->setSortingEnabled(false);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A list longer than its box says so with a scroll bar drawn in the list's colours.
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->verticalScrollBar()->setStyleSheet(
            QString("QScrollBar:vertical { background: %1; width: %3px; margin: 0; }"
                    "QScrollBar::handle:vertical { background: %2; min-height: 12px; border-radius: 3px; }"
                    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
                .arg(layout_.background.name(), layout_.text.name(), QString::number(kScrollBarWidth)));
        list->setFocusPolicy(Qt::NoFocus);
        list->setFont(font_);
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, layout_.background);
        palette.setColor(QPalette::Window, layout_.background);
        palette.setColor(QPalette::Text, layout_.text);
        list->setPalette(palette);
        list->addItems(entries_ ? entries_() : QStringList());
        markCutEntries(*list);
        list->setMouseTracking(true);
        list->viewport()->setMouseTracking(true);
        list->viewport()->installEventFilter(this);
        // A press on an entry chooses it even when hover selection already made it current;
        // keyboard changes of the selection choose as well.
        connect(list, &QListWidget::itemPressed, this,
                [this, list](QListWidgetItem* item) { choose(list->row(item)); });
        connect(list, &QListWidget::currentRowChanged, this, [this](int row) { choose(row); });
        if (layout_.reportsDoubleClicks)
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [this, list](QListWidgetItem* item) { choose(list->row(item)); });
        list->show();
        list_ = list;
        pointerRow_ = -1;
        const int current = current_ ? current_() : -1;
        if (current >= 0 && current < list->count()) {
            // Showing the value in use is not a choice.
            const QSignalBlocker block(list);
            list->setCurrentRow(current);
            list->scrollToItem(list->item(current), QAbstractItemView::PositionAtCenter);
        }
    }
    open_ = true;
}

void DropDownList::markCutEntries(QListWidget& list) const {
    // The room an entry's text has: the list less its frame, the scroll bar a long list shows and
    // the margins the style leaves on either side of an item's text.
    const int rowHeight = list.count() > 0 ? list.sizeHintForRow(0) : 0;
    const int frame = 2 * list.frameWidth();
    const bool scrolls = rowHeight * list.count() > layout_.listRect.height() - frame;
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    const int room = layout_.listRect.width() - frame - (scrolls ? kScrollBarWidth : 0) - 2 * margin;
    for (int row = 0; row < list.count(); ++row) {
        QListWidgetItem* item = list.item(row);
        // The list cuts what does not fit with an ellipsis; the tooltip gives it whole.
        if (ElidedTexts::fit(item->text(), list.font(), room) != item->text())
            item->setToolTip(item->text());
    }
}

void DropDownList::setListRect(const QRect& rect) {
    layout_.listRect = rect;
    if (list_)
        list_->setGeometry(rect);
}

void DropDownList::close() {
    if (list_) {
        QListWidget* list = list_.data();
        list_.clear();
        list->disconnect(this);
        list->viewport()->removeEventFilter(this);
        list->hide();
        // The list may be in the middle of delivering the signal that closed it, and the choice
        // may open a modal dialog whose event loop would run a deferred delete at once, under the
        // list's feet. So it is kept, hidden and nameless, until the next list opens or this
        // object goes.
        list->setObjectName(QString());
        delete parked_.data();
        parked_ = list;
    }
    open_ = false;
}

bool DropDownList::closeIfOutside(QPoint p) {
    if (!open_ || layout_.box.contains(p) || layout_.listRect.contains(p))
        return false;
    close();
    return true;
}

void DropDownList::choose(int row) {
    if (!open_ || row < 0 || (choosable_ && !choosable_(row)))
        return;
    close();
    if (chosen_)
        chosen_(row);
}

bool DropDownList::eventFilter(QObject* watched, QEvent* event) {
    if (list_ && watched == list_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // Only the left button chooses; the others would move the selection and so choose too.
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                return true;
            break;
        default: break;
        }
    }
    if (list_ && watched == list_->viewport() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const int row = list_->row(list_->itemAt(move->position().toPoint()));
        // The row shown as the value in use was not reached by the pointer: reaching it is news.
        if (row >= 0 && row != pointerRow_) {
            pointerRow_ = row;
            // Following the pointer is not a choice.
            {
                const QSignalBlocker block(list_.data());
                list_->setCurrentRow(row);
                list_->viewport()->update();
            }
            if (hovered_) {
                const QRect item = list_->visualItemRect(list_->item(row));
                const QPoint topLeft = list_->viewport()->mapTo(owner_, item.topLeft());
                hovered_(row, QRect(topLeft, item.size()));
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vexo
