#include "reportcommand.h"

#include "optionrefusal.h"
#include "reportengine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

namespace ReportCommand {

QString failureText(int number, const QString &message)
{
    // One pass: a "%1" in a file name the message carries stays as it is.
    return QStringLiteral("%1 (erreur %2)").arg(message, QString::number(number));
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringLiteral("pdf"), QStringLiteral("le PDF à écrire"),
                                       QStringLiteral("fichier")));
    const QString usage = QStringLiteral("Utilisation : quorvan report FICHIER.rpt --pdf SORTIE.pdf");
    if (!parser.parse(QStringList{QStringLiteral("quorvan")} + arguments)) {
        const QStringList unknown = OptionRefusal::unknownOptions(parser, arguments);
        err << (unknown.isEmpty() ? parser.errorText() : OptionRefusal::text(unknown)) << u'\n' << usage
            << Qt::endl;
        return BadArguments;
    }
    const QStringList files = parser.positionalArguments();
    const QString pdf = parser.value(QStringLiteral("pdf"));
    if (files.size() != 1 || pdf.isEmpty()) {
        err << usage << Qt::endl;
        return BadArguments;
    }

    ReportEngine engine;
    engine.set_report_file(files.constFirst());
    if (const ReportError error = engine.renderPdf(pdf); error.failed()) {
        err << failureText(error.number, error.message) << Qt::endl;
        return Failed;
    }
    out << QStringLiteral("Fiche de paie écrite en PDF : %1")
               .arg(QFileInfo(pdf).absoluteFilePath())
        << Qt::endl;
    return Written;
}

} // namespace ReportCommand
