#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Pictures an employee photo can come from, and the form it is stored in.
// Bitmaps, icons, PNG and JPEG are read by Qt; Windows metafiles are drawn
// into a bitmap. A photo is stored as PNG bytes, scaled down when larger
// than the record needs; empty bytes mean no photo.
namespace PictureFile {

// The file patterns the photo picker lists: "*.bmp;*.wmf;*.ico" and the
// modern picture files clerks have today.
QStringList listedPatterns();

// The picture of a file or of its bytes; a null image when it is not a
// picture this program can show. `suffix` helps formats that cannot be told
// from their content alone.
QImage read(const QString &path);
QImage decode(const QByteArray &data, const QString &suffix = QString());

// A picture as stored in PHOTO: PNG, at most MaxStoredSide pixels on its
// longer side. A null picture gives empty bytes.
QByteArray toStoredForm(const QImage &picture);

inline constexpr int MaxStoredSide = 480;

} // namespace PictureFile
