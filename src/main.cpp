#include "commandline.h"
#include "desktopsession.h"
#include "startfolder.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The help, the version, the demonstration folder, the pay run and every
    // refused word need no window.
    if (CommandLine::handles(argc, argv))
        return CommandLine::run(argc, argv);

    QApplication app(argc, argv);
    DesktopSession session;
    // `quorvan DIR` works in DIR, created when missing; the toolkit has
    // taken its own options out of the arguments by now. Without a folder
    // (the desktop entry), the last folder used or the clerk's choice.
    StartFolder::Choice start{QApplication::arguments().value(1), false};
    if (start.folder.isEmpty()) {
        const std::optional<StartFolder::Choice> chosen = StartFolder::choose();
        if (!chosen)
            return 0;
        start = *chosen;
    }
    if (!session.start(start.folder, start.fresh))
        return 2;
    return app.exec();
}
