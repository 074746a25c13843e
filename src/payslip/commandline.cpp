#include "commandline.h"

#include "backupcommand.h"
#include "demodata.h"
#include "employeescommand.h"
#include "frenchlocale.h"
#include "optionrefusal.h"
#include "payruncommand.h"
#include "payslipcommand.h"
#include "quorvanversion.h"
#include "reportcommand.h"
#include "windowstart.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTranslator>

#include <memory>

namespace CommandLine {

namespace {

enum ExitCode { Done = 0, WriteFailed = 1, BadArguments = 2 };

bool isHelp(const QString &word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

bool isCommand(const QString &word)
{
    return word == QLatin1String("payslip") || word == QLatin1String("demo") || word == QLatin1String("report")
           || word == QLatin1String("payrun") || word == QLatin1String("backup")
           || word == QLatin1String("restore") || word == QLatin1String("employees");
}

bool isVersion(const QString &word)
{
    return word == QLatin1String("--version");
}

// The words after the program's name, as the system handed them over.
QStringList wordsOf(int argc, char *argv[])
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return words;
}

QString payrunHelp()
{
    return QStringLiteral(
               "\n"
               "Options de « quorvan payrun ». Les chiffres du mois viennent du fichier de --inputs :\n"
               "points-virgules, virgule décimale, UTF-8 avec ou sans BOM, une ligne d’en-tête qui\n"
               "nomme les colonnes par les options de « quorvan payslip » sans leurs tirets\n"
               "(employee, absence-hours, complementary-hours, leave-hours, commission-rate,\n"
               "commission-base, advance, bonus, et au choix previous-leave-balance,\n"
               "previous-cumulative-taxable, previous-cumulative-gross), dans n’importe quel\n"
               "ordre ; une cellule vide est un champ vide. Sans ces trois dernières colonnes,\n"
               "les chiffres de la dernière fiche de chaque salarié sont repris de l’historique.\n")
           + PayrunCommand::optionsHelp()
           + QStringLiteral(
               "\n"
               "Codes de sortie de « quorvan payrun » :\n"
               "  0  la paie de chaque salarié est calculée\n"
               "  2  arguments incorrects, période refusée, dossier sans fichier Bdrk.rkv,\n"
               "     fichier de --inputs refusé (salarié inconnu, valeur qui n’est pas un\n"
               "     nombre, en-tête fautif : rien n’en est pris), fiche de la période déjà\n"
               "     enregistrée sans --replace\n"
               "  3  le calcul refuse une ou plusieurs lignes ; les autres sont calculées (et\n"
               "     enregistrées avec --save), rien n’est enregistré pour une ligne refusée\n"
               "  4  une fiche ou le PDF n’a pu être écrit ; le message dit pourquoi\n"
               "\n"
               "Exemple :\n"
               "  printf 'employee;complementary-hours;bonus\\nMOREAU , CÉLINE;10;500\\n' > mars.csv\n"
               "  quorvan payrun --dir /tmp/demo --period-start 01/03/2001 --period-end 31/03/2001 \\\n"
               "      --inputs mars.csv --save --pdf mars.pdf\n");
}

QString helpText()
{
    return QStringLiteral(
               "Quorvan %1 : la paie des salariés, en francs et en euros.\n"
               "\n"
               "Utilisation :\n"
               "  quorvan [DOSSIER]          ouvre le programme sur les fichiers de DOSSIER\n"
               "                             (créé s’il manque), par défaut le dossier courant\n"
               "  quorvan demo DOSSIER       crée DOSSIER avec les fichiers livrés, un employeur\n"
               "                             et trois salariés de démonstration ; termine un\n"
               "                             dossier de démonstration resté inachevé\n"
               "  quorvan payslip [OPTIONS]  calcule une fiche de paie sans fenêtre, comme\n"
               "                             « Lancer le calcul » de la préparation de la fiche\n"
               "                             de paie, et l’écrit sur la sortie standard\n"
               "  quorvan payrun [OPTIONS]   calcule la paie du mois de tous les salariés, comme\n"
               "                             « Calculer » de la paie du mois, et l’écrit en tableau\n"
               "  quorvan report FICHIER.rpt --pdf SORTIE.pdf\n"
               "                             écrit en PDF une fiche de paie enregistrée\n"
               "  quorvan backup [--dir DOSSIER] --to FICHIER\n"
               "                             sauvegarde toute l’entreprise dans un fichier\n"
               "  quorvan restore FICHIER --to DOSSIER [--replace]\n"
               "                             restaure une sauvegarde dans un dossier\n"
               "  quorvan employees export --to FICHIER.csv [--dir DOSSIER]\n"
               "  quorvan employees import FICHIER.csv [--dir DOSSIER]\n"
               "                             exporte les salariés vers un tableur, ou en importe\n"
               "  quorvan --help             affiche cette aide\n"
               "  quorvan --version          affiche la version\n"
               "\n"
               "Options de « quorvan payslip ». Chaque valeur est le texte que recevrait le champ\n"
               "de la préparation de la fiche de paie : des chiffres et au plus une virgule\n"
               "décimale (12,5). Un champ omis reste vide et le calcul le compte pour 0.\n")
               .arg(QCoreApplication::applicationVersion())
           + PayslipCommand::optionsHelp()
           + QStringLiteral(
               "\n"
               "Codes de sortie de « quorvan payslip » et de « quorvan report » :\n"
               "  0  la fiche de paie est calculée\n"
               "  2  arguments incorrects, dossier sans fichier Bdrk.rkv ou salarié inconnu\n"
               "     (avec --formulas, aussi un dossier sans fichier sterk.rkv), fichier de\n"
               "     --rpt qui existe déjà sans --replace\n"
               "  3  le calcul refuse une valeur qui n’est pas un nombre ; le message la nomme\n"
               "     et dit où la corriger\n"
               "  4  le bulletin de paie n’a pu être écrit (--pdf, --rpt) ; le message dit\n"
               "     pourquoi, avec le numéro d’erreur\n"
               "Les messages s’écrivent sur la sortie d’erreur.\n"
               "\n"
               "Exemple :\n"
               "  quorvan demo /tmp/demo\n"
               "  quorvan payslip --dir /tmp/demo --employee 'MOREAU , CÉLINE' \\\n"
               "      --complementary-hours 10 --period-start 01/03/2001 --period-end 31/03/2001\n")
           + payrunHelp() + BackupCommand::help() + EmployeesCommand::help();
}

int demo(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    for (const QString &word : arguments) {
        if (word.startsWith(u'-')) {
            err << OptionRefusal::text({word}) << Qt::endl;
            return BadArguments;
        }
    }
    if (arguments.size() != 1) {
        err << QStringLiteral("Indiquez le dossier à créer : quorvan demo DOSSIER") << Qt::endl;
        return BadArguments;
    }
    const QString directory = arguments.constFirst();
    if (const std::optional<QString> refusal = DemoData::write(directory)) {
        err << *refusal << Qt::endl;
        return QDir(directory).exists() ? BadArguments : WriteFailed;
    }
    out << QStringLiteral("Dossier de démonstration écrit : %1\nSalariés :\n")
               .arg(QDir::toNativeSeparators(QDir(directory).absolutePath()));
    for (const QString &employee : DemoData::employees())
        out << QStringLiteral("  ") << employee << u'\n';
    out.flush();
    return Done;
}

// `quorvan report`, and `quorvan payslip` with --pdf or --rpt.
bool drawsPages(int argc, char *argv[])
{
    if (QString::fromLocal8Bit(argv[1]) == QLatin1String("report"))
        return true;
    for (int i = 2; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word.startsWith(QLatin1String("--pdf")) || word.startsWith(QLatin1String("--rpt")))
            return true;
    }
    return false;
}

} // namespace

bool handles(int argc, char *argv[])
{
    if (argc < 2)
        return false;
    const QString word = QString::fromLocal8Bit(argv[1]);
    return isCommand(word) || isHelp(word) || isVersion(word)
           || WindowStart::refusal(wordsOf(argc, argv)).has_value();
}

int run(int argc, char *argv[])
{
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (!isCommand(first) && !isHelp(first) && !isVersion(first)) {
        // Words a start with windows refuses, said before any application
        // exists: no display is needed to be told.
        QTextStream(stderr) << WindowStart::refusal(wordsOf(argc, argv)).value_or(QString()) << Qt::endl;
        return BadArguments;
    }
    // Pages are drawn with fonts, which need a graphical application; no
    // window is shown, so no display is needed either.
    std::unique_ptr<QCoreApplication> app;
    if (drawsPages(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("Quorvan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVAN_VERSION));
    FrenchLocale::install();
    QTranslator qtTranslator;
    if (qtTranslator.load(FrenchLocale::locale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.at(1);
    const QStringList rest = arguments.mid(2);
    if (isHelp(command) || rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h"))) {
        out << helpText();
        return Done;
    }
    if (isVersion(command)) {
        out << QStringLiteral("Quorvan %1").arg(QCoreApplication::applicationVersion()) << Qt::endl;
        return Done;
    }
    if (command == QLatin1String("demo"))
        return demo(rest, out, err);
    if (command == QLatin1String("report"))
        return ReportCommand::run(rest, out, err);
    if (command == QLatin1String("payrun"))
        return PayrunCommand::run(rest, out, err);
    if (command == QLatin1String("backup"))
        return BackupCommand::backup(rest, out, err);
    if (command == QLatin1String("restore"))
        return BackupCommand::restore(rest, out, err);
    if (command == QLatin1String("employees"))
        return EmployeesCommand::run(rest, out, err);
    return PayslipCommand::run(rest, out, err);
}

} // namespace CommandLine
