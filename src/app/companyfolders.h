#pragma once

#include <QString>
#include <QStringList>

// The company folders the program works in, as the clerk knows them: what a
// chosen folder is (a company's, empty, something else, not writable) with
// the French word for a refusal, and the recent folders and the last one used,
// remembered in the user's settings (QSettings "Quorvan"/"Quorvan").
namespace CompanyFolders {

enum class Kind {
    Company,    // holds a company's database files
    Empty,      // nothing in it yet (or not created yet): a new company
    Other,      // holds files that are not a company's
    Unwritable, // the program could not write its files there
};

Kind examine(const QString &folder);

// Why FOLDER cannot be opened as a company folder; empty when it can.
QString whyNotOpenable(const QString &folder);
// Why FOLDER cannot receive a new company; empty when it can.
QString whyNotCreatable(const QString &folder);

// The folder's absolute, clean path, the form under which it is remembered.
QString normalised(const QString &folder);

// At most this many recent folders are remembered.
inline constexpr int RecentCapacity = 8;

// The recent folders, the last used first; missing folders included.
QStringList recent();
// Puts FOLDER first in the recent list (once), drops the oldest beyond the
// capacity, and makes it the last folder used.
void remember(const QString &folder);
// Takes FOLDER off the recent list (a folder found missing).
void forget(const QString &folder);
// The last folder used, empty at the very first start.
QString last();

} // namespace CompanyFolders
