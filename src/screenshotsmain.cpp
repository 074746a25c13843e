#include "desktopsession.h"
#include "screenshottour.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

// `quorvan-screenshots SORTIE DOSSIER`: the program started on DOSSIER, every
// screen opened in turn and pictured into SORTIE (make screenshots). Kept
// apart from the program, which thus needs no test library.
int main(int argc, char *argv[])
{
    // Said before the application needs a display.
    if (argc != 3) {
        QTextStream(stderr) << QStringLiteral("Utilisation : quorvan-screenshots SORTIE DOSSIER") << Qt::endl;
        return 2;
    }
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString outputDir = QDir(arguments.at(1)).absolutePath();
    DesktopSession session;
    if (!session.open(arguments.at(2)))
        return 2;
    return ScreenshotTour::run(session.window(), session.registry(), session.help(), outputDir);
}
