#pragma once

#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>

// Where backups go and what they are called: after the company and the date
// and time (« BOULANGERIE-DU-MAIL-sauvegarde-20010331-174502.tar.zst »), the
// company being the employer's name of sterk.rkv made fit for a file name,
// or the working folder's name when the employer has none. The automatic
// backups (at closing after a change, and before a restore replaces the
// folder) go into the subfolder "sauvegardes" of the working folder, which
// no backup takes in; the last ten of those made at closing are kept.
namespace BackupFolder {

enum class Occasion { Chosen, AtClosing, BeforeRestore };

inline constexpr const char *Extension = ".tar.zst";
inline constexpr int KeptAtClosing = 10;

// The employer's name stored in the folder's sterk.rkv, or an empty text.
QString companyName(const QDir &folder);

// Letters and digits kept, every other run of characters made one "-", at
// most 60 characters; `fallback` when nothing is left, "quorvan" after that.
QString safeName(const QString &company, const QString &fallback);

// The file name of a backup of `folder` made at `when`.
QString fileName(const QDir &folder, const QDateTime &when, Occasion occasion);

// The path of a new automatic backup of `folder`, in its subfolder (created
// owner-only when missing), never that of an existing file. Empty with
// `error` (an errno) set when the subfolder cannot be made.
QString automaticPath(const QDir &folder, const QDateTime &when, Occasion occasion, int *error);

// Removes the oldest backups made at closing beyond the last `keep`;
// returns the names removed. Other files of the subfolder are left alone.
QStringList prune(const QDir &folder, int keep = KeptAtClosing);

// The backups made at closing, oldest first.
QStringList closingBackups(const QDir &folder);

} // namespace BackupFolder
