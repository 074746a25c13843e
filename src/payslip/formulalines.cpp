#include "formulalines.h"

namespace FormulaLines {

namespace {

// Whatever a reader may take for the end of a line, or cannot show.
bool needsCode(char16_t c)
{
    return c < 0x20 || c == 0x7f || (c >= 0x80 && c <= 0x9f) || c == 0x2028 || c == 0x2029;
}

} // namespace

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (needsCode(c.unicode()))
                out += QLatin1String("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0');
            else
                out += c;
        }
    }
    return out;
}

QString lines(const QList<FormulaEntry> &entries)
{
    QString text;
    for (const FormulaEntry &entry : entries)
        text += QString::number(entry.number) + u'\t' + escaped(entry.text) + u'\n';
    return text;
}

} // namespace FormulaLines
