#pragma once

#include <QString>

// The last steps of a restore, which make it all or nothing: what the
// restored folder must keep of the folder it replaces is linked into it
// beforehand, then the two folders change places in one rename, so that a
// restore stopped at any moment leaves the folder as it was or wholly
// restored, never a mix.
namespace FolderSwap {

// Links into `to` everything of `from` that is not a company file of the
// backup (the automatic backups' subfolder, PDFs, files set aside, the
// clerk's own files), subfolders included, so nothing is lost with the old
// folder. A database's journal is never carried: it would be applied to
// the restored file. Returns an empty text, or why something could not be
// carried, in French.
QString carryOver(const QString &from, const QString &to);

// Locks the folder a restore reads into, for as long as the returned
// descriptor is open (-1 when it cannot be locked): a folder left by a
// restore that was stopped is told from one another program is filling.
int lockStaging(const QString &staging);

// Removes what stopped restores left beside `target` (their hidden folders,
// personal data all of them), never one a living restore holds. Returns
// how many were removed.
int removeLeftovers(const QString &target);

// Flushes `staging` to the disk, then puts it in the place of `target`:
// the two change places in one step when `target` exists (the old content
// is then at `staging`), or `staging` takes the name when it does not.
// Returns 0 or the errno of the failure, nothing having moved.
int swap(const QString &staging, const QString &target);

} // namespace FolderSwap
