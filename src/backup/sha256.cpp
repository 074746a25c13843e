#include "sha256.h"

Sha256::Sha256()
{
    sha256_init(&m_context);
}

void Sha256::addData(const char *data, qint64 size)
{
    sha256_update(&m_context, size_t(size), reinterpret_cast<const uint8_t *>(data));
}

QByteArray Sha256::hexResult()
{
    QByteArray digest(SHA256_DIGEST_SIZE, Qt::Uninitialized);
    sha256_digest(&m_context, SHA256_DIGEST_SIZE, reinterpret_cast<uint8_t *>(digest.data()));
    return digest.toHex();
}

QByteArray Sha256::hexHash(const QByteArray &data)
{
    Sha256 hash;
    hash.addData(data);
    return hash.hexResult();
}
