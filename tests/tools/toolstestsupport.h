#pragma once

// What the tool screen tests share: a fresh working directory and a queued
// answer to the next modal message box.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace ToolsTest {

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

// What the next modal message box said; it is answered with OK.
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
            box->button(QMessageBox::Ok)->click();
        });
    }
};

} // namespace ToolsTest
