#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The CSV a French spreadsheet opens without asking: fields separated by
// semicolons, UTF-8 with its byte order mark, lines ended by CRLF, a field
// quoted when it holds a semicolon, a quote or a line break.
namespace CsvText {

QByteArray write(const QVector<QStringList> &rows);

struct Table
{
    QVector<QStringList> rows;
    QVector<int> lines; // the line of the file where each row starts, from 1
};

// Reads a CSV file's bytes (the byte order mark optional, LF or CRLF);
// nothing, with `error` in French, when the bytes are not UTF-8 or a quoted
// field is never closed. Empty lines are skipped.
std::optional<Table> read(const QByteArray &content, QString *error);

} // namespace CsvText
