#pragma once

// Picture files made by the tests themselves: plain pictures saved by Qt and
// a small Windows metafile written record by record.

#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QString>

namespace PictureFixtures {

inline QImage filled(const QColor &colour, int width = 24, int height = 32)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

inline bool save(const QImage &picture, const QString &path, const char *format)
{
    return picture.save(path, format);
}

// A placeable metafile (72 units to the inch) that paints a rectangle of
// the colour over the whole picture.
inline QByteArray metafile(const QColor &colour, qint16 width, qint16 height)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);

    const quint16 placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, quint16(width), quint16(height), 72, 0, 0};
    quint16 checksum = 0;
    for (quint16 word : placeable) {
        out << word;
        checksum ^= word;
    }
    out << checksum;

    const quint32 totalWords = 9 + 5 + 5 + 7 + 4 + 7 + 3;
    out << quint16(1) << quint16(9) << quint16(0x0300) << totalWords << quint16(1) << quint32(7)
        << quint16(0);
    out << quint32(5) << quint16(0x020B) << qint16(0) << qint16(0);          // window origin
    out << quint32(5) << quint16(0x020C) << height << width;                 // window extent
    const quint32 colourRef = quint32(colour.red()) | quint32(colour.green()) << 8
                              | quint32(colour.blue()) << 16;
    out << quint32(7) << quint16(0x02FC) << quint16(0) << colourRef << quint16(0); // solid brush
    out << quint32(4) << quint16(0x012D) << quint16(0);                      // select it
    out << quint32(7) << quint16(0x041B) << height << width << qint16(0) << qint16(0); // rectangle
    out << quint32(3) << quint16(0);                                         // end
    return data;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace PictureFixtures
