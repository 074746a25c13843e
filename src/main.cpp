#include "commandline.h"
#include "database.h"
#include "frenchlocale.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "reportengine.h"
#include "schema.h"
#include "screencatalog.h"
#include "screenregistry.h"
#include "screenshottour.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>
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

// The delivered files are written where they are missing; a refused file is
// reported by the screen that opens it, so nothing is said here.
void writeDeliveredFiles()
{
    StoreError ignored;
    Database::open(QStringLiteral("."), Schema::mainDatabase(), &ignored);
    Database::open(QStringLiteral("."), Schema::employerDatabase(), &ignored);
    HelpSystem::ensureHelpFile();
    ReportEngine::ensureDeliveredLayout();
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
    writeDeliveredFiles();

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
    return app.exec();
}
