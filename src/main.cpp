#include "commandline.h"
#include "frenchlocale.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "messagebox.h"
#include "printerchoice.h"
#include "screencatalog.h"
#include "screenregistry.h"
#include "screenshottour.h"
#include "startupfiles.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

namespace {

// `quorvan DIR` works in DIR, created when missing.
bool enterWorkingDirectory(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return true;
    const QString directory = arguments.at(1);
    if (!QDir().mkpath(directory) || !QDir::setCurrent(directory)) {
        QTextStream(stderr) << "Impossible d'ouvrir le dossier de travail « " << directory << " ».\n";
        return false;
    }
    return true;
}

// What the start found wrong with the working files and set right, said
// once the main window is up.
void tellStartupNotices(MainWindow &window, const QStringList &notices)
{
    if (notices.isEmpty())
        return;
    QTimer::singleShot(0, &window, [&window, notices] {
        MessageBox::show(&window, notices.join(QStringLiteral("\n\n")), MessageBox::Exclamation,
                         QStringLiteral("Fichiers de travail"));
    });
}

} // namespace

int main(int argc, char *argv[])
{
    // The help, the demonstration folder and the pay run need no window.
    if (CommandLine::handles(argc, argv))
        return CommandLine::run(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvan"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    FrenchLocale::install();

    QTranslator qtTranslator;
    if (qtTranslator.load(FrenchLocale::locale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QStringList arguments = QApplication::arguments();
    QString screenshotDir;
    if (arguments.size() >= 3 && arguments.at(1) == QLatin1String("--screenshots")) {
        screenshotDir = QDir(arguments.at(2)).absolutePath();
        arguments.remove(1, 2);
    }
    if (!enterWorkingDirectory(arguments))
        return 2;
    const QStringList startupNotices = StartupFiles::prepare();

    PrinterChoice printers;
    ScreenRegistry registry;
    ScreenCatalog::registerScreens(registry, &printers);
    HelpSystem help;
    help.attach(registry);
    MainWindow window(registry, help, printers);
    ScreenCatalog::wire(window, registry);
    if (!screenshotDir.isEmpty())
        return ScreenshotTour::run(window, registry, help, screenshotDir);
    window.show();
    tellStartupNotices(window, startupNotices);
    return app.exec();
}
