#include "backupactions.h"
#include "commandline.h"
#include "desktopsession.h"
#include "mainwindow.h"
#include "messagebox.h"

#include <QApplication>
#include <QTimer>

namespace {

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
    // The help, the version, the demonstration folder, the pay run and every
    // refused word need no window.
    if (CommandLine::handles(argc, argv))
        return CommandLine::run(argc, argv);

    QApplication app(argc, argv);
    DesktopSession session;
    // `quorvan DIR` works in DIR, created when missing; the toolkit has
    // taken its own options out of the arguments by now.
    if (!session.open(QApplication::arguments().value(1)))
        return 2;
    // Closing after a change of the company's files backs them up.
    session.window().backupActions().watchWorkingFolder();
    session.window().show();
    tellStartupNotices(session.window(), session.startupNotices());
    return app.exec();
}
