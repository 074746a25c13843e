#include "tabbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

TabButton::TabButton(const QString &caption, const QString &iconPath, QWidget *parent)
    : QFrame(parent)
    , m_caption(new QLabel(caption, this))
    , m_icon(new QSvgRenderer(iconPath, this))
{
    m_caption->setObjectName(QStringLiteral("caption"));
    // The caption is part of the tab: a click on it is a click on the tab.
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(36, 2, 8, 2);
    layout->addWidget(m_caption);
    setCursor(Qt::PointingHandCursor);
    setActive(false);
}

bool TabButton::isActive() const
{
    return m_caption->font().bold();
}

void TabButton::setActive(bool active)
{
    QFont font = m_caption->font();
    font.setBold(active);
    m_caption->setFont(font);
    update();
}

void TabButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void TabButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, 2);
    QPainterPath shape;
    shape.addRoundedRect(area, 7, 7);
    const bool active = isActive();
    painter.setPen(QColor(120, 132, 150));
    painter.setBrush(active ? QColor(246, 248, 252) : QColor(214, 220, 230));
    painter.drawPath(shape);
    if (active) // the front tab opens onto its panel
        painter.fillRect(QRectF(1, height() - 2, width() - 2, 3), QColor(246, 248, 252));
    m_icon->render(&painter, QRectF(10, (height() - 20) / 2.0, 20, 20));
}
