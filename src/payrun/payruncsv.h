#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <variant>

class PayRun;

// The month's figures read from a file a spreadsheet or another program
// wrote: semicolons between cells, decimal comma, UTF-8 with or without its
// byte order mark, a first line naming the columns by the options of
// `quorvan payslip` without their dashes (employee, absence-hours, …), in
// any order. The employee column designates employees as --employee does;
// an empty cell is an empty field. A file is taken whole or not at all: any
// unknown employee, value that is not a number or header fault refuses it,
// with every problem listed in French.
namespace PayRunCsv {

// What an accepted file sets: for each row of the pay run it names, the
// figures of the file's columns.
struct Line
{
    int row = -1;
    QList<std::pair<int, QString>> figures; // figure index, text
};
using Import = QList<Line>;

// Reads the file whole, refusing what is not a regular file of reasonable size.
std::variant<QByteArray, QString> readFile(const QString &path);

// The file's lines against the pay run's employees, or every refusal.
std::variant<Import, QStringList> read(const QByteArray &content, const PayRun &run);

// Sets the figures of an accepted file.
void apply(const Import &import, PayRun &run);

// The refusals as one message: nothing of the file was taken.
QString refusalReport(const QString &fileName, const QStringList &refusals);

// The header line of a file holding every column, for the clerk's example.
QString header();

} // namespace PayRunCsv
