#include "backupwriter.h"

#include "backupcontents.h"
#include "backupfolder.h"
#include "backupmanifest.h"
#include "databasebackup.h"
#include "schema.h"
#include "sha256.h"
#include "temporaryfile.h"
#include "utf8locale.h"
#include "wholefile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace BackupWriter {

namespace {

constexpr qint64 BufferSize = 1024 * 1024;

QString quoted(const QString &path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

BackupResult notWritten(const QString &archivePath, const QString &why)
{
    return BackupResult::notWritten(
        QStringLiteral("La sauvegarde %1 n’a pas pu être écrite : %2.").arg(quoted(archivePath), why));
}

struct ArchiveFree
{
    void operator()(archive *a) const { archive_write_free(a); }
};
using ArchivePointer = std::unique_ptr<archive, ArchiveFree>;

struct FileCloser
{
    int fd;
    ~FileCloser() { ::close(fd); }
};

la_ssize_t writeToTemporary(archive *a, void *client, const void *buffer, size_t length)
{
    auto *file = static_cast<TemporaryFile *>(client);
    if (!file->write(QByteArray::fromRawData(static_cast<const char *>(buffer), qsizetype(length)))) {
        archive_set_error(a, file->error(), "write");
        return -1;
    }
    return la_ssize_t(length);
}

// One archive being written, with the sizes and checksums of what went in.
class Writing
{
public:
    Writing(archive *a, const BackupProgress &progress, qint64 total)
        : m_archive(a), m_progress(progress), m_total(total), m_buffer(BufferSize, Qt::Uninitialized) {}

    BackupManifest manifest;
    QString failure;          // why the archive cannot be finished, in French
    bool cancelled = false;

    // Adds the regular file `path` under `name`.
    bool addFile(const QString &path, const QString &name)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return fail(QStringLiteral("le fichier %1 ne peut pas être lu, %2")
                            .arg(quoted(name), WholeFile::reason(errno)));
        const FileCloser closer{fd};
        struct stat status;
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
            return fail(QStringLiteral("%1 n’est pas un fichier").arg(quoted(name)));
        if (!writeHeader(name, status.st_size, status.st_mtim.tv_sec))
            return false;

        Sha256 hash;
        qint64 left = status.st_size;
        while (left > 0) {
            const ssize_t got = ::read(fd, m_buffer.data(), size_t(qMin(left, BufferSize)));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return fail(got < 0 ? QStringLiteral("le fichier %1 ne peut pas être lu, %2")
                                          .arg(quoted(name), WholeFile::reason(errno))
                                    : changed(name));
            if (!writeData(m_buffer.constData(), got))
                return false;
            hash.addData(m_buffer.constData(), got);
            left -= got;
            if (!advance(got))
                return false;
        }
        // A file that grew meanwhile would be archived cut short.
        char extra;
        if (::read(fd, &extra, 1) > 0)
            return fail(changed(name));
        manifest.entries.append({name, qint64(status.st_size), hash.hexResult()});
        return true;
    }

    bool addManifest()
    {
        const QByteArray json = manifest.toJson();
        return writeHeader(QLatin1String(BackupManifest::EntryName), json.size(),
                           manifest.created.toSecsSinceEpoch())
               && writeData(json.constData(), json.size());
    }

private:
    static QString changed(const QString &name)
    {
        return QStringLiteral("le fichier %1 a changé pendant la sauvegarde ; recommencez la sauvegarde")
            .arg(quoted(name));
    }

    bool fail(const QString &why)
    {
        failure = why;
        return false;
    }

    bool archiveFailed()
    {
        const int error = archive_errno(m_archive);
        return fail(error > 0 ? WholeFile::reason(error)
                              : QString::fromUtf8(archive_error_string(m_archive)));
    }

    bool writeHeader(const QString &name, qint64 size, qint64 modified)
    {
        archive_entry *entry = archive_entry_new2(m_archive);
        archive_entry_update_pathname_utf8(entry, name.toUtf8().constData());
        archive_entry_set_size(entry, size);
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0600);
        archive_entry_set_mtime(entry, modified, 0);
        const int rc = archive_write_header(m_archive, entry);
        archive_entry_free(entry);
        return rc == ARCHIVE_OK || archiveFailed();
    }

    bool writeData(const char *data, qint64 size)
    {
        while (size > 0) {
            const la_ssize_t written = archive_write_data(m_archive, data, size_t(size));
            if (written <= 0)
                return archiveFailed();
            data += written;
            size -= written;
        }
        return true;
    }

    bool advance(qint64 bytes)
    {
        m_done += bytes;
        if (m_progress && !m_progress(m_done, m_total)) {
            cancelled = true;
            return false;
        }
        return true;
    }

    archive *m_archive;
    const BackupProgress &m_progress;
    qint64 m_total;
    qint64 m_done = 0;
    QByteArray m_buffer;
};

ArchivePointer openArchive(TemporaryFile &file)
{
    ArchivePointer a(archive_write_new());
    // pax keeps names of any length and accent exactly (UTF-8); zstd is
    // fast and, over slips that share their layout, compresses them well.
    if (!a || archive_write_set_format_pax_restricted(a.get()) != ARCHIVE_OK
        || archive_write_add_filter_zstd(a.get()) != ARCHIVE_OK
        || archive_write_set_bytes_in_last_block(a.get(), 1) != ARCHIVE_OK
        || archive_write_open(a.get(), &file, nullptr, writeToTemporary, nullptr) != ARCHIVE_OK)
        return nullptr;
    return a;
}

} // namespace

BackupResult write(const QDir &folder, const QString &archivePath, const BackupProgress &progress,
                   bool replace)
{
    const BackupContents::Listing listing = BackupContents::list(folder);
    if (!listing.databases.contains(QLatin1String(Schema::MainFileName)))
        return BackupResult::refused(
            QStringLiteral("Le dossier %1 ne contient pas les fichiers d’une entreprise : le fichier %2 "
                           "est absent. Rien n’a été sauvegardé.")
                .arg(quoted(folder.absolutePath()), QLatin1String(Schema::MainFileName)));
    if (!replace && QFileInfo::exists(archivePath))
        return BackupResult::refused(QStringLiteral("Le fichier %1 existe déjà : choisissez un autre nom. "
                                                    "Rien n’a été sauvegardé.")
                                         .arg(quoted(archivePath)));

    TemporaryFile file(archivePath);
    if (!file.isValid())
        return notWritten(archivePath, WholeFile::reason(file.error()));
    // The databases' copies are personal data too: an owner-only folder
    // beside the archive, removed with everything in it.
    QTemporaryDir copies(QFileInfo(archivePath).absolutePath() + QStringLiteral("/.quorvan-copies-XXXXXX"));
    if (!copies.isValid())
        return notWritten(archivePath, copies.errorString());

    qint64 total = 0;
    for (const QString &name : listing.files)
        total += QFileInfo(folder.filePath(name)).size();
    for (const QString &name : listing.databases) {
        const QString copy = QDir(copies.path()).filePath(name);
        if (const StoreError error = DatabaseBackup::copy(folder.filePath(name), copy))
            return BackupResult::notWritten(QStringLiteral("La sauvegarde %1 n’a pas pu être écrite. %2")
                                                .arg(quoted(archivePath), error.message()));
        total += QFileInfo(copy).size();
    }

    const Utf8Locale names;
    ArchivePointer a = openArchive(file);
    if (!a)
        return notWritten(archivePath, WholeFile::reason(file.error() ? file.error() : EIO));
    Writing writing(a.get(), progress, total);
    writing.manifest.company = BackupFolder::companyName(folder);
    writing.manifest.folderName = folder.dirName();
    writing.manifest.created = QDateTime::currentDateTime();
    bool written = true;
    for (const QString &name : listing.databases) {
        written = written && writing.addFile(QDir(copies.path()).filePath(name), name);
    }
    for (const QString &name : listing.files)
        written = written && writing.addFile(folder.filePath(name), name);
    written = written && writing.addManifest();
    if (writing.cancelled)
        return BackupResult::cancelled();
    if (!written)
        return notWritten(archivePath, writing.failure);
    if (archive_write_close(a.get()) != ARCHIVE_OK) {
        const int error = archive_errno(a.get());
        return notWritten(archivePath, error > 0 ? WholeFile::reason(error)
                                                 : QString::fromUtf8(archive_error_string(a.get())));
    }
    a.reset();
    if (!file.publish(replace ? TemporaryFile::Existing::Replace : TemporaryFile::Existing::Keep))
        return notWritten(archivePath, WholeFile::reason(file.error()));
    return BackupResult::done(QFileInfo(archivePath).absoluteFilePath());
}

} // namespace BackupWriter
