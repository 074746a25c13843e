#pragma once

// What the pay run's tests share: a demonstration folder, more employees
// than its three, an employee's stored field changed as another program or
// a damaged record would leave it, all written straight into the files.

#include "demodata.h"

#include <QDir>
#include <QString>
#include <sqlite3.h>

namespace PayRunTestSupport {

inline const QString Moreau = QStringLiteral("MOREAU , CÉLINE");
inline const QString Almeida = QStringLiteral("D’ALMEIDA , JOSÉ");
inline const QString Lambert = QStringLiteral("LAMBERT , ÉLISE");

inline bool writeDemo(const QString &directory)
{
    if (const auto refusal = DemoData::write(directory)) {
        qWarning("%s", qPrintable(*refusal));
        return false;
    }
    return true;
}

// Runs statements on the folder's employee file; `text` is bound to ?1.
inline bool execute(const QString &directory, const QString &sql, const QString &text = QString())
{
    sqlite3 *db = nullptr;
    const QByteArray path = QDir(directory).filePath(QStringLiteral("Bdrk.rkv")).toUtf8();
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return false;
    sqlite3_stmt *statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    bool done = sqlite3_prepare_v2(db, utf8.constData(), -1, &statement, nullptr) == SQLITE_OK;
    if (done && !text.isNull()) {
        const QByteArray bound = text.toUtf8();
        sqlite3_bind_text(statement, 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
    }
    done = done && sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return done;
}

// An employee's stored field set to `text`, as if typed elsewhere.
inline bool setEmployeeField(const QString &directory, const QString &identification, const QString &column,
                             const QString &text)
{
    return execute(directory,
                   QStringLiteral("UPDATE SALARIE SET \"%1\" = ?1 WHERE IDENTIFICATION = '%2'")
                       .arg(column, QString(identification).replace(u'\'', QStringLiteral("''"))),
                   text);
}

// Runs a script of statements on the folder's employee file.
inline bool script(const QString &directory, const QString &sql)
{
    sqlite3 *db = nullptr;
    const QByteArray path = QDir(directory).filePath(QStringLiteral("Bdrk.rkv")).toUtf8();
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return false;
    const bool done = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

// The first employee copied `count` times, as TEST0001 , ANNE, TEST0002 , ANNE…
inline bool addEmployees(const QString &directory, int count)
{
    QString sql = QStringLiteral("BEGIN; CREATE TEMP TABLE copy AS SELECT * FROM SALARIE WHERE rowid = 1;");
    for (int i = 1; i <= count; ++i) {
        const QString surname = QStringLiteral("TEST%1").arg(i, 4, 10, QLatin1Char('0'));
        sql += QStringLiteral("UPDATE copy SET NOM = '%1', PRENOM = 'ANNE', IDENTIFICATION = '%1 , ANNE';"
                              "INSERT INTO SALARIE SELECT * FROM copy;").arg(surname);
    }
    return script(directory, sql + QStringLiteral("COMMIT;"));
}

} // namespace PayRunTestSupport
