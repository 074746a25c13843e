#include "metafileimage.h"

#include <QtEndian>

#include <cmath>

#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr double Resolution = 72.0;

// The library's session, destroyed whatever way the drawing ends.
class Session
{
public:
    Session()
    {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR
                                    | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None) {
            if (m_api)
                wmf_api_destroy(m_api);
            m_api = nullptr;
        }
    }
    ~Session()
    {
        if (!m_api)
            return;
        if (m_open)
            wmf_mem_close(m_api);
        wmf_api_destroy(m_api);
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    wmfAPI *api() const { return m_api; }
    bool open(QByteArray &data)
    {
        m_open = wmf_mem_open(m_api, reinterpret_cast<unsigned char *>(data.data()),
                              long(data.size()))
                 == wmf_E_None;
        return m_open;
    }

private:
    wmfAPI *m_api = nullptr;
    bool m_open = false;
};

// gd keeps 7 bits of transparency above the colour (0 opaque, 127 clear).
QRgb fromGd(int pixel)
{
    const auto value = static_cast<unsigned int>(pixel);
    const int clear = int((value >> 24) & 0x7F);
    const int alpha = 255 - (clear * 255 + 63) / 127;
    return qRgba(int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF), alpha);
}

QImage copyPixels(const int *pixels, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = fromGd(*pixels++);
    }
    return image;
}

} // namespace

namespace MetafileImage {

bool looksLikeMetafile(const QByteArray &data)
{
    if (data.size() < 18)
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    if (qFromLittleEndian<quint32>(bytes) == PlaceableKey)
        return true;
    // A plain metafile header: type 1 (memory) or 2 (disk), nine words long.
    const quint16 type = qFromLittleEndian<quint16>(bytes);
    const quint16 headerWords = qFromLittleEndian<quint16>(bytes + 2);
    return (type == 1 || type == 2) && headerWords == 9;
}

QImage render(const QByteArray &data)
{
    if (!looksLikeMetafile(data))
        return QImage();
    Session session;
    QByteArray copy = data; // the library reads from memory it does not own
    if (!session.api() || !session.open(copy))
        return QImage();

    wmfD_Rect box;
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_scan(session.api(), 0, &box) != wmf_E_None
        || wmf_display_size(session.api(), &width, &height, Resolution, Resolution) != wmf_E_None
        || width == 0 || height == 0)
        return QImage();

    const double scale = std::min(1.0, double(MaxSide) / double(std::max(width, height)));
    wmf_gd_t *device = WMF_GD_GetData(session.api());
    device->type = wmf_gd_image;
    device->bbox = box;
    device->width = std::max(1u, unsigned(std::lround(width * scale)));
    device->height = std::max(1u, unsigned(std::lround(height * scale)));
    if (wmf_play(session.api(), 0, &box) != wmf_E_None || !device->gd_image)
        return QImage();
    const int *pixels = wmf_gd_image_pixels(device->gd_image);
    if (!pixels)
        return QImage();
    return copyPixels(pixels, int(device->width), int(device->height));
}

} // namespace MetafileImage
