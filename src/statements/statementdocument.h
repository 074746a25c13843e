#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <variant>

// One statement as a plain table, what the screen's model, the report
// engine, the CSV and the JSON writers all read: French column headers,
// rows of cells, the rows that are sub-totals or totals, and the notes the
// document prints under its table (the euro conversion, the slips changed
// outside the program and left out of the totals).
struct StatementDocument
{
    struct Cell
    {
        QString text;                   // as shown and printed
        std::optional<qint64> centimes; // an amount: its value
        bool operator==(const Cell &) const = default;
    };
    enum class RowKind { Detail, SubTotal, Total, Excluded };
    struct Row
    {
        RowKind kind = RowKind::Detail;
        QList<Cell> cells;
        // A slip whose file no longer matches its checksum: listed, not counted.
        bool changed = false;
        QString fileName; // the slip the row comes from, if one
        bool operator==(const Row &) const = default;
    };
    struct Column
    {
        QString header;
        QString key;        // the JSON name
        bool amount = false; // francs: summed, converted in the euro row
        bool numeric = false; // a number that is no amount (hours): right-aligned
        bool operator==(const Column &) const = default;
    };

    QString title;          // « Journal de paie »
    QString periodText;     // « de janvier à mars 2001 »
    QList<Column> columns;
    QList<Row> rows;
    QStringList notes;      // French, printed under the table
    // The euro total of the document: the franc total converted once.
    std::optional<qint64> totalFrancs;
    std::optional<qint64> totalEuros;
    QString euroRate;

    bool operator==(const StatementDocument &) const = default;
};

// The document as a CSV a French spreadsheet opens without asking:
// UTF-8 with a BOM, semicolons, CRLF, amounts as "1234,56".
namespace StatementCsv {
QByteArray bytes(const StatementDocument &document);
// Written whole through the project's whole-file writing; why not, in French.
std::optional<QString> write(const StatementDocument &document, const QString &path);
} // namespace StatementCsv
