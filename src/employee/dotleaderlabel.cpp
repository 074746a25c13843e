#include "dotleaderlabel.h"

#include <QPainter>

namespace {

// The words before the dot leaders of one run (a single dot inside a name,
// as in « Tr.A », is part of the name).
QString leadingWords(const QString &run)
{
    const qsizetype leaders = run.indexOf(QLatin1String(".."));
    return (leaders < 0 ? run : run.left(leaders)).trimmed();
}

} // namespace

DotLeaderLabel::DotLeaderLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
}

void DotLeaderLabel::setFieldSlots(const QVector<QRect> &fields)
{
    m_slots = fields;
    update();
}

void DotLeaderLabel::paintEvent(QPaintEvent *event)
{
    if (m_slots.isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    const int baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    const int dot = std::max(1, metrics.horizontalAdvance(u'.'));

    const QStringList runs = text().split(u'%');
    int x = 0;
    for (int i = 0; i < runs.size() && i < m_slots.size(); ++i) {
        const QRect slot = m_slots.at(i).translated(-pos());
        const QString words = leadingWords(runs.at(i));
        if (!words.isEmpty()) {
            painter.drawText(x, baseline, words + u' ');
            x += metrics.horizontalAdvance(words + u' ');
        }
        const int dots = (slot.left() - 3 - x) / dot;
        if (dots > 0)
            painter.drawText(x, baseline, QString(dots, u'.'));
        x = slot.right() + 4;
        if (i + 1 < runs.size()) { // the run was followed by a "%"
            painter.drawText(x, baseline, QStringLiteral("%"));
            x += metrics.horizontalAdvance(u'%') + 16;
        }
    }
}
