#include "payrundelegate.h"

#include "numericentryfilter.h"

#include <QKeyEvent>
#include <QLineEdit>

QWidget *PayRunDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("EditeurChiffre"));
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    // The cell's text comes selected: the decimal key then starts afresh.
    NumericEntryFilter::install(editor, NumericEntryFilter::Variant::WithSelection);
    return editor;
}

// The view puts the delegate before the editor's own filters: Enter has
// committed the cell here, and goes no further to be refused.
bool PayRunDelegate::eventFilter(QObject *editor, QEvent *event)
{
    const bool handled = QStyledItemDelegate::eventFilter(editor, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return handled;
}
