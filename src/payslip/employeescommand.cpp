#include "employeescommand.h"

#include "database.h"
#include "employeeexport.h"
#include "employeeimport.h"
#include "optionrefusal.h"
#include "schema.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace EmployeesCommand {

namespace {

const QString Usage = QStringLiteral("Utilisation : quorvan employees export --to FICHIER.csv [--dir DOSSIER]\n"
                                     "              quorvan employees import FICHIER.csv [--dir DOSSIER]");

bool parse(QCommandLineParser &parser, const QStringList &arguments, QTextStream &err)
{
    parser.addOption({QStringLiteral("dir"), QStringLiteral("le dossier de l’entreprise"), QStringLiteral("dossier")});
    parser.addOption({QStringLiteral("to"), QStringLiteral("le fichier CSV à écrire"), QStringLiteral("fichier")});
    if (parser.parse(QStringList{QStringLiteral("quorvan")} + arguments))
        return true;
    const QStringList unknown = OptionRefusal::unknownOptions(parser, arguments);
    err << (unknown.isEmpty() ? parser.errorText() : OptionRefusal::text(unknown)) << u'\n' << Usage
        << Qt::endl;
    return false;
}

// The folder's employee file, never created: an import or an export works
// on an existing company.
std::shared_ptr<Database> openEmployeeFile(const QCommandLineParser &parser, QTextStream &err)
{
    const QString directory = parser.isSet(QStringLiteral("dir")) ? parser.value(QStringLiteral("dir"))
                                                                 : QDir::currentPath();
    const QString mainFile = QString::fromLatin1(Schema::MainFileName);
    if (!QFileInfo(QDir(directory), mainFile).isFile()) {
        err << QStringLiteral("Le dossier « %1 » ne contient pas le fichier %2 : indiquez le dossier "
                              "de l’entreprise avec --dir.")
                   .arg(QDir::toNativeSeparators(directory), mainFile)
            << Qt::endl;
        return nullptr;
    }
    StoreError error;
    auto database = Database::open(directory, Schema::mainDatabase(), &error);
    if (!database)
        err << error.message() << Qt::endl;
    return database;
}

int exportFile(const QCommandLineParser &parser, QTextStream &out, QTextStream &err)
{
    const QString to = parser.value(QStringLiteral("to"));
    if (to.isEmpty() || parser.positionalArguments().size() != 1) {
        err << Usage << Qt::endl;
        return BadArguments;
    }
    const auto database = openEmployeeFile(parser, err);
    if (!database)
        return BadArguments;
    QString error;
    const int count = EmployeeExport::write(*database, to, &error);
    if (count < 0) {
        err << error << Qt::endl;
        return NotWritten;
    }
    const QString path = QDir::toNativeSeparators(QFileInfo(to).absoluteFilePath());
    out << (count == 1 ? QStringLiteral("1 salarié exporté dans : %1").arg(path)
                       : QStringLiteral("%1 salariés exportés dans : %2").arg(count).arg(path))
        << Qt::endl;
    return Done;
}

int importFile(const QCommandLineParser &parser, QTextStream &out, QTextStream &err)
{
    const QStringList words = parser.positionalArguments();
    if (words.size() != 2 || parser.isSet(QStringLiteral("to"))) {
        err << Usage << Qt::endl;
        return BadArguments;
    }
    const auto database = openEmployeeFile(parser, err);
    if (!database)
        return BadArguments;
    const EmployeeImport::Result result = EmployeeImport::runFile(database, words.at(1));
    if (!result.succeeded()) {
        err << result.report() << Qt::endl;
        return result.storeError.isEmpty() ? BadArguments : NotWritten;
    }
    out << result.report() << Qt::endl;
    return Done;
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, err))
        return BadArguments;
    const QString action = parser.positionalArguments().value(0);
    if (action == QLatin1String("export"))
        return exportFile(parser, out, err);
    if (action == QLatin1String("import"))
        return importFile(parser, out, err);
    err << Usage << Qt::endl;
    return BadArguments;
}

QString help()
{
    return QStringLiteral(
        "\n"
        "Salariés vers et depuis un tableur :\n"
        "  quorvan employees export --to FICHIER.csv [--dir DOSSIER]\n"
        "      écrit le fichier des salariés de DOSSIER (par défaut le dossier courant)\n"
        "      dans FICHIER.csv, lisible par son seul propriétaire : chaque colonne sauf la\n"
        "      photo, points-virgules, virgule décimale, UTF-8 avec BOM.\n"
        "  quorvan employees import FICHIER.csv [--dir DOSSIER]\n"
        "      ajoute les salariés d’un tel fichier (colonnes NOM et PRENOM obligatoires,\n"
        "      les autres au choix, dans n’importe quel ordre), chaque ligne vérifiée comme\n"
        "      « Valider » la vérifie ; un taux au-dessus de 100 est refusé. Tous les salariés\n"
        "      sont ajoutés, ou aucun : chaque ligne refusée est dite avec son numéro.\n"
        "Codes de sortie de « quorvan employees » :\n"
        "  0  le fichier CSV est écrit, ou les salariés ajoutés\n"
        "  2  arguments incorrects, dossier sans fichier Bdrk.rkv, fichier CSV refusé\n"
        "     (rien n’en est ajouté)\n"
        "  4  le fichier CSV ou le fichier des salariés n’a pu être écrit ; le message dit\n"
        "     pourquoi, et rien n’est laissé à moitié écrit\n"
        "Exemple :\n"
        "  quorvan employees export --dir /tmp/demo --to /tmp/salaries.csv\n"
        "  quorvan employees import /tmp/salaries.csv --dir /tmp/autre-entreprise\n");
}

} // namespace EmployeesCommand
