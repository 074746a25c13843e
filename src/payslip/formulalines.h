#pragma once

#include "formulaentry.h"

#include <QList>
#include <QString>

// The formula set as text, one line an entry: its number, a tab, its text
// NAME='value'. A stored text may hold anything, line breaks included, so
// the text is escaped in a way a reader undoes exactly: a backslash is
// written \\, a line feed \n, a carriage return \r, a tab \t, and any other
// control character or line separator \uXXXX (four hexadecimal digits).
namespace FormulaLines {

// The text with its backslashes and control characters escaped.
QString escaped(const QString &text);

// Every entry on its own line, each line ended by a line feed.
QString lines(const QList<FormulaEntry> &entries);

} // namespace FormulaLines
