#pragma once

#include <QByteArray>
#include <QImage>

// Windows metafiles (.wmf) drawn into a bitmap, so a metafile photo is shown
// and stored like any other picture.
namespace MetafileImage {

// True when the data starts like a metafile (placeable or plain header).
bool looksLikeMetafile(const QByteArray &data);

// The metafile drawn at its own size (72 dots per inch, at most
// MaxSide pixels on its longer side); a null image when the data is not a
// metafile the library can play.
QImage render(const QByteArray &data);

inline constexpr int MaxSide = 1024;

} // namespace MetafileImage
