#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

class HelpSystem;
class MainWindow;
class PrinterChoice;
class ScreenRegistry;
class WindowGeometry;

// The program with its windows on one working folder: the French locale and
// standard dialogs, the folder entered and made ready, the screens registered
// and the main window wired. The program and its screenshot tour start the
// same way through it. Made once the QApplication exists. The program itself
// starts through start(), which also remembers the folder among the recent
// ones and the windows' places, and moves to another company folder when the
// main window asks: the screens of the folder left are closed and rebuilt on
// the new one, rather than each re-pointed at other files.
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

    // open(), and then what the program does on a folder it works in: the
    // folder made the last one used, the backup at closing after a change,
    // the windows' places remembered, the main window shown with what the
    // start set right, and for a FRESH company the employer screen to fill in.
    bool start(const QString &directory, bool fresh = false);

    // Leaves the current folder for FOLDER, once the clerk agreed that the
    // open screens close (what is not validated there is lost) and after the
    // backup at closing of the folder left. False when the clerk declined or
    // FOLDER could not be entered (the current folder goes on then).
    bool switchTo(const QString &folder, bool fresh);

    // Valid once open() succeeded.
    MainWindow &window() const { return *m_window; }
    ScreenRegistry &registry() const { return *m_registry; }
    HelpSystem &help() const { return *m_help; }
    // What the start found wrong with the working files and set right.
    const QStringList &startupNotices() const { return m_notices; }

private:
    void closeFolder();
    bool mayLeaveFolder() const;

    QTranslator m_qtTranslator;
    QStringList m_notices;
    // In the order they are built.
    std::unique_ptr<PrinterChoice> m_printers;
    std::unique_ptr<ScreenRegistry> m_registry;
    std::unique_ptr<HelpSystem> m_help;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<WindowGeometry> m_geometry;
};
