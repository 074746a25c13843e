#include "historyrows.h"

#include "historydatabase.h"

#include <QDateTime>
#include <QStringList>

#include <sqlite3.h>

namespace {

// Columns of a slip row before its figures, in the order they are bound.
const QString SlipColumns = QStringLiteral(
    "file_name, identification, period_start, period_end, checksum, size, modified, changed, seen_size, "
    "seen_modified, format_version, recorded_at");
constexpr int SlipColumnCount = 12;

QString figureColumns()
{
    QStringList names;
    for (const SlipFigures::Field &field : SlipFigures::fields())
        names << QLatin1String(field.name);
    return names.join(QStringLiteral(", "));
}

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QString isoText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QDate isoDate(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

int done(int rc)
{
    return rc == SQLITE_DONE || rc == SQLITE_ROW ? SQLITE_OK : rc;
}

// A reading that went to its end: SQLITE_OK; otherwise what stopped it.
int ended(int rc)
{
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

} // namespace

HistoryRows::HistoryRows(const HistoryDatabase &database)
    : m_database(database)
{
}

Statement &HistoryRows::prepared(Statement &statement, const QString &sql)
{
    if (!statement.isValid())
        statement = m_database.prepare(sql);
    statement.reset();
    return statement;
}

int HistoryRows::run(Statement &statement)
{
    if (!statement.isValid())
        return statement.prepareCode() ? statement.prepareCode() : SQLITE_MISUSE;
    const int rc = done(statement.step());
    statement.reset();
    return rc;
}

int HistoryRows::scan(QList<ScannedSlip> *slips)
{
    Statement statement = m_database.prepare(QStringLiteral(
        "SELECT file_name, identification, period_start, period_end, changed, leave_balance, "
        "cumulative_taxable, cumulative_gross, checksum, size, modified, seen_size, seen_modified FROM slip"));
    if (!statement.isValid())
        return statement.prepareCode();
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
        ScannedSlip slip;
        SlipSummary &s = slip.summary;
        s.fileName = statement.columnText(0);
        s.identification = statement.columnText(1);
        s.periodStart = isoDate(statement.columnText(2));
        s.periodEnd = isoDate(statement.columnText(3));
        s.changed = statement.columnInt64(4) != 0;
        s.leave_balance = statement.columnText(5);
        s.cumulative_taxable = statement.columnText(6);
        s.cumulative_gross = statement.columnText(7);
        slip.file = {statement.columnText(8).toLatin1(), statement.columnInt64(9), statement.columnInt64(10),
                     s.changed, statement.columnInt64(11), statement.columnInt64(12)};
        slips->append(std::move(slip));
    }
    return ended(rc);
}

int HistoryRows::unreadableFiles(QList<UnreadableFile> *files)
{
    Statement statement = m_database.prepare(
        QStringLiteral("SELECT file_name, size, modified, reason FROM unreadable_file ORDER BY file_name"));
    if (!statement.isValid())
        return statement.prepareCode();
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW)
        files->append({statement.columnText(0), statement.columnInt64(1), statement.columnInt64(2),
                       statement.columnText(3)});
    return ended(rc);
}

int HistoryRows::readLines(SavedSlip &slip, qint64 id)
{
    Statement &statement = prepared(m_selectLines, QStringLiteral(
        "SELECT line, label, base, employee_amount, employer_amount FROM slip_line WHERE slip_id = ?"));
    statement.bindInt64(1, id);
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
        const qint64 line = statement.columnInt64(0);
        if (line >= 0 && line < qint64(slip.figures.lines.size()))
            slip.figures.lines[line] = {statement.columnText(1), statement.columnText(2), statement.columnText(3),
                                        statement.columnText(4)};
    }
    statement.reset();
    return ended(rc);
}

int HistoryRows::readSlips(Statement &statement, QList<SavedSlip> *slips)
{
    const QList<SlipFigures::Field> &fields = SlipFigures::fields();
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
        SavedSlip slip;
        SlipSummary &s = slip.summary;
        const qint64 id = statement.columnInt64(0);
        s.fileName = statement.columnText(1);
        s.identification = statement.columnText(2);
        s.periodStart = isoDate(statement.columnText(3));
        s.periodEnd = isoDate(statement.columnText(4));
        slip.checksum = statement.columnText(5).toLatin1();
        slip.size = statement.columnInt64(6);
        slip.modified = statement.columnInt64(7);
        s.changed = statement.columnInt64(8) != 0;
        slip.formatVersion = int(statement.columnInt64(11));
        for (int i = 0; i < fields.size(); ++i)
            slip.figures.*fields.at(i).member = statement.columnText(SlipColumnCount + 1 + i);
        s.leave_balance = slip.figures.leave_balance;
        s.cumulative_taxable = slip.figures.cumulative_taxable;
        s.cumulative_gross = slip.figures.cumulative_gross;
        if (const int linesRc = readLines(slip, id); linesRc != SQLITE_OK)
            return linesRc;
        slips->append(slip);
    }
    return ended(rc);
}

int HistoryRows::slip(const QString &fileName, std::optional<SavedSlip> *slip)
{
    Statement statement = m_database.prepare(
        QStringLiteral("SELECT id, %1, %2 FROM slip WHERE file_name = ?").arg(SlipColumns, figureColumns()));
    if (!statement.isValid())
        return statement.prepareCode();
    statement.bindText(1, fileName);
    QList<SavedSlip> found;
    const int rc = readSlips(statement, &found);
    if (rc == SQLITE_OK && !found.isEmpty())
        *slip = found.constFirst();
    return rc;
}

int HistoryRows::slipsEnding(const QDate &from, const QDate &to, QList<SavedSlip> *slips)
{
    Statement statement = m_database.prepare(
        QStringLiteral("SELECT id, %1, %2 FROM slip WHERE period_end <> '' AND period_end BETWEEN ? AND ? "
                       "ORDER BY identification, period_end, file_name").arg(SlipColumns, figureColumns()));
    if (!statement.isValid())
        return statement.prepareCode();
    statement.bindText(1, isoText(from));
    statement.bindText(2, isoText(to));
    return readSlips(statement, slips);
}

int HistoryRows::write(const SavedSlip &slip)
{
    if (const int rc = remove(slip.summary.fileName); rc != SQLITE_OK)
        return rc;
    const QList<SlipFigures::Field> &fields = SlipFigures::fields();
    Statement &insert = prepared(m_insertSlip,
        QStringLiteral("INSERT INTO slip (%1, %2) VALUES (%3)")
            .arg(SlipColumns, figureColumns(), placeholders(SlipColumnCount + int(fields.size()))));
    const SlipSummary &s = slip.summary;
    insert.bindText(1, s.fileName);
    insert.bindText(2, s.identification);
    insert.bindText(3, isoText(s.periodStart));
    insert.bindText(4, isoText(s.periodEnd));
    insert.bindText(5, QString::fromLatin1(slip.checksum));
    insert.bindInt64(6, slip.size);
    insert.bindInt64(7, slip.modified);
    insert.bindInt64(8, s.changed ? 1 : 0);
    insert.bindInt64(9, slip.size);
    insert.bindInt64(10, slip.modified);
    insert.bindInt64(11, slip.formatVersion);
    insert.bindText(12, QDateTime::currentDateTime().toString(Qt::ISODate));
    for (int i = 0; i < fields.size(); ++i)
        insert.bindText(SlipColumnCount + 1 + i, slip.figures.*fields.at(i).member);
    if (const int rc = run(insert); rc != SQLITE_OK)
        return rc;

    const qint64 id = m_database.lastInsertId();
    Statement &line = prepared(m_insertLine, QStringLiteral(
        "INSERT INTO slip_line (slip_id, line, label, base, employee_amount, employer_amount) "
        "VALUES (?, ?, ?, ?, ?, ?)"));
    for (int index = 0; index < int(slip.figures.lines.size()); ++index) {
        const SlipFigures::Line &figures = slip.figures.lines[index];
        line.bindInt64(1, id);
        line.bindInt64(2, index);
        line.bindText(3, figures.label);
        line.bindText(4, figures.base);
        line.bindText(5, figures.employee);
        line.bindText(6, figures.employer);
        if (const int rc = run(line); rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

int HistoryRows::remove(const QString &fileName)
{
    Statement &lines = prepared(m_deleteLines, QStringLiteral(
        "DELETE FROM slip_line WHERE slip_id IN (SELECT id FROM slip WHERE file_name = ?)"));
    lines.bindText(1, fileName);
    if (const int rc = run(lines); rc != SQLITE_OK)
        return rc;
    Statement &slip = prepared(m_deleteSlip, QStringLiteral("DELETE FROM slip WHERE file_name = ?"));
    slip.bindText(1, fileName);
    return run(slip);
}

int HistoryRows::setChanged(const QString &fileName, bool changed, qint64 seenSize, qint64 seenModified)
{
    Statement statement = m_database.prepare(QStringLiteral(
        "UPDATE slip SET changed = ?, seen_size = ?, seen_modified = ? WHERE file_name = ?"));
    statement.bindInt64(1, changed ? 1 : 0);
    statement.bindInt64(2, seenSize);
    statement.bindInt64(3, seenModified);
    statement.bindText(4, fileName);
    return run(statement);
}

int HistoryRows::setUnreadable(const UnreadableFile &file)
{
    Statement statement = m_database.prepare(QStringLiteral(
        "INSERT OR REPLACE INTO unreadable_file (file_name, size, modified, reason) VALUES (?, ?, ?, ?)"));
    statement.bindText(1, file.fileName);
    statement.bindInt64(2, file.size);
    statement.bindInt64(3, file.modified);
    statement.bindText(4, file.reason);
    return run(statement);
}

int HistoryRows::removeUnreadable(const QString &fileName)
{
    Statement statement = m_database.prepare(QStringLiteral("DELETE FROM unreadable_file WHERE file_name = ?"));
    statement.bindText(1, fileName);
    return run(statement);
}
