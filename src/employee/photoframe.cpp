#include "photoframe.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

PhotoFrame::PhotoFrame(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setToolTip(QStringLiteral("Double click pour insérer une photo"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void PhotoFrame::setPhotoData(const QByteArray &png)
{
    m_data = png;
    m_image = png.isEmpty() ? QImage() : QImage::fromData(png);
    update();
}

void PhotoFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PhotoFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = contentsRect().adjusted(3, 3, -3, -3);
    if (m_image.isNull()) {
        QSvgRenderer placeholder(QStringLiteral(":/pictures/photo-placeholder.svg"));
        placeholder.render(&painter, QRectF(area));
        return;
    }
    QSize size = m_image.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.x() + (area.width() - size.width()) / 2,
                       area.y() + (area.height() - size.height()) / 2, size.width(), size.height());
    painter.drawImage(target, m_image);
}
