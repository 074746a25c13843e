#pragma once

#include <QLabel>
#include <QVector>

// A row caption of the form « name........%     ......% » over which number
// fields are laid. The caption keeps its exact text; painting stretches each
// run of dot leaders up to the field laid over it and puts the "%" that
// follows the run just after that field, so every row lines up with its
// fields whatever the font.
class DotLeaderLabel : public QLabel
{
    Q_OBJECT

public:
    explicit DotLeaderLabel(const QString &caption, QWidget *parent = nullptr);

    // The fields laid over the caption, in the caption's order, in the
    // label's parent coordinates.
    void setFieldSlots(const QVector<QRect> &fields);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<QRect> m_slots;
};
