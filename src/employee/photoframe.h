#pragma once

#include <QByteArray>
#include <QFrame>
#include <QImage>

// The employee's photo on the identity panel. It holds the picture as the
// PNG bytes stored in PHOTO (empty: no photo) and shows it scaled into the
// frame; a double click asks for the photo picker.
class PhotoFrame : public QFrame
{
    Q_OBJECT

public:
    explicit PhotoFrame(QWidget *parent = nullptr);

    QByteArray photoData() const { return m_data; }
    // Shows the picture of `png` (PNG bytes; empty for none).
    void setPhotoData(const QByteArray &png);
    bool hasPicture() const { return !m_image.isNull(); }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QByteArray m_data;
    QImage m_image;
};
