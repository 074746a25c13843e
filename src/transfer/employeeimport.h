#pragma once

#include "employeerules.h"
#include "storeerror.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class Database;

// Employees brought in from a spreadsheet's CSV (the export's columns, in
// any order, only those wanted): each row checked and normalised as
// "Valider" does for a new employee, then all rows appended in the file's
// order in one transaction, or none.
//
// A rate above 100 is refused rather than brought back to 100,00 as the
// screen does: nobody is there to read the advice, and the figure typed in
// the spreadsheet is more likely a slip than a wish.
namespace EmployeeImport {

struct Refusal
{
    int line = 0;       // the line of the file, from 1 (the header is line 1)
    QString employee;   // « NOM PRENOM » as typed, empty when there is none
    QString reason;
};

struct Checked
{
    QString fileError;             // the file as a whole is refused
    QVector<Refusal> refusals;     // rows refused
    QStringList columns;           // the SALARIE columns the records fill
    QVector<QStringList> records;  // the texts to store, `columns` order

    bool accepted() const { return fileError.isEmpty() && refusals.isEmpty(); }
};

// The employees already on file, for the duplicate checks.
struct Existing
{
    QVector<EmployeeRules::NamePair> names;
    QSet<QString> keys; // IDENTIFICATION
};

// The rows of `content` checked against `existing`: no widget, no file.
Checked check(const QByteArray &content, const Existing &existing);

struct Result
{
    Checked checked;
    QString storeError; // the employee file could not be read or written
    int added = 0;

    bool succeeded() const { return checked.accepted() && storeError.isEmpty(); }
    // What the clerk is told, in French: the count added, or why nothing was.
    QString report() const;
};

// Checks `content` against the file's employees and appends them all in one
// transaction; on any refusal or failure the file stays as it was.
Result run(const std::shared_ptr<Database> &database, const QByteArray &content);

// The same from the file `path`.
Result runFile(const std::shared_ptr<Database> &database, const QString &path);

} // namespace EmployeeImport
