#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A working folder to try the program on: the delivered files, a fictional
// bakery of Tours as employer and three of its employees of 2001, stored as
// the employer and employee screens would have stored them.
namespace DemoData {

// Writes the folder, created when missing. A folder that already holds
// Bdrk.rkv or sterk.rkv is refused: a demonstration never mixes with real
// payroll data. A folder a killed run left half-written is finished: what
// was stored stays, what is missing is added. Returns a French message when
// refused or when a file cannot be written.
std::optional<QString> write(const QString &directory);

// The IDENTIFICATION of each demo employee; the first one is paid the SMIC.
QStringList employees();

} // namespace DemoData
