#include "employeeimport.h"

#include "csvtext.h"
#include "database.h"
#include "employeeexport.h"
#include "employeetable.h"
#include "numbertext.h"
#include "schema.h"
#include "statement.h"
#include "transaction.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <sqlite3.h>

namespace EmployeeImport {

namespace {

const char *const BaseNames[] = {"la base horaire", "le taux horaire",
                                 "le montant de la base à calculer", "la part patronale"};

// Where each stored column is in the file's rows, -1 when the file lacks it.
struct Layout
{
    QStringList columns;
    QHash<QString, int> position;
    int width = 0;

    QString cell(const QStringList &row, const QString &column) const
    {
        const int at = position.value(column, -1);
        return at >= 0 && at < row.size() ? row.at(at) : QString();
    }
};

QString readLayout(const QStringList &header, Layout *layout)
{
    layout->columns = EmployeeExport::columns();
    layout->width = int(header.size());
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header.at(i).trimmed();
        if (!layout->columns.contains(name))
            return QStringLiteral("la colonne « %1 » de la ligne 1 n’est pas une colonne du fichier "
                                  "des salariés")
                .arg(name);
        if (layout->position.contains(name))
            return QStringLiteral("la colonne « %1 » figure deux fois à la ligne 1").arg(name);
        layout->position.insert(name, i);
    }
    for (const char *required : {"NOM", "PRENOM"}) {
        if (!layout->position.contains(QLatin1String(required)))
            return QStringLiteral("la ligne 1 n’a pas de colonne %1").arg(QLatin1String(required));
    }
    return {};
}

QString side(int rateIndex)
{
    return rateIndex % 2 == 0 ? QStringLiteral("patronal") : QStringLiteral("salarial");
}

// The rates as "Valider" leaves them, or why the row is refused.
QString checkRates(const QStringList &typed, const QString &par3, QStringList *rates)
{
    for (int i = 0; i < typed.size(); ++i) {
        const EmployeeRules::RateCheck check = EmployeeRules::checkRate(typed.at(i));
        const QString line = EmployeeRules::rateLineName(i, par3);
        if (check.lowered)
            return QStringLiteral("le taux %1 de la ligne %2 dépasse 100 (« %3 »)")
                .arg(side(i), line, typed.at(i));
        if (!NumberText::isNumber(check.text))
            return QStringLiteral("le taux %1 de la ligne %2 n’est pas un nombre (« %3 »)")
                .arg(side(i), line, typed.at(i));
        *rates << check.text;
    }
    return {};
}

QString checkBases(const QStringList &typed, QStringList *bases)
{
    for (int i = 0; i < typed.size(); ++i) {
        const QString base = EmployeeRules::baseForm(typed.at(i));
        if (!NumberText::isNumber(base))
            return QStringLiteral("%1 n’est pas un nombre (« %2 »)")
                .arg(QString::fromUtf8(BaseNames[i]), typed.at(i));
        *bases << base;
    }
    return {};
}

QString nameKey(const QString &surname, const QString &firstName)
{
    return surname + u'\n' + firstName;
}

// One row made into the record "Valider" would store for a new employee.
class RowCheck
{
public:
    RowCheck(const Layout &layout, const Existing &existing)
        : m_layout(layout), m_existing(existing)
    {
    }

    // The record, or an empty list with `refusal` filled.
    QStringList record(const QStringList &row, int line, Refusal *refusal);

private:
    QString refusedReason(const QStringList &row, int line, QStringList *identity,
                          QStringList *rates, QStringList *bases, QString *remaining);
    QString duplicate(const QString &surname, const QString &firstName, const QString &key) const;

    const Layout &m_layout;
    const Existing &m_existing;
    QHash<QString, int> m_seen; // names in upper case -> line
};

QString RowCheck::duplicate(const QString &surname, const QString &firstName,
                            const QString &key) const
{
    if (const int line = m_seen.value(nameKey(surname, firstName), 0))
        return QStringLiteral("ce salarié figure déjà à la ligne %1 du fichier").arg(line);
    if (EmployeeRules::findNames(m_existing.names, surname, firstName) >= 0
        || m_existing.keys.contains(key))
        return QStringLiteral("vous avez déjà un salarié %1 %2").arg(surname, firstName);
    return {};
}

QString RowCheck::refusedReason(const QStringList &row, int line, QStringList *identity,
                                QStringList *rates, QStringList *bases, QString *remaining)
{
    if (row.size() != m_layout.width)
        return QStringLiteral("la ligne a %1 champs au lieu des %2 de la ligne 1")
            .arg(row.size())
            .arg(m_layout.width);
    for (const QString &column : EmployeeRules::identityColumns())
        *identity << EmployeeRules::apostrophes(m_layout.cell(row, column));
    if (identity->at(EmployeeRules::Surname).isEmpty()
        || identity->at(EmployeeRules::FirstName).isEmpty())
        return QStringLiteral("un salarié doit avoir au moins un nom et un prénom");
    QStringList typed;
    for (const QString &column : Schema::rateColumns())
        typed << m_layout.cell(row, column);
    QString reason = checkRates(typed, m_layout.cell(row, QStringLiteral("PAR3")), rates);
    if (!reason.isEmpty())
        return reason;
    typed.clear();
    for (const QString &column : EmployeeRules::baseColumns())
        typed << m_layout.cell(row, column);
    if (!(reason = checkBases(typed, bases)).isEmpty())
        return reason;
    // A share given by the file is kept, as "Valider" keeps a stored one;
    // otherwise it is computed as for a new employee.
    *remaining = m_layout.cell(row, QStringLiteral("RAPPLS1"));
    if (remaining->isEmpty())
        *remaining = EmployeeRules::remainingShare(bases->at(2), bases->at(3)).value_or(QString());
    else if (!NumberText::isNumber(*remaining))
        return QStringLiteral("la part restante n’est pas un nombre (« %1 »)").arg(*remaining);

    const QString surname = EmployeeRules::upperCase(identity->at(EmployeeRules::Surname));
    const QString firstName = EmployeeRules::upperCase(identity->at(EmployeeRules::FirstName));
    *identity = EmployeeRules::savedIdentity(*identity);
    const QString key = EmployeeRules::key(surname, firstName);
    if (!(reason = duplicate(surname, firstName, key)).isEmpty())
        return reason;
    m_seen.insert(nameKey(surname, firstName), line);
    return {};
}

QStringList RowCheck::record(const QStringList &row, int line, Refusal *refusal)
{
    QStringList identity;
    QStringList rates;
    QStringList bases;
    QString remaining;
    const QString reason = refusedReason(row, line, &identity, &rates, &bases, &remaining);
    if (!reason.isEmpty()) {
        *refusal = {line,
                    (m_layout.cell(row, QStringLiteral("NOM")).trimmed() + u' '
                     + m_layout.cell(row, QStringLiteral("PRENOM")).trimmed())
                        .trimmed(),
                    reason};
        return {};
    }
    QHash<QString, QString> values;
    values.insert(QStringLiteral("IDENTIFICATION"),
                  EmployeeRules::key(identity.at(EmployeeRules::Surname),
                                     identity.at(EmployeeRules::FirstName)));
    const QStringList identityColumns = EmployeeRules::identityColumns();
    for (int i = 0; i < identityColumns.size(); ++i)
        values.insert(identityColumns.at(i), identity.at(i));
    const QStringList rateColumns = Schema::rateColumns();
    for (int i = 0; i < rateColumns.size(); ++i)
        values.insert(rateColumns.at(i), rates.at(i));
    const QStringList baseColumns = EmployeeRules::baseColumns();
    for (int i = 0; i < baseColumns.size(); ++i)
        values.insert(baseColumns.at(i), bases.at(i));
    values.insert(QStringLiteral("RAPPLS1"), remaining);
    values.insert(QStringLiteral("PAR3"), m_layout.cell(row, QStringLiteral("PAR3")));
    QStringList record;
    for (const QString &column : m_layout.columns)
        record << values.value(column);
    return record;
}

StoreError readExisting(const std::shared_ptr<Database> &owner, Existing *existing)
{
    Database &database = *owner;
    EmployeeTable table(owner);
    if (StoreError error = table.readNames(&existing->names))
        return error;
    Statement query(database.handle(), QStringLiteral("SELECT \"IDENTIFICATION\" FROM \"SALARIE\""));
    int rc = SQLITE_ROW;
    while (query.isValid() && (rc = query.step()) == SQLITE_ROW)
        existing->keys.insert(query.columnText(0));
    if (!query.isValid() || rc != SQLITE_DONE)
        return StoreError(StoreError::CannotRead,
                          QStringLiteral("Impossible de lire les salariés dans le fichier « %1 » : %2.")
                              .arg(database.fileName(),
                                   StoreError::reason(sqlite3_extended_errcode(database.handle()))));
    return {};
}

QString insertSql(const QStringList &columns)
{
    QStringList quoted;
    QStringList places;
    for (int i = 0; i < columns.size(); ++i) {
        quoted << quoteIdentifier(columns.at(i));
        places << QStringLiteral("?%1").arg(i + 1);
    }
    return QStringLiteral("INSERT INTO \"SALARIE\" (%1) VALUES (%2)")
        .arg(quoted.join(u','), places.join(u','));
}

// Appends every record, in order, in one transaction: all or none.
bool append(Database &database, const Checked &checked)
{
    Transaction transaction(database);
    if (!transaction.isActive())
        return false;
    Statement insert(database.handle(), insertSql(checked.columns));
    if (!insert.isValid())
        return false;
    for (const QStringList &record : checked.records) {
        for (int i = 0; i < record.size(); ++i)
            insert.bindText(i + 1, record.at(i));
        if (insert.step() != SQLITE_DONE)
            return false;
        insert.reset();
    }
    return transaction.commit();
}

} // namespace

Checked check(const QByteArray &content, const Existing &existing)
{
    Checked checked;
    const std::optional<CsvText::Table> table = CsvText::read(content, &checked.fileError);
    if (!table)
        return checked;
    if (table->rows.isEmpty() || table->lines.first() != 1) {
        checked.fileError = QStringLiteral("la ligne 1 doit donner les noms des colonnes");
        return checked;
    }
    Layout layout;
    if (!(checked.fileError = readLayout(table->rows.first(), &layout)).isEmpty())
        return checked;
    if (table->rows.size() == 1) {
        checked.fileError = QStringLiteral("le fichier ne contient aucun salarié");
        return checked;
    }
    checked.columns = layout.columns;
    RowCheck rows(layout, existing);
    for (int r = 1; r < table->rows.size(); ++r) {
        Refusal refusal;
        const QStringList record = rows.record(table->rows.at(r), table->lines.at(r), &refusal);
        if (record.isEmpty())
            checked.refusals << refusal;
        else
            checked.records << record;
    }
    return checked;
}

Result run(const std::shared_ptr<Database> &owner, const QByteArray &content)
{
    Database &database = *owner;
    Result result;
    Existing existing;
    if (StoreError error = readExisting(owner, &existing)) {
        result.storeError = error.message();
        return result;
    }
    result.checked = check(content, existing);
    if (!result.checked.accepted())
        return result;
    if (!append(database, result.checked)) {
        result.storeError =
            QStringLiteral("Impossible d’ajouter les salariés au fichier « %1 » : %2.")
                .arg(database.fileName(),
                     StoreError::reason(sqlite3_extended_errcode(database.handle())));
        return result;
    }
    result.added = int(result.checked.records.size());
    return result;
}

Result runFile(const std::shared_ptr<Database> &database, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result result;
        result.checked.fileError = QStringLiteral("impossible de lire le fichier « %1 » (%2)")
                                       .arg(QDir::toNativeSeparators(path), file.errorString());
        return result;
    }
    return run(database, file.readAll());
}

QString Result::report() const
{
    if (succeeded())
        return added == 1 ? QStringLiteral("1 salarié a été ajouté au fichier des salariés.")
                          : QStringLiteral("%1 salariés ont été ajoutés au fichier des salariés.")
                                .arg(added);
    const QString nothing = QStringLiteral("Aucun salarié n’a été importé ; le fichier des salariés "
                                           "est resté tel qu’il était.");
    if (!storeError.isEmpty())
        return storeError + u'\n' + nothing;
    if (!checked.fileError.isEmpty())
        return QStringLiteral("Fichier refusé : %1.\n").arg(checked.fileError) + nothing;
    QStringList lines{nothing,
                      checked.refusals.size() == 1
                          ? QStringLiteral("Une ligne est refusée ; corrigez-la dans le tableur "
                                           "puis recommencez :")
                          : QStringLiteral("%1 lignes sont refusées ; corrigez-les dans le tableur "
                                           "puis recommencez :")
                                .arg(checked.refusals.size())};
    for (const Refusal &refusal : checked.refusals) {
        const QString who = refusal.employee.isEmpty() ? QString()
                                                       : QStringLiteral(" (%1)").arg(refusal.employee);
        lines << QStringLiteral("Ligne %1%2 : %3.").arg(refusal.line).arg(who, refusal.reason);
    }
    return lines.join(u'\n');
}

} // namespace EmployeeImport
