#include "restoreplan.h"

#include "backupcontents.h"
#include "backupfolder.h"
#include "backupreader.h"
#include "backupwriter.h"
#include "folderswap.h"
#include "wholefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString quoted(const QString &path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

BackupResult notRestored(const QString &target, const QString &why)
{
    return BackupResult::notWritten(
        QStringLiteral("La restauration dans %1 n’a pas été faite : %2. Le dossier est resté tel qu’il était.")
            .arg(quoted(target), why));
}

} // namespace

RestorePlan::RestorePlan(const QString &archivePath, const QString &targetPath)
    : m_archivePath(archivePath)
    , m_targetPath(targetPath)
{}

RestorePlan::~RestorePlan()
{
    m_staging.reset();
    if (m_stagingLock >= 0)
        ::close(m_stagingLock);
}

std::variant<std::unique_ptr<RestorePlan>, BackupResult>
RestorePlan::prepare(const QString &archivePath, const QString &targetPath, const BackupProgress &progress)
{
    const QFileInfo target(targetPath);
    // A link to a folder is restored where it leads.
    const QString path = target.exists() ? target.canonicalFilePath() : target.absoluteFilePath();
    if (target.exists() && !target.isDir())
        return BackupResult::refused(
            QStringLiteral("%1 n’est pas un dossier : la sauvegarde ne peut pas y être restaurée.").arg(quoted(path)));
    const QString parent = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(parent))
        return notRestored(path, QStringLiteral("le dossier %1 ne peut pas être créé").arg(quoted(parent)));

    FolderSwap::removeLeftovers(path);
    std::unique_ptr<RestorePlan> plan(new RestorePlan(archivePath, path));
    plan->m_staging = std::make_unique<QTemporaryDir>(
        QDir(parent).filePath(QStringLiteral(".%1.restauration-XXXXXX").arg(QFileInfo(path).fileName())));
    if (!plan->m_staging->isValid())
        return notRestored(path, plan->m_staging->errorString());
    plan->m_stagingLock = FolderSwap::lockStaging(plan->m_staging->path());
    auto read = BackupReader::extract(archivePath, plan->m_staging->path(), progress);
    if (auto *refusal = std::get_if<BackupResult>(&read))
        return *refusal;
    plan->m_manifest = std::get<BackupManifest>(std::move(read));
    if (target.isDir()) {
        const BackupContents::Listing current = BackupContents::list(QDir(path));
        plan->m_current = current.databases + current.files;
    }
    return plan;
}

QStringList RestorePlan::replaced() const
{
    const auto restored = m_manifest.byName();
    QStringList names;
    for (const QString &name : m_current) {
        if (restored.contains(name))
            names << name;
    }
    return names;
}

QStringList RestorePlan::removed() const
{
    const auto restored = m_manifest.byName();
    QStringList names;
    for (const QString &name : m_current) {
        if (!restored.contains(name))
            names << name;
    }
    return names;
}

BackupResult RestorePlan::carryOut(const BackupProgress &progress)
{
    if (m_done || !m_staging)
        return notRestored(m_targetPath, QStringLiteral("cette restauration a déjà été faite"));
    const QDir target(m_targetPath);
    if (replacesCompany()) {
        int error = 0;
        const QString path = BackupFolder::automaticPath(target, QDateTime::currentDateTime(),
                                                         BackupFolder::Occasion::BeforeRestore, &error);
        if (path.isEmpty())
            return notRestored(m_targetPath, QStringLiteral("la sauvegarde de l’état actuel n’a pas pu être "
                                                            "écrite, %1").arg(WholeFile::reason(error)));
        const BackupResult safety = BackupWriter::write(target, path, progress);
        if (safety.status == BackupResult::Cancelled)
            return safety;
        if (!safety.succeeded())
            return notRestored(m_targetPath,
                               QStringLiteral("la sauvegarde de l’état actuel n’a pas pu être écrite.\n%1")
                                   .arg(safety.message));
        m_safetyBackup = safety.path;
    }
    const QString staging = m_staging->path();
    if (target.exists()) {
        if (const QString failure = FolderSwap::carryOver(m_targetPath, staging); !failure.isEmpty())
            return notRestored(m_targetPath, failure);
        struct stat status;
        if (::stat(QFile::encodeName(m_targetPath).constData(), &status) == 0)
            ::chmod(QFile::encodeName(staging).constData(), status.st_mode & 07777);
    }
    if (const int error = FolderSwap::swap(staging, m_targetPath))
        return notRestored(m_targetPath, WholeFile::reason(error));
    // The staging name now holds the replaced folder, or nothing: it goes
    // with the plan.
    m_done = true;
    return BackupResult::done(m_targetPath);
}
