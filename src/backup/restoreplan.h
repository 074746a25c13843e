#pragma once

#include "backupmanifest.h"
#include "backupresult.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <variant>

// « Restaurer » in two steps, so that the clerk confirms knowing what will
// be replaced, and nothing of the target folder is touched before the whole
// archive is known to be sound. prepare() reads and checks the archive into
// a hidden folder beside the target; carryOut() then, when the target holds
// a company, makes an automatic backup of it into its "sauvegardes"
// subfolder, keeps in the restored folder what is not a company file, and
// puts the restored folder in the target's place in one step. The replaced
// content, kept in that automatic backup, is removed with the plan, which
// may be dropped later, away from the clerk's wait (thousands of files take
// a while to delete). A plan dropped without carryOut() removes what it read.
class RestorePlan
{
public:
    static std::variant<std::unique_ptr<RestorePlan>, BackupResult>
    prepare(const QString &archivePath, const QString &targetPath, const BackupProgress &progress = {});
    ~RestorePlan();
    RestorePlan(const RestorePlan &) = delete;
    RestorePlan &operator=(const RestorePlan &) = delete;

    const BackupManifest &manifest() const { return m_manifest; }
    QString archivePath() const { return m_archivePath; }
    QString targetPath() const { return m_targetPath; }

    // Whether the target holds a company's files, which the restore replaces.
    bool replacesCompany() const { return !m_current.isEmpty(); }
    // The target's company files the backup holds too, and those it does
    // not (saved after the backup, say): these go, kept in the automatic backup.
    QStringList replaced() const;
    QStringList removed() const;

    BackupResult carryOut(const BackupProgress &progress = {});
    // The automatic backup carryOut() made of the replaced folder, if any.
    QString safetyBackup() const { return m_safetyBackup; }

private:
    RestorePlan(const QString &archivePath, const QString &targetPath);

    QString m_archivePath;
    QString m_targetPath;
    std::unique_ptr<QTemporaryDir> m_staging;
    int m_stagingLock = -1;
    BackupManifest m_manifest;
    QStringList m_current; // the target's company files
    QString m_safetyBackup;
    bool m_done = false;
};
