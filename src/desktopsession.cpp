#include "desktopsession.h"

#include "backupactions.h"
#include "companyfolders.h"
#include "folderactions.h"
#include "messagebox.h"
#include "screennames.h"
#include "windowgeometry.h"
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
#include <QPrinterInfo>
#include <QSettings>
#include <QTextStream>
#include <QTimer>

namespace {

const QString PrinterKey = QStringLiteral("impression/imprimante");

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

void DesktopSession::closeFolder()
{
    if (m_geometry)
        m_geometry->saveVisible();
    m_geometry.reset();
    // In the order the destructor would take them.
    m_window.reset();
    m_help.reset();
    m_registry.reset();
    m_printers.reset();
}

bool DesktopSession::start(const QString &directory, bool fresh)
{
    if (!open(directory))
        return false;
    CompanyFolders::remember(QDir::currentPath());
    m_window->showCompanyFolder(QDir::currentPath());
    // Closing after a change of the company's files backs them up.
    m_window->backupActions().watchWorkingFolder();

    QSettings settings(QStringLiteral("Quorvan"), QStringLiteral("Quorvan"));
    // A printer removed since is forgotten: the system default prints then.
    const QString printer = settings.value(PrinterKey).toString();
    if (!printer.isEmpty() && !QPrinterInfo::printerInfo(printer).isNull())
        m_printers->setPrinterName(printer);
    m_printers->setOnChosen([](const QString &name) {
        QSettings(QStringLiteral("Quorvan"), QStringLiteral("Quorvan")).setValue(PrinterKey, name);
    });

    m_geometry = std::make_unique<WindowGeometry>();
    m_geometry->watch(m_window.get());
    QObject::connect(m_registry.get(), &ScreenRegistry::screenLoaded, m_geometry.get(),
                     [geometry = m_geometry.get()](const QString &, QWidget *screen) { geometry->watch(screen); });
    // Queued: the window asking is deleted by the move, not from inside its
    // menu; the application carries it out, not the window about to go.
    QObject::connect(&m_window->folderActions(), &FolderActions::folderChosen, qApp,
                     [this](const QString &folder, bool freshCompany) { switchTo(folder, freshCompany); },
                     Qt::QueuedConnection);

    m_window->show();
    tellStartupNotices(*m_window, m_notices);
    if (fresh)
        QTimer::singleShot(0, m_window.get(), [this] { m_registry->show(ScreenName::Employer); });
    return true;
}

bool DesktopSession::mayLeaveFolder() const
{
    QStringList open;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != m_window.get() && window->isVisible() && !window->windowTitle().isEmpty())
            open << QStringLiteral("« %1 »").arg(window->windowTitle().trimmed());
    if (open.isEmpty())
        return true;
    const QString text = QStringLiteral("Les fenêtres ouvertes seront fermées : %1.\n\nCe qui n’y a pas été "
                                        "validé sera perdu. Changer de dossier ?")
                             .arg(open.join(QStringLiteral(", ")));
    return MessageBox::show(m_window.get(), text, MessageBox::YesNoQuestionNo,
                            QStringLiteral("Changer de dossier de société"))
           == MessageBox::Yes;
}

bool DesktopSession::switchTo(const QString &folder, bool fresh)
{
    if (!m_window)
        return start(folder, fresh);
    if (CompanyFolders::normalised(folder) == CompanyFolders::normalised(QDir::currentPath()))
        return true;
    if (!mayLeaveFolder())
        return false;
    const QString left = QDir::currentPath();
    if (m_geometry)
        m_geometry->saveVisible();
    // The folder left is backed up as at closing, while its screens are gone
    // and no database of it is held open by them.
    m_registry->closeAll();
    m_window->backupActions().backUpIfChanged();
    // The main window goes before the next is shown: that is no end of the program.
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    closeFolder();
    const bool entered = start(folder, fresh);
    // The folder could not be entered: the clerk goes on with the one left.
    if (!entered)
        start(left, false);
    QApplication::setQuitOnLastWindowClosed(quitOnLast);
    if (entered)
        return true;
    MessageBox::show(m_window.get(),
                     QStringLiteral("Le dossier « %1 » n’a pas pu être ouvert.").arg(QDir::toNativeSeparators(folder)),
                     MessageBox::Exclamation, QStringLiteral("Changer de dossier de société"));
    return false;
}

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
