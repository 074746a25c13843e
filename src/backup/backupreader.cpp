#include "backupreader.h"

#include "backupcontents.h"
#include "databasebackup.h"
#include "schema.h"
#include "sha256.h"
#include "utf8locale.h"
#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace BackupReader {

namespace {

constexpr qint64 BufferSize = 1024 * 1024;

QString quoted(const QString &text)
{
    return QStringLiteral("« %1 »").arg(text);
}

struct ArchiveFree
{
    void operator()(archive *a) const { archive_read_free(a); }
};

struct FileCloser
{
    int fd;
    ~FileCloser() { ::close(fd); }
};

// Thrown out of the reading loop as a result, never past this file.
struct Stop
{
    BackupResult result;
};

class Reading
{
public:
    Reading(const QString &archivePath, const QString &into, const BackupProgress &progress)
        : m_archivePath(archivePath), m_into(into), m_progress(progress),
          m_total(QFileInfo(archivePath).size()), m_buffer(BufferSize, Qt::Uninitialized) {}

    BackupManifest run()
    {
        const Utf8Locale names;
        const std::unique_ptr<archive, ArchiveFree> a(archive_read_new());
        m_archive = a.get();
        // Any compression is undone, but only a tar is read: anything else
        // is no backup of ours, whatever it holds.
        archive_read_support_filter_all(m_archive);
        archive_read_support_format_tar(m_archive);
        if (archive_read_open_filename(m_archive, QFile::encodeName(m_archivePath).constData(), BufferSize)
            != ARCHIVE_OK)
            throw openFailure();
        archive_entry *entry = nullptr;
        int rc = ARCHIVE_OK;
        while ((rc = archive_read_next_header(m_archive, &entry)) == ARCHIVE_OK) {
            readEntry(entry);
            ++m_entries;
        }
        // A stream whose compression was recognised was cut or spoilt;
        // otherwise it is not an archive of ours at all.
        if (rc != ARCHIVE_EOF && m_entries == 0 && !compressed())
            throw foreign(QStringLiteral("son format n’est pas celui d’une sauvegarde"));
        if (rc != ARCHIVE_EOF)
            throw damaged(QStringLiteral("elle s’arrête avant sa fin"));
        return checkedManifest();
    }

private:
    Stop refusal(const QString &why) const
    {
        return {BackupResult::refused(QStringLiteral("La sauvegarde %1 est refusée : %2. Rien n’a été modifié.")
                                          .arg(quoted(QDir::toNativeSeparators(m_archivePath)), why))};
    }
    Stop damaged(const QString &detail) const
    {
        return refusal(QStringLiteral("elle est endommagée ou incomplète (%1)").arg(detail));
    }
    Stop unreadable(const QString &name) const
    {
        return damaged(QStringLiteral("%1 ne peut pas être lu en entier").arg(quoted(name)));
    }
    Stop foreign(const QString &why) const
    {
        return refusal(QStringLiteral("ce n’est pas une sauvegarde Quorvan : %1").arg(why));
    }
    Stop notWritten(const QString &name, int error) const
    {
        return {BackupResult::notWritten(
            QStringLiteral("La sauvegarde %1 n’a pas pu être restaurée : le fichier %2 n’a pas pu être "
                           "écrit, %3. Rien n’a été modifié.")
                .arg(quoted(QDir::toNativeSeparators(m_archivePath)), quoted(name), WholeFile::reason(error)))};
    }

    // Compressed as our backups are: a stream cut or spoilt, not a foreign file.
    bool compressed() const
    {
        QFile file(m_archivePath);
        return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("\x28\xb5\x2f\xfd", 4);
    }

    Stop openFailure() const
    {
        const QFileInfo info(m_archivePath);
        if (!info.exists())
            return refusal(QStringLiteral("le fichier n’existe pas"));
        if (!info.isFile())
            return refusal(QStringLiteral("ce n’est pas un fichier"));
        if (!info.isReadable())
            return refusal(QStringLiteral("accès refusé"));
        if (compressed())
            return damaged(QStringLiteral("elle s’arrête avant sa fin"));
        return foreign(QStringLiteral("son format n’est pas celui d’une sauvegarde"));
    }

    void readEntry(archive_entry *entry)
    {
        const char *utf8 = archive_entry_pathname_utf8(entry);
        const QString name = utf8 ? QString::fromUtf8(utf8) : QString();
        if (m_manifest)
            throw damaged(QStringLiteral("un fichier suit la liste des fichiers"));
        if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry)
            || archive_entry_symlink(entry))
            throw foreign(QStringLiteral("elle contient un lien, un dossier ou un fichier spécial (%1)")
                              .arg(quoted(name)));
        if (!archive_entry_size_is_set(entry))
            throw damaged(QStringLiteral("taille inconnue de %1").arg(quoted(name)));
        const qint64 size = archive_entry_size(entry);
        if (name == QLatin1String(BackupManifest::EntryName)) {
            readManifest(size);
            return;
        }
        if (!BackupContents::isSafeName(name))
            throw foreign(QStringLiteral("elle contient un fichier %1 qui n’est pas un fichier d’entreprise")
                              .arg(quoted(name)));
        if (m_found.contains(name))
            throw damaged(QStringLiteral("%1 y est deux fois").arg(quoted(name)));
        m_found.insert(name, {name, size, extractFile(name, size, archive_entry_mtime(entry))});
    }

    QByteArray extractFile(const QString &name, qint64 size, time_t modified)
    {
        const QByteArray path = QFile::encodeName(QDir(m_into).filePath(name));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            throw notWritten(name, errno);
        const FileCloser closer{fd};
        Sha256 hash;
        qint64 count = 0;
        for (;;) {
            const la_ssize_t got = archive_read_data(m_archive, m_buffer.data(), size_t(BufferSize));
            if (got < 0)
                throw unreadable(name);
            if (got == 0)
                break;
            count += got;
            if (count > size)
                throw damaged(QStringLiteral("%1 est plus long que prévu").arg(quoted(name)));
            hash.addData(m_buffer.constData(), got);
            writeAll(fd, name, m_buffer.constData(), got);
            tellProgress();
        }
        if (count != size)
            throw damaged(QStringLiteral("%1 est incomplet").arg(quoted(name)));
        const struct timespec times[2] = {{modified, 0}, {modified, 0}};
        ::futimens(fd, times);
        return hash.hexResult();
    }

    void writeAll(int fd, const QString &name, const char *data, qint64 size) const
    {
        while (size > 0) {
            const ssize_t written = ::write(fd, data, size_t(size));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                throw notWritten(name, written < 0 ? errno : ENOSPC);
            data += written;
            size -= written;
        }
    }

    void readManifest(qint64 size)
    {
        if (size > BackupManifest::MaximumSize)
            throw foreign(QStringLiteral("sa liste des fichiers est trop grande"));
        QByteArray json;
        for (;;) {
            const la_ssize_t got = archive_read_data(m_archive, m_buffer.data(), size_t(BufferSize));
            if (got < 0)
                throw unreadable(QLatin1String(BackupManifest::EntryName));
            if (got == 0)
                break;
            json.append(m_buffer.constData(), got);
            if (json.size() > size)
                throw damaged(QStringLiteral("la liste des fichiers est plus longue que prévu"));
        }
        if (json.size() != size)
            throw damaged(QStringLiteral("la liste des fichiers est incomplète"));
        QString why;
        bool notOurs = false;
        m_manifest = BackupManifest::fromJson(json, &why, &notOurs);
        if (!m_manifest)
            throw notOurs ? foreign(why) : refusal(why);
    }

    void tellProgress()
    {
        if (m_progress && !m_progress(archive_filter_bytes(m_archive, -1), m_total))
            throw Stop{BackupResult::cancelled()};
    }

    BackupManifest checkedManifest() const
    {
        if (!m_manifest)
            throw foreign(QStringLiteral("elle ne contient pas la liste de ses fichiers (%1)")
                              .arg(quoted(QLatin1String(BackupManifest::EntryName))));
        const QHash<QString, BackupManifest::Entry> listed = m_manifest->byName();
        for (const BackupManifest::Entry &found : m_found) {
            const auto it = listed.constFind(found.name);
            if (it == listed.cend())
                throw damaged(QStringLiteral("%1 n’est pas dans la liste des fichiers").arg(quoted(found.name)));
            if (it->size != found.size || it->sha256 != found.sha256)
                throw damaged(QStringLiteral("le contenu de %1 ne correspond pas à la liste des fichiers")
                                  .arg(quoted(found.name)));
        }
        for (const BackupManifest::Entry &entry : m_manifest->entries) {
            if (!m_found.contains(entry.name))
                throw damaged(QStringLiteral("%1 manque").arg(quoted(entry.name)));
        }
        checkDatabases();
        return *m_manifest;
    }

    void checkDatabases() const
    {
        const DatabaseDefinition main = Schema::mainDatabase();
        const DatabaseDefinition employer = Schema::employerDatabase();
        for (const DatabaseDefinition *required : {&main, &employer}) {
            if (!m_found.contains(required->fileName))
                throw foreign(QStringLiteral("le fichier %1 manque").arg(quoted(required->fileName)));
        }
        for (const BackupManifest::Entry &found : m_found) {
            if (BackupContents::kindOf(found.name) != BackupContents::Kind::Database)
                continue;
            const DatabaseDefinition *definition = found.name == main.fileName       ? &main
                                                   : found.name == employer.fileName ? &employer
                                                                                     : nullptr;
            if (const StoreError error = DatabaseBackup::check(QDir(m_into).filePath(found.name), definition))
                throw damaged(error.message().chopped(1));
        }
    }

    QString m_archivePath;
    QString m_into;
    const BackupProgress &m_progress;
    qint64 m_total;
    QByteArray m_buffer;
    archive *m_archive = nullptr;
    QHash<QString, BackupManifest::Entry> m_found;
    int m_entries = 0;
    std::optional<BackupManifest> m_manifest;
};

} // namespace

std::variant<BackupManifest, BackupResult> extract(const QString &archivePath, const QString &into,
                                                   const BackupProgress &progress)
{
    try {
        return Reading(archivePath, into, progress).run();
    } catch (const Stop &stop) {
        return stop.result;
    }
}

} // namespace BackupReader
