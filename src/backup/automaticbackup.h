#pragma once

#include "backupresult.h"

#include <QDir>

// The backup made when the program closes after a change: into the
// folder's "sauvegardes" subfolder, the oldest beyond the last ten of them
// removed once the new one is written.
namespace AutomaticBackup {

BackupResult atClosing(const QDir &folder, const BackupProgress &progress = {});

} // namespace AutomaticBackup
