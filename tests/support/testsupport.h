#pragma once

// What every screen test shares: a fresh working directory, a connection of
// its own to a database file, a way to make the file refuse changes (file
// permissions would not stop root) or to damage one of its tables, the
// queued answer to the next modal message box or error dialog, and the
// deletion of screens closed with WA_DeleteOnClose.

#include "database.h"
#include "statement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <sqlite3.h>

namespace TestSupport {

// Makes a temporary directory the working directory for one test.
class WorkingDirectory
{
public:
    WorkingDirectory() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

inline std::shared_ptr<Database> openDatabase(const DatabaseDefinition &definition)
{
    StoreError error;
    auto database = Database::open(QStringLiteral("."), definition, &error);
    if (!database)
        qWarning("%s", qPrintable(error.message()));
    return database;
}

// From now on the file refuses every change of the table, whoever asks.
inline void refuseWrites(const DatabaseDefinition &definition, const QString &table)
{
    auto database = openDatabase(definition);
    for (const char *event : {"UPDATE", "INSERT", "DELETE"}) {
        const QString sql = QStringLiteral("CREATE TRIGGER \"refuse_%1_%2\" BEFORE %2 ON \"%1\" "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END;")
                                .arg(table, QLatin1String(event));
        QCOMPARE(sqlite3_exec(database->handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
                 SQLITE_OK);
    }
}

// What the next modal message box said; expect() answers it with OK.
struct ModalBox
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

    void expect()
    {
        QTimer::singleShot(0, qApp, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = true;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->accept();
        });
    }
};

// Lets a screen closed with Qt::WA_DeleteOnClose go.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// What the next modal dialog of the program said (the error dialog that
// waits for its "OK" before the program goes on); expect() runs `whileShown`
// while it is up, then presses its "OK". It waits for the dialog to come.
struct ModalDialog
{
    bool seen = false;
    QString title;
    QString text;
    std::function<void()> whileShown;

    void expect() { answer(500, 0); }

private:
    void answer(int triesLeft, int delayMs)
    {
        QTimer::singleShot(delayMs, qApp, [this, triesLeft] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                if (triesLeft > 0)
                    answer(triesLeft - 1, 10);
                return;
            }
            seen = true;
            title = dialog->windowTitle();
            if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("Label1")))
                text = label->text();
            if (whileShown)
                whileShown();
            if (auto *ok = dialog->findChild<QAbstractButton *>(QStringLiteral("Command1")))
                ok->click();
            else
                dialog->accept();
        });
    }
};

// Writes garbage over the first page of a table of the file, as a disk
// fault would: the file still opens, but that table cannot be read.
inline void damageTable(const DatabaseDefinition &definition, const QString &table)
{
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        auto database = openDatabase(definition);
        QVERIFY(database);
        Statement root(database->handle(),
                       QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = ?1"));
        root.bindText(1, table);
        QCOMPARE(root.step(), SQLITE_ROW);
        page = root.columnInt64(0);
        Statement size(database->handle(), QStringLiteral("PRAGMA page_size"));
        QCOMPARE(size.step(), SQLITE_ROW);
        pageSize = size.columnInt64(0);
    }
    QFile file(definition.fileName);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek((page - 1) * pageSize));
    QCOMPARE(file.write(QByteArray(int(pageSize), char(0xA5))), pageSize);
}

} // namespace TestSupport
