#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Which files of a working folder make up the company, and so a backup:
// every database (*.rkv: the employee file, the employer, the pay history),
// the layout "rkv.rpl", the help file "helvane.hlp", every saved pay slip
// (*.rpt) and the month's pay run typed and not yet saved, its drafts
// (*.brouillon.json). Only regular files of the folder itself count: no link, no
// subfolder (the automatic backups live in one), no temporary file of a
// writer and no file set aside as damaged.
namespace BackupContents {

enum class Kind { None, Database, Layout, Help, Payslip, Draft };

// The subfolder of the working folder that holds its automatic backups.
inline constexpr const char *BackupsFolder = "sauvegardes";
inline constexpr const char *LayoutName = "rkv.rpl";
inline constexpr const char *HelpName = "helvane.hlp";
// « paie-du-mois 2001-03.brouillon.json », as the pay run names its drafts.
inline constexpr const char *DraftSuffix = ".brouillon.json";

// What a file of that name is, from its name alone.
Kind kindOf(const QString &fileName);

// A name a restore may write: one plain file name of a company file (no
// folder, no "..", nothing hidden, no control character), at most 255 bytes.
bool isSafeName(const QString &name);

struct Listing
{
    QStringList databases; // sorted
    QStringList files;     // the layout, the help file, the pay slips, the drafts, sorted
    qint64 size = 0;       // bytes of all of them
    int count() const { return int(databases.size() + files.size()); }
};
Listing list(const QDir &folder);

// Whether the folder holds a company's files (one of the two described
// databases), which a restore must not replace unasked.
bool holdsCompany(const QDir &folder);

// A database engine's journal beside a database ("Bdrk.rkv-journal"): it
// belongs with its file and is never carried beside another one.
bool isDatabaseCompanion(const QString &fileName);

} // namespace BackupContents
