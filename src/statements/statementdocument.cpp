#include "statementdocument.h"

#include "statementamount.h"
#include "wholefile.h"

namespace StatementCsv {

namespace {

QString quoted(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString inner = text;
    inner.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

// An amount as a spreadsheet reads it; any other cell as shown.
QString cellText(const StatementDocument::Cell &cell)
{
    return cell.centimes ? StatementAmount::plain(*cell.centimes) : quoted(cell.text);
}

} // namespace

QByteArray bytes(const StatementDocument &document)
{
    QStringList lines;
    QStringList headers;
    for (const StatementDocument::Column &column : document.columns)
        headers << quoted(column.header);
    lines << headers.join(u';');
    for (const StatementDocument::Row &row : document.rows) {
        QStringList cells;
        for (const StatementDocument::Cell &cell : row.cells)
            cells << cellText(cell);
        lines << cells.join(u';');
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

std::optional<QString> write(const StatementDocument &document, const QString &path)
{
    if (const int error = WholeFile::write(path, bytes(document)))
        return QStringLiteral("Le fichier « %1 » n’a pas pu être écrit : %2.").arg(path, WholeFile::reason(error));
    return std::nullopt;
}

} // namespace StatementCsv
