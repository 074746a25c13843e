#include "desktopsession.h"

#include "frenchlocale.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "quorvanversion.h"
#include "screencatalog.h"
#include "screenregistry.h"
#include "startupfiles.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>

DesktopSession::DesktopSession()
{
    QApplication::setApplicationName(QStringLiteral("Quorvan"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVAN_VERSION));
    // Lets the desktop match the windows with the installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVAN_APPLICATION_ID));
    FrenchLocale::install();
    if (m_qtTranslator.load(FrenchLocale::locale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&m_qtTranslator);
}

// The members go in reverse order: the screens before the printers they
// print through.
DesktopSession::~DesktopSession() = default;

bool DesktopSession::open(const QString &directory)
{
    if (!directory.isEmpty() && (!QDir().mkpath(directory) || !QDir::setCurrent(directory))) {
        QTextStream(stderr) << QStringLiteral("Impossible d'ouvrir le dossier de travail « %1 ».").arg(directory)
                            << Qt::endl;
        return false;
    }
    m_notices = StartupFiles::prepare();
    m_printers = std::make_unique<PrinterChoice>();
    m_registry = std::make_unique<ScreenRegistry>();
    ScreenCatalog::registerScreens(*m_registry, m_printers.get());
    m_help = std::make_unique<HelpSystem>();
    m_help->attach(*m_registry);
    m_window = std::make_unique<MainWindow>(*m_registry, *m_help, *m_printers);
    ScreenCatalog::wire(*m_window, *m_registry);
    return true;
}
