#include "csvtext.h"

#include <QStringDecoder>

namespace CsvText {

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

QString field(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

bool isBlank(const QStringList &row)
{
    return row.size() == 1 && row.first().isEmpty();
}

} // namespace

QByteArray write(const QVector<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &value : row)
            fields << field(value);
        text += fields.join(u';') + QStringLiteral("\r\n");
    }
    return Bom + text.toUtf8();
}

std::optional<Table> read(const QByteArray &content, QString *error)
{
    const QByteArray bytes = content.startsWith(Bom) ? content.mid(Bom.size()) : content;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        *error = QStringLiteral("le fichier n’est pas écrit en UTF-8 : enregistrez-le depuis le "
                                "tableur en « CSV UTF-8 » et recommencez");
        return std::nullopt;
    }
    Table table;
    QStringList row;
    QString value;
    bool quoted = false;
    int line = 1;
    int rowLine = 1;
    const auto endRow = [&] {
        row << value;
        value.clear();
        if (!isBlank(row)) {
            table.rows << row;
            table.lines << rowLine;
        }
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n')
            ++line;
        if (quoted) {
            if (c != u'"')
                value += c;
            else if (i + 1 < text.size() && text.at(i + 1) == u'"')
                value += text.at(++i);
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            row << value;
            value.clear();
        } else if (c == u'\n') {
            endRow();
            rowLine = line;
        } else if (c != u'\r' || i + 1 >= text.size() || text.at(i + 1) != u'\n') {
            value += c;
        }
    }
    if (quoted) {
        *error = QStringLiteral("un champ entre guillemets commencé à la ligne %1 n’est jamais fermé")
                     .arg(rowLine);
        return std::nullopt;
    }
    if (!value.isEmpty() || !row.isEmpty())
        endRow();
    return table;
}

} // namespace CsvText
