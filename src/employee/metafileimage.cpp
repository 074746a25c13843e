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

// Receives the PNG the library writes of the drawn picture.
int collect(void *context, char *buffer, int length)
{
    if (length > 0)
        static_cast<QByteArray *>(context)->append(buffer, length);
    return length;
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

    // The library hands the drawing over as PNG; its own bitmap is then
    // freed with the session, which the raw-pixel hand-over would not do.
    wmf_gd_t *device = WMF_GD_GetData(session.api());
    if (!(device->flags & WMF_GD_SUPPORTS_PNG))
        return QImage();
    QByteArray png;
    const double scale = std::min(1.0, double(MaxSide) / double(std::max(width, height)));
    device->type = wmf_gd_png;
    device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    device->sink.context = &png;
    device->sink.function = collect;
    device->bbox = box;
    device->width = std::max(1u, unsigned(std::lround(width * scale)));
    device->height = std::max(1u, unsigned(std::lround(height * scale)));
    if (wmf_play(session.api(), 0, &box) != wmf_E_None)
        return QImage();
    return QImage::fromData(png, "PNG");
}

} // namespace MetafileImage
