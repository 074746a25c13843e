#pragma once

// What the pay slip's screen tests share: the program's screens wired to a
// main window, a fresh demonstration folder as the working directory, the
// controls by name, the open windows by name, and the inputs the command
// line's pay run reads from the stored files.

#include "demodata.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "reportpreview.h"
#include "screencatalog.h"
#include "screenregistry.h"
#include "storedpayinputs.h"
#include "testsupport.h"
#include "wiredprogram.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace PayslipTestSupport {

using Program = TestSupport::WiredProgram;

// A fresh working directory holding the demonstration folder; null, with
// the refusal as a warning, when the folder cannot be written.
inline std::unique_ptr<TestSupport::WorkingDirectory> demoFolder()
{
    auto directory = std::make_unique<TestSupport::WorkingDirectory>();
    if (!directory->isValid())
        return nullptr;
    if (const auto refusal = DemoData::write(directory->path())) {
        qWarning("%s", qPrintable(*refusal));
        return nullptr;
    }
    return directory;
}

template<class T> T *control(QWidget *screen, const QString &name)
{
    auto *found = screen->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline void click(QWidget *screen, const QString &name)
{
    QTest::mouseClick(control<QAbstractButton>(screen, name), Qt::LeftButton);
}

inline void type(QWidget *screen, const QString &name, const QString &keys)
{
    QTest::keyClicks(control<QLineEdit>(screen, name), keys);
}

// A window of the program by its name, among the open top-level windows.
template<class T = QWidget> T *window(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name && widget->isVisible())
            return qobject_cast<T *>(widget);
    return nullptr;
}

inline ReportPreview *preview()
{
    return window<ReportPreview>(QStringLiteral("ReportPreview"));
}

// The first demonstration employee's inputs, read from the working
// directory's files as the command line's pay run reads them.
inline StoredPayInputs storedDemoInputs()
{
    return std::get<StoredPayInputs>(StoredPayInputs::load(QStringLiteral("."), DemoData::employees().first()));
}

} // namespace PayslipTestSupport
