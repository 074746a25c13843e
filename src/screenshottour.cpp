#include "screenshottour.h"

#include "helpcontext.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "screennames.h"
#include "screenregistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <QWidget>
#include <QWindow>

namespace {

void settle()
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTest::qWait(30);
    }
}

// The window as the screen shows it, frame included when a window manager
// draws one; the widget alone otherwise.
bool shoot(QWidget *widget, const QString &path)
{
    settle();
    QPixmap picture = widget->grab();
    return picture.save(path);
}

} // namespace

namespace ScreenshotTour {

int run(MainWindow &window, ScreenRegistry &registry, HelpSystem &help, const QString &outputDir)
{
    QDir().mkpath(outputDir);
    int failures = 0;
    auto save = [&](QWidget *widget, const QString &name) {
        const QString path = QDir(outputDir).filePath(name + QStringLiteral(".png"));
        if (!widget || !shoot(widget, path)) {
            QTextStream(stderr) << "Capture impossible : " << name << '\n';
            ++failures;
        }
    };

    window.show();
    window.findChild<QAction *>(QStringLiteral("Heu"))->trigger();
    save(&window, QStringLiteral("main-window"));

    // The employee file on its three tabs (the folder holds the demonstration).
    if (window.openEmployeeFile()) {
        QWidget *employees = registry.find(ScreenName::Employee);
        save(employees, QStringLiteral("employee-identity"));
        QTest::keyClick(employees, Qt::Key_F3);
        save(employees, QStringLiteral("employee-rates"));
        QTest::keyClick(employees, Qt::Key_F4);
        save(employees, QStringLiteral("employee-base"));
        QTest::keyClick(employees, Qt::Key_F2);
        employees->hide();
    }

    const QList<QPair<QString, QString>> screens = {
        {ScreenName::Parameters, QStringLiteral("parameters")},
        {ScreenName::EuroRate, QStringLiteral("euro-rate")},
        {ScreenName::Employer, QStringLiteral("employer")},
        {ScreenName::Converter, QStringLiteral("converter")},
        {ScreenName::About, QStringLiteral("about")},
        {ScreenName::EmployeeList, QStringLiteral("employee-list")},
        {ScreenName::Calculator, QStringLiteral("calculator")},
        {ScreenName::Photo, QStringLiteral("photo")},
    };
    for (const auto &[screenName, fileName] : screens) {
        if (!registry.knows(screenName))
            continue;
        QWidget *screen = registry.show(screenName);
        save(screen, fileName);
        screen->hide();
    }

    help.openContents();
    settle();
    save(QApplication::activeWindow(), QStringLiteral("help"));
    return failures == 0 ? 0 : 1;
}

} // namespace ScreenshotTour
