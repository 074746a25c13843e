#include "bodyassignment.h"

#include "wholefile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QString Format = QStringLiteral("quorvan-etats");
// The employer's share of the mutual insurance is booked under this key.
const QString Mutual = QStringLiteral("mutuelle");

QString lastLineKey(const QString &label)
{
    return label.trimmed().toCaseFolded();
}

bool isBody(const QString &key)
{
    return key.isEmpty() || BodyAssignment::bodies().contains(key);
}

bool isAccount(const QString &account)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{2,10}$"));
    return digits.match(account).hasMatch();
}

QString fileIn(const QString &directory)
{
    return QDir(directory).filePath(QString::fromLatin1(BodyAssignment::FileName));
}

QString refused(const QString &why)
{
    return QStringLiteral("Le fichier %1 des organismes et des comptes est refusé : %2.")
        .arg(QString::fromLatin1(BodyAssignment::FileName), why);
}

} // namespace

QStringList BodyAssignment::bodies()
{
    return {Urssaf, Assedic, Pension, Taxes};
}

QString BodyAssignment::bodyName(const QString &key)
{
    if (key == Urssaf)
        return QStringLiteral("URSSAF");
    if (key == Assedic)
        return QStringLiteral("ASSEDIC");
    if (key == Pension)
        return QStringLiteral("Retraite complémentaire");
    if (key == Taxes)
        return QStringLiteral("Taxes sur les salaires");
    return QStringLiteral("Non affecté");
}

// The grouping of 2001: the CSG lines, sickness, widowhood, old age, work
// accidents, housing aid and family allowances to the URSSAF; unemployment
// and AGS to the ASSEDIC; the supplementary pension to its fund; the taxes
// paid on salaries apart. The provident line and the clerk's own line wait
// for the clerk, but for the AGFF, which the pension funds collect.
BodyAssignment BodyAssignment::delivered()
{
    BodyAssignment assignment;
    const std::array<QString, 20> bodies = {Urssaf, Urssaf, Urssaf, Urssaf, Urssaf, Urssaf, Assedic,
                                            Assedic, Assedic, Urssaf, Pension, Pension, Urssaf, Taxes,
                                            Taxes, Taxes, Taxes, QString(), Urssaf, QString()};
    assignment.lineBody = bodies;
    assignment.lastLineBodies.insert(lastLineKey(QStringLiteral("AGFF")), Pension);
    assignment.employerAccounts = {{Urssaf, QStringLiteral("6451")}, {Assedic, QStringLiteral("6454")},
                                   {Pension, QStringLiteral("6453")}, {Taxes, QStringLiteral("631")},
                                   {Mutual, QStringLiteral("6452")}, {QString(), QStringLiteral("645")}};
    return assignment;
}

QString BodyAssignment::bodyOf(int line, const QString &label) const
{
    if (line < 0 || line >= int(lineBody.size()))
        return QString();
    if (line == int(lineBody.size()) - 1) {
        const auto named = lastLineBodies.constFind(lastLineKey(label));
        if (named != lastLineBodies.constEnd())
            return *named;
    }
    return lineBody[line];
}

QString BodyAssignment::employerAccount(const QString &body) const
{
    const QString account = employerAccounts.value(body);
    return account.isEmpty() ? employerAccounts.value(QString(), QStringLiteral("645")) : account;
}

QByteArray BodyAssignment::toJson() const
{
    QJsonArray lines;
    for (int line = 0; line < int(lineBody.size()); ++line)
        lines.append(QJsonObject{{QStringLiteral("line"), line + 1}, {QStringLiteral("body"), lineBody[line]}});
    QJsonObject lastLine;
    for (auto it = lastLineBodies.constBegin(); it != lastLineBodies.constEnd(); ++it)
        lastLine.insert(it.key(), it.value());
    QJsonObject employer;
    for (auto it = employerAccounts.constBegin(); it != employerAccounts.constEnd(); ++it)
        employer.insert(it.key(), it.value());
    const QJsonObject accounts{{QStringLiteral("gross"), grossAccount},
                               {QStringLiteral("employer"), employer},
                               {QStringLiteral("net"), netAccount},
                               {QStringLiteral("advance"), advanceAccount},
                               {QStringLiteral("urssaf"), urssafAccount},
                               {QStringLiteral("other_bodies"), otherBodiesAccount}};
    const QJsonObject root{{QStringLiteral("format"), Format},
                           {QStringLiteral("version"), Version},
                           {QStringLiteral("lines"), lines},
                           {QStringLiteral("last_line_bodies"), lastLine},
                           {QStringLiteral("accounts"), accounts}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::variant<BodyAssignment, QString> BodyAssignment::fromJson(const QByteArray &bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (!document.isObject())
        return refused(QStringLiteral("il n’est pas lisible (%1)").arg(parseError.errorString()));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != Format)
        return refused(QStringLiteral("il n’est pas un fichier d’organismes de ce programme"));
    if (root.value(QStringLiteral("version")).toInt() != Version)
        return refused(QStringLiteral("il vient d’une version du programme qui ne se lit pas ici"));

    BodyAssignment assignment = delivered();
    const QJsonArray lines = root.value(QStringLiteral("lines")).toArray();
    for (const QJsonValue &value : lines) {
        const QJsonObject line = value.toObject();
        const int number = line.value(QStringLiteral("line")).toInt();
        const QString body = line.value(QStringLiteral("body")).toString();
        if (number < 1 || number > int(assignment.lineBody.size()) || !isBody(body))
            return refused(QStringLiteral("la ligne %1 y est affectée à un organisme inconnu").arg(number));
        assignment.lineBody[number - 1] = body;
    }
    assignment.lastLineBodies.clear();
    const QJsonObject lastLine = root.value(QStringLiteral("last_line_bodies")).toObject();
    for (auto it = lastLine.constBegin(); it != lastLine.constEnd(); ++it) {
        if (!isBody(it.value().toString()))
            return refused(QStringLiteral("« %1 » y est affectée à un organisme inconnu").arg(it.key()));
        assignment.lastLineBodies.insert(lastLineKey(it.key()), it.value().toString());
    }

    const QJsonObject accounts = root.value(QStringLiteral("accounts")).toObject();
    const auto account = [&accounts](const char *key, QString *into) {
        const QJsonValue value = accounts.value(QLatin1String(key));
        if (!value.isUndefined())
            *into = value.toString();
        return isAccount(*into);
    };
    if (!account("gross", &assignment.grossAccount) || !account("net", &assignment.netAccount)
        || !account("advance", &assignment.advanceAccount) || !account("urssaf", &assignment.urssafAccount)
        || !account("other_bodies", &assignment.otherBodiesAccount))
        return refused(QStringLiteral("un numéro de compte n’y est pas un nombre de 2 à 10 chiffres"));
    const QJsonObject employer = accounts.value(QStringLiteral("employer")).toObject();
    for (auto it = employer.constBegin(); it != employer.constEnd(); ++it) {
        if (!isAccount(it.value().toString()))
            return refused(QStringLiteral("un numéro de compte n’y est pas un nombre de 2 à 10 chiffres"));
        assignment.employerAccounts.insert(it.key(), it.value().toString());
    }
    return assignment;
}

std::variant<BodyAssignment, QString> BodyAssignment::load(const QString &directory)
{
    QFile file(fileIn(directory));
    if (!file.exists())
        return delivered();
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("il ne peut pas être lu (%1)").arg(file.errorString()));
    return fromJson(file.readAll());
}

std::optional<QString> BodyAssignment::save(const QString &directory) const
{
    const QStringList accounts = {grossAccount, netAccount, advanceAccount, urssafAccount, otherBodiesAccount};
    for (const QString &account : accounts + employerAccounts.values()) {
        if (!isAccount(account))
            return QStringLiteral("« %1 » n’est pas un numéro de compte : écrivez de 2 à 10 chiffres.").arg(account);
    }
    if (const int error = WholeFile::write(fileIn(directory), toJson()))
        return QStringLiteral("Le fichier %1 n’a pas pu être écrit : %2.")
            .arg(QString::fromLatin1(FileName), WholeFile::reason(error));
    return std::nullopt;
}
