#include "backupcommand.h"

#include "backupcontents.h"
#include "backupfolder.h"
#include "backupwriter.h"
#include "optionrefusal.h"
#include "restoreplan.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace BackupCommand {

namespace {

const QString BackupUsage = QStringLiteral("Utilisation : quorvan backup [--dir DOSSIER] --to FICHIER");
const QString RestoreUsage
    = QStringLiteral("Utilisation : quorvan restore FICHIER --to DOSSIER [--replace]");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Parses `arguments`; false with the refusal said when they are not right.
bool parse(QCommandLineParser &parser, const QStringList &arguments, const QString &usage, QTextStream &err)
{
    const QStringList words = QStringList{QStringLiteral("quorvan")} + arguments;
    if (parser.parse(words))
        return true;
    const QStringList unknown = OptionRefusal::unknownOptions(parser, arguments);
    err << (unknown.isEmpty() ? parser.errorText() : OptionRefusal::text(unknown)) << u'\n' << usage
        << Qt::endl;
    return false;
}

int exitCode(const BackupResult &result)
{
    return result.status == BackupResult::NotWritten ? NotWritten : BadArguments;
}

} // namespace

int backup(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("dir"), QStringLiteral("le dossier de l’entreprise"), QStringLiteral("dossier")});
    parser.addOption({QStringLiteral("to"), QStringLiteral("la sauvegarde à écrire"), QStringLiteral("fichier")});
    if (!parse(parser, arguments, BackupUsage, err))
        return BadArguments;
    QString to = parser.value(QStringLiteral("to"));
    if (to.isEmpty() || !parser.positionalArguments().isEmpty()) {
        err << BackupUsage << Qt::endl;
        return BadArguments;
    }
    const QString dir = parser.isSet(QStringLiteral("dir")) ? parser.value(QStringLiteral("dir"))
                                                           : QDir::currentPath();
    if (!QFileInfo(dir).isDir()) {
        err << QStringLiteral("Le dossier « %1 » n’existe pas.").arg(native(dir)) << Qt::endl;
        return BadArguments;
    }
    const QDir folder(QFileInfo(dir).absoluteFilePath());
    // A folder given as the destination gets the backup under its usual name.
    if (QFileInfo(to).isDir())
        to = QDir(to).filePath(
            BackupFolder::fileName(folder, QDateTime::currentDateTime(), BackupFolder::Occasion::Chosen));
    const BackupResult result = BackupWriter::write(folder, to);
    if (!result.succeeded()) {
        err << result.message << Qt::endl;
        return exitCode(result);
    }
    out << QStringLiteral("Sauvegarde écrite : %1").arg(QDir::toNativeSeparators(result.path)) << Qt::endl;
    return Done;
}

int restore(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("to"), QStringLiteral("le dossier à restaurer"), QStringLiteral("dossier")});
    parser.addOption({QStringLiteral("replace"), QStringLiteral("remplace l’entreprise du dossier")});
    if (!parse(parser, arguments, RestoreUsage, err))
        return BadArguments;
    const QStringList files = parser.positionalArguments();
    const QString to = parser.value(QStringLiteral("to"));
    if (files.size() != 1 || to.isEmpty()) {
        err << RestoreUsage << Qt::endl;
        return BadArguments;
    }
    const bool replace = parser.isSet(QStringLiteral("replace"));
    // Said before the archive is read, which may take a while.
    if (!replace && QFileInfo(to).isDir() && BackupContents::holdsCompany(QDir(to))) {
        err << QStringLiteral("Le dossier « %1 » contient déjà les fichiers d’une entreprise : rien n’a été "
                              "restauré. Choisissez un dossier nouveau ou vide, ou ajoutez --replace pour "
                              "les remplacer (une sauvegarde automatique en est faite d’abord dans son "
                              "dossier « %2 »).")
                   .arg(native(to), QLatin1String(BackupContents::BackupsFolder))
            << Qt::endl;
        return BadArguments;
    }
    auto prepared = RestorePlan::prepare(files.constFirst(), to);
    if (auto *refusal = std::get_if<BackupResult>(&prepared)) {
        err << refusal->message << Qt::endl;
        return exitCode(*refusal);
    }
    RestorePlan &plan = *std::get<std::unique_ptr<RestorePlan>>(prepared);
    const BackupResult result = plan.carryOut();
    if (!result.succeeded()) {
        err << result.message << Qt::endl;
        return exitCode(result);
    }
    if (!plan.safetyBackup().isEmpty())
        out << QStringLiteral("Sauvegarde de l’état remplacé : %1").arg(QDir::toNativeSeparators(plan.safetyBackup()))
            << Qt::endl;
    out << QStringLiteral("Sauvegarde restaurée dans : %1").arg(QDir::toNativeSeparators(result.path)) << Qt::endl;
    return Done;
}

QString help()
{
    return QStringLiteral(
        "\n"
        "Sauvegarde et restauration :\n"
        "  quorvan backup [--dir DOSSIER] --to FICHIER\n"
        "      écrit toute l’entreprise de DOSSIER (par défaut le dossier courant) dans\n"
        "      le fichier de sauvegarde FICHIER (.tar.zst, lisible par son seul\n"
        "      propriétaire) : les bases de données copiées dans un état cohérent, la mise\n"
        "      en page, l’aide, chaque fiche de paie enregistrée et l’historique des paies,\n"
        "      avec la liste de leurs tailles et sommes de contrôle. Si FICHIER est un\n"
        "      dossier, la sauvegarde y prend le nom de l’entreprise, la date et l’heure.\n"
        "  quorvan restore FICHIER --to DOSSIER [--replace]\n"
        "      restaure la sauvegarde FICHIER dans DOSSIER, nouveau ou vide ; chaque fichier\n"
        "      est vérifié avant que rien ne soit écrit. Avec --replace, l’entreprise de\n"
        "      DOSSIER est remplacée, après une sauvegarde automatique de son état dans\n"
        "      DOSSIER/sauvegardes. Le dossier est ou bien laissé tel qu’il était, ou bien\n"
        "      restauré en entier, jamais à moitié.\n"
        "Codes de sortie de « quorvan backup » et de « quorvan restore » :\n"
        "  0  la sauvegarde est écrite, ou restaurée\n"
        "  2  arguments incorrects, dossier sans entreprise, fichier qui existe déjà,\n"
        "     sauvegarde refusée (endommagée, incomplète ou d’un autre programme),\n"
        "     dossier qui contient déjà une entreprise sans --replace\n"
        "  4  la sauvegarde ou le dossier restauré n’a pu être écrit ; le message dit\n"
        "     pourquoi, et rien n’est laissé à moitié écrit\n"
        "Exemple :\n"
        "  quorvan backup --dir /tmp/demo --to /tmp/demo.tar.zst\n"
        "  quorvan restore /tmp/demo.tar.zst --to /tmp/demo-restaurée\n");
}

} // namespace BackupCommand
