#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `quorvan backup [--dir DIR] --to FILE` and `quorvan restore FILE --to DIR
// [--replace]`: the company of a working folder written as one backup
// archive, and such an archive restored into a folder, checked whole before
// anything is put in place, as « Sauvegarder » and « Restaurer » do.
namespace BackupCommand {

enum ExitCode { Done = 0, BadArguments = 2, NotWritten = 4 };

// `arguments` are the words after "backup".
int backup(const QStringList &arguments, QTextStream &out, QTextStream &err);
// `arguments` are the words after "restore".
int restore(const QStringList &arguments, QTextStream &out, QTextStream &err);

QString help();

} // namespace BackupCommand
