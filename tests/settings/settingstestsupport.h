#pragma once

// What the settings screen tests share: a fresh working directory, the stored
// record read back through a connection of its own, a way to make the store
// refuse a write, and a queued answer to the next modal box.

#include "database.h"
#include "recordview.h"

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

// Makes a temporary directory the working directory for one test.
class WorkingDirectory
{
public:
    WorkingDirectory() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

inline std::shared_ptr<Database> openFile(const DatabaseDefinition &definition)
{
    StoreError error;
    auto database = Database::open(".", definition, &error);
    if (!database)
        qWarning("%s", qPrintable(error.message()));
    return database;
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

// From now on the database refuses every change of the table, whoever asks
// (file permissions would not stop root).
inline void refuseWrites(const DatabaseDefinition &definition, const QString &table)
{
    auto database = openFile(definition);
    const QString sql = QString("CREATE TRIGGER refuse_%1 BEFORE UPDATE ON \"%1\" "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END;")
                            .arg(table);
    QCOMPARE(sqlite3_exec(database->handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
             SQLITE_OK);
}

// What the next modal message box said; it is answered with OK.
struct ModalBox
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline void answerNextModal(ModalBox *box)
{
    QTimer::singleShot(0, [box] {
        auto *modal = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        box->seen = true;
        box->title = modal->windowTitle();
        box->text = modal->text();
        box->icon = modal->icon();
        modal->accept();
    });
}

// Replaces a field's text by typing, as the user would: backspaces, then the text.
inline void retype(QLineEdit *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_End);
    while (!field->text().isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Lets a screen closed with Qt::WA_DeleteOnClose go.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace SettingsTest
