#pragma once

#include <QByteArray>

#include <nettle/sha2.h>

// SHA-256 of a file's bytes for the backup manifest, through nettle, which
// uses the processor's SHA instructions: a company's thousands of saved pay
// slips are hashed in a fraction of the time of a portable implementation.
class Sha256
{
public:
    Sha256();
    void addData(const char *data, qint64 size);
    void addData(const QByteArray &data) { addData(data.constData(), data.size()); }
    // The digest in lower-case hexadecimal; the hash starts anew afterwards.
    QByteArray hexResult();

    static QByteArray hexHash(const QByteArray &data);

private:
    sha256_ctx m_context;
};
