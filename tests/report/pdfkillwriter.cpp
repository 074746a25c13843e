// Helper of tst_reportfiles: writes the sample pay slip as PDF over and over
// into one file, alternating between two employees, until it is killed.
// Prints "ready" once both versions have been written.

#include "reportengine.h"
#include "samplepayslip.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    for (const auto &[number, text] : SamplePayslip::entries())
        engine.set_formula(number, text);
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (long round = 0;; ++round) {
        engine.set_formula(0, round % 2 ? QStringLiteral("NOMSALARIE='LEFEBVRE'") : QStringLiteral("NOMSALARIE='DURAND'"));
        if (engine.renderPdf(path).failed())
            return 3;
        if (round == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
