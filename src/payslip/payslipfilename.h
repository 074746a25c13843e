#pragma once

#include <QString>
#include <QStringList>

class QDir;

// The names of saved pay slips: a name typed by the clerk becomes the file
// name + ".rpt" in the working directory, and the archive is every "*.rpt"
// file found there. A name that would leave the working directory or that
// the file system refuses is turned down before anything is written.
namespace PayslipFileName {

inline constexpr const char *Extension = ".rpt";
inline constexpr const char *Pattern = "*.rpt";

// Why the typed name cannot name a saved pay slip, in French; empty when it
// can. An empty name is not judged here: the dialog simply waits for one.
QString refusal(const QString &name);

// The file written for a typed name: ".rpt" is always appended, even to a
// name that already ends with it.
QString fileName(const QString &name);

// The saved pay slips of `directory`, file names only, in alphabetical order.
QStringList savedPayslips(const QDir &directory);

} // namespace PayslipFileName
