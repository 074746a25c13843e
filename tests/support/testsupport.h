#pragma once

// What every screen test shares: a fresh working directory, a connection of
// its own to a database file, a way to make the file refuse changes (file
// permissions would not stop root), the queued answer to the next modal
// message box, and the deletion of screens closed with WA_DeleteOnClose.

#include "database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

} // namespace TestSupport
