#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

class HelpSystem;
class MainWindow;
class PrinterChoice;
class ScreenRegistry;

// The program with its windows on one working folder: the French locale and
// standard dialogs, the folder entered and made ready, the screens registered
// and the main window wired. The program and its screenshot tour start the
// same way through it. Made once the QApplication exists.
class DesktopSession
{
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // Enters DIRECTORY (created when missing; the current folder when
    // empty), makes its files ready and builds the main window. False, with
    // a French message on the error output, when the folder cannot be
    // entered; nothing is built then.
    bool open(const QString &directory);

    // Valid once open() succeeded.
    MainWindow &window() const { return *m_window; }
    ScreenRegistry &registry() const { return *m_registry; }
    HelpSystem &help() const { return *m_help; }
    // What the start found wrong with the working files and set right.
    const QStringList &startupNotices() const { return m_notices; }

private:
    QTranslator m_qtTranslator;
    QStringList m_notices;
    // In the order they are built.
    std::unique_ptr<PrinterChoice> m_printers;
    std::unique_ptr<ScreenRegistry> m_registry;
    std::unique_ptr<HelpSystem> m_help;
    std::unique_ptr<MainWindow> m_window;
};
