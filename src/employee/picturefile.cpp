#include "picturefile.h"

#include "metafileimage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace PictureFile {

QStringList listedPatterns()
{
    return {QStringLiteral("*.bmp"), QStringLiteral("*.wmf"), QStringLiteral("*.ico"),
            QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
}

QImage decode(const QByteArray &data, const QString &suffix)
{
    if (data.isEmpty())
        return QImage();
    if (MetafileImage::looksLikeMetafile(data))
        return MetafileImage::render(data);
    QImage picture = QImage::fromData(data);
    if (picture.isNull() && !suffix.isEmpty())
        picture = QImage::fromData(data, suffix.toLatin1().constData());
    return picture;
}

QImage read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    return decode(file.readAll(), QFileInfo(path).suffix().toLower());
}

QByteArray toStoredForm(const QImage &picture)
{
    if (picture.isNull())
        return QByteArray();
    QImage stored = picture;
    if (std::max(stored.width(), stored.height()) > MaxStoredSide)
        stored = stored.scaled(MaxStoredSide, MaxStoredSide, Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "PNG");
    return bytes;
}

} // namespace PictureFile
