#pragma once

#include <QStyledItemDelegate>

// The editor of the pay run's figures: a line edit under the numeric-entry
// rule of the preparation's fields (digits, one decimal comma given by the
// period key, any other key refused with a beep). Enter ends the typing of
// the cell, as in any grid, instead of being refused.
class PayRunDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *editor, QEvent *event) override;
};
