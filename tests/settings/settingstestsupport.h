#pragma once

// What the settings screen tests share: a fresh working directory, the stored
// record read back through a connection of its own, a way to make the store
// refuse a write, and a queued answer to the next modal box.

#include "database.h"
#include "recordview.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

namespace SettingsTest {

using TestSupport::flushDeletes;
using TestSupport::ModalBox;
using TestSupport::WorkingDirectory;

inline std::shared_ptr<Database> openFile(const DatabaseDefinition &definition)
{
    return TestSupport::openDatabase(definition);
}

// The stored text of a column of the table's first record.
inline QString stored(const DatabaseDefinition &definition, const QString &table,
                      const QString &column)
{
    RecordView view(openFile(definition), table);
    view.moveFirst();
    return view.fieldText(column);
}

// Writes texts into the table's first record, as an earlier session left it.
inline void store(const DatabaseDefinition &definition, const QString &table,
                  const QMap<QString, QString> &texts)
{
    RecordView view(openFile(definition), table);
    view.moveFirst();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        view.setFieldText(it.key(), it.value());
    QVERIFY(!view.writeCurrent());
}

using TestSupport::refuseWrites;

// The next modal message box is answered with OK and kept in `box`.
inline void answerNextModal(ModalBox *box)
{
    box->expect();
}

// Replaces a field's text by typing, as the user would: backspaces, then the text.
inline void retype(QLineEdit *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_End);
    while (!field->text().isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

} // namespace SettingsTest
