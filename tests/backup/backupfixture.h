#pragma once

// What the backup tests share: a company folder made like a real one (the
// demonstration's databases, a layout, the help file, saved pay slips with
// accented names, a pay history database, and files that are no company
// file), the folder's whole content read back to compare, and archives
// written and read entry by entry to make damaged or foreign ones.

#include "demodata.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QTest>
#include <QVariant>

#include <archive.h>
#include <archive_entry.h>
#include <sqlite3.h>

namespace BackupFixture {

inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(content), qint64(content.size()));
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline int execute(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc;
}

// A saved pay slip's shape: JSON, tens of lines, the employee's name in it.
inline QByteArray slip(const QString &employee, int month)
{
    QByteArray text = "{\n  \"format\": \"quorvan-fiche\",\n  \"version\": 2,\n  \"formules\": {\n";
    for (int i = 1; i <= 40; ++i)
        text += QStringLiteral("    \"%1\": \"%2,%3\",\n").arg(i).arg(i * 100 + month).arg(month).toUtf8();
    text += QStringLiteral("    \"nom\": \"%1\"\n  }\n}\n").arg(employee).toUtf8();
    return text;
}

// The demonstration company with every kind of file a working folder holds.
inline void makeCompany(const QString &folder)
{
    QVERIFY(!DemoData::write(folder).has_value());
    const QDir dir(folder);
    writeFile(dir.filePath(QStringLiteral("rkv.rpl")), "{\"format\": \"quorvan-mise-en-page\", \"version\": 1}\n");
    writeFile(dir.filePath(QStringLiteral("helvane.hlp")), "Aide de Quorvan\n");
    writeFile(dir.filePath(QStringLiteral("janvier.rpt")), slip(QStringLiteral("MOREAU , CÉLINE"), 1));
    writeFile(dir.filePath(QStringLiteral("février.rpt")), slip(QStringLiteral("D’ALMEIDA , JOSÉ"), 2));
    writeFile(dir.filePath(QStringLiteral("paie-du-mois 2001-03.brouillon.json")),
              "{\"format\": \"quorvan-payrun-draft\", \"version\": 1}\n");
    QCOMPARE(execute(dir.filePath(QStringLiteral("historique.rkv")),
                     "CREATE TABLE slip (file TEXT, net TEXT, data BLOB);"
                     "INSERT INTO slip VALUES ('janvier.rpt', '5 843,12', x'00ff10');"
                     "INSERT INTO slip VALUES ('février.rpt', '6 001,00', NULL);"),
             SQLITE_OK);
    // Not company files: never in a backup, never lost by a restore.
    writeFile(dir.filePath(QStringLiteral("janvier.pdf")), "%PDF-1.4 pas une fiche");
    writeFile(dir.filePath(QStringLiteral("rkv.endommagé-20010331-174502.rpl")), "abîmé");
}

// Every row of every table of a database, BLOBs included, in rowid order.
inline QMap<QString, QList<QVariantList>> tableContents(const QString &path)
{
    QMap<QString, QList<QVariantList>> contents;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return contents;
    }
    QStringList tables;
    sqlite3_stmt *list = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);
    for (const QString &table : tables) {
        sqlite3_stmt *rows = nullptr;
        const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table).toUtf8();
        sqlite3_prepare_v2(db, sql.constData(), -1, &rows, nullptr);
        QList<QVariantList> &records = contents[table];
        while (sqlite3_step(rows) == SQLITE_ROW) {
            QVariantList record;
            for (int c = 0; c < sqlite3_column_count(rows); ++c) {
                const int bytes = sqlite3_column_bytes(rows, c);
                const auto *data = static_cast<const char *>(sqlite3_column_blob(rows, c));
                record << QVariant(sqlite3_column_type(rows, c)) << QByteArray(data, bytes);
            }
            records << record;
        }
        sqlite3_finalize(rows);
    }
    sqlite3_close(db);
    return contents;
}

// The whole content of a folder, subfolders included: path -> bytes.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), it.fileInfo().isDir() ? QByteArray("<dossier>") : readFile(path));
    }
    return files;
}

// One entry of an archive as the tests write it.
struct Entry
{
    QString name;
    QByteArray data;
    unsigned type = AE_IFREG;
    QString link;         // symbolic or hard link target
    bool hardLink = false;
    qint64 declaredSize = -1; // the header's size when not that of data
};

inline Entry file(const QString &name, const QByteArray &data)
{
    Entry entry;
    entry.name = name;
    entry.data = data;
    return entry;
}

inline Entry special(const QString &name, unsigned type, const QString &link = QString(), bool hardLink = false)
{
    Entry entry;
    entry.name = name;
    entry.type = type;
    entry.link = link;
    entry.hardLink = hardLink;
    return entry;
}

inline QList<Entry> readEntries(const QString &path)
{
    QList<Entry> entries;
    archive *a = archive_read_new();
    archive_read_support_filter_all(a);
    archive_read_support_format_all(a);
    if (archive_read_open_filename(a, QFile::encodeName(path).constData(), 65536) == ARCHIVE_OK) {
        archive_entry *header = nullptr;
        while (archive_read_next_header(a, &header) == ARCHIVE_OK) {
            Entry entry;
            entry.name = QString::fromUtf8(archive_entry_pathname_utf8(header));
            QByteArray buffer(65536, Qt::Uninitialized);
            la_ssize_t got = 0;
            while ((got = archive_read_data(a, buffer.data(), size_t(buffer.size()))) > 0)
                entry.data.append(buffer.constData(), got);
            entries << entry;
        }
    }
    archive_read_free(a);
    return entries;
}

enum class Format { TarZstd, TarGzip, Zip };

inline void writeArchive(const QString &path, const QList<Entry> &entries, Format format = Format::TarZstd)
{
    archive *a = archive_write_new();
    if (format == Format::Zip) {
        archive_write_set_format_zip(a);
    } else {
        archive_write_set_format_pax_restricted(a);
        format == Format::TarZstd ? archive_write_add_filter_zstd(a) : archive_write_add_filter_gzip(a);
    }
    QVERIFY(archive_write_open_filename(a, QFile::encodeName(path).constData()) == ARCHIVE_OK);
    for (const Entry &entry : entries) {
        archive_entry *header = archive_entry_new();
        archive_entry_update_pathname_utf8(header, entry.name.toUtf8().constData());
        archive_entry_set_filetype(header, entry.type);
        archive_entry_set_perm(header, 0600);
        if (entry.hardLink)
            archive_entry_set_hardlink(header, entry.link.toUtf8().constData());
        else if (!entry.link.isEmpty())
            archive_entry_set_symlink(header, entry.link.toUtf8().constData());
        archive_entry_set_size(header, entry.type == AE_IFREG && !entry.hardLink
                                           ? (entry.declaredSize >= 0 ? entry.declaredSize : entry.data.size())
                                           : 0);
        archive_write_header(a, header);
        if (entry.type == AE_IFREG && !entry.data.isEmpty())
            archive_write_data(a, entry.data.constData(), size_t(entry.data.size()));
        archive_entry_free(header);
    }
    archive_write_close(a);
    archive_write_free(a);
}

} // namespace BackupFixture
