#include "storeerror.h"

#include <sqlite3.h>

StoreError::StoreError(int number, QString message)
    : m_number(number)
    , m_message(std::move(message))
{}

QString StoreError::reason(int sqliteCode)
{
    switch (sqliteCode & 0xff) {
    case SQLITE_READONLY:
        return QStringLiteral("le fichier est en lecture seule");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("le fichier est utilisé par un autre programme");
    case SQLITE_FULL:
        return QStringLiteral("le disque est plein");
    case SQLITE_IOERR:
        return QStringLiteral("erreur de lecture ou d’écriture sur le disque");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("le fichier refuse cette modification");
    case SQLITE_CORRUPT:
        return QStringLiteral("le fichier est endommagé");
    case SQLITE_NOTADB:
        return QStringLiteral("son contenu n’est pas celui d’une base de données");
    case SQLITE_CANTOPEN:
        return QStringLiteral("fichier introuvable ou accès refusé");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("accès refusé");
    case SQLITE_NOMEM:
        return QStringLiteral("mémoire insuffisante");
    default:
        return QStringLiteral("erreur %1 du moteur de base de données (%2)")
            .arg(sqliteCode)
            .arg(QString::fromUtf8(sqlite3_errstr(sqliteCode)));
    }
}
