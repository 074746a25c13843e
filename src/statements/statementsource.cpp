#include "statementsource.h"

#include "numbertext.h"
#include "payhistory.h"
#include "statementamount.h"
#include "storedpayinputs.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace {

// The French name of each amount a statement reads, for the message that
// says which one is not an amount.
struct AmountField
{
    QString SlipFigures::*text;
    qint64 StatementSlip::*centimes;
    const char *name;
};

const std::array<AmountField, 9> &amountFields()
{
    static const std::array<AmountField, 9> fields = {{
        {&SlipFigures::gross_pay, &StatementSlip::gross_pay, "le salaire brut"},
        {&SlipFigures::employee_total, &StatementSlip::employee_total, "le total des retenues salariales"},
        {&SlipFigures::employer_total, &StatementSlip::employer_total, "le total des charges patronales"},
        {&SlipFigures::employer_mutual_share, &StatementSlip::employer_mutual_share,
         "la part patronale de la mutuelle"},
        {&SlipFigures::net_salary, &StatementSlip::net_salary, "le salaire avant retenues"},
        {&SlipFigures::employee_mutual_share, &StatementSlip::employee_mutual_share,
         "la part salariale de la mutuelle"},
        {&SlipFigures::advance, &StatementSlip::advance, "l’acompte"},
        {&SlipFigures::net_to_pay, &StatementSlip::net_to_pay, "le net à payer"},
        {&SlipFigures::taxable_net, &StatementSlip::taxable_net, "le net imposable"},
    }};
    return fields;
}

QString notAnAmount(const SavedSlip &slip, const QString &what, const QString &text)
{
    return QStringLiteral("La fiche « %1 » imprime « %2 » pour %3 : ce n’est pas un montant. "
                          "Ouvrez-la dans la liste des fiches de paie et enregistrez-la de nouveau.")
        .arg(slip.summary.fileName, text, what);
}

// A printed amount; a blank one is printed as nothing, worth nothing.
bool readAmount(const QString &text, qint64 *centimes)
{
    if (text.trimmed().isEmpty()) {
        *centimes = 0;
        return true;
    }
    const std::optional<qint64> value = StatementAmount::parse(text.trimmed());
    if (value)
        *centimes = *value;
    return value.has_value();
}

// Hours as printed, to the hundredth; blank is none.
std::optional<qint64> readHours(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<double> hours = NumberText::read(text);
    if (!hours)
        return std::nullopt;
    return std::llround(*hours * 100);
}

// The hours a slip pays: the monthly base, less the absence, plus the
// complementary and overtime hours.
std::optional<qint64> paidHours(const SlipFigures &figures)
{
    const std::optional<qint64> base = readHours(figures.hourly_base);
    const std::optional<qint64> absence = readHours(figures.absence_hours);
    const std::optional<qint64> plain = readHours(figures.plain_comp_hours);
    const std::optional<qint64> band1 = readHours(figures.band1_hours);
    const std::optional<qint64> band2 = readHours(figures.band2_hours);
    if (!base || !absence || !plain || !band1 || !band2)
        return std::nullopt;
    return *base - *absence + *plain + *band1 + *band2;
}

QString employeeName(const SavedSlip &slip)
{
    const QString name = QStringLiteral("%1 %2")
                             .arg(slip.figures.employee_name.trimmed(), slip.figures.employee_first_name.trimmed())
                             .trimmed();
    return name.isEmpty() ? slip.summary.identification : name;
}

// A slip changed outside the program is listed whatever its figures hold;
// it counts for nothing, so a figure it garbles stops nothing.
StatementSlip listedOnly(const SavedSlip &saved)
{
    StatementSlip slip;
    slip.fileName = saved.summary.fileName;
    slip.identification = saved.summary.identification;
    slip.employeeName = employeeName(saved);
    slip.periodStart = saved.summary.periodStart;
    slip.periodEnd = saved.summary.periodEnd;
    slip.changed = true;
    return slip;
}

} // namespace

std::variant<StatementSlip, QString> StatementSlip::fromSaved(const SavedSlip &saved)
{
    StatementSlip slip = listedOnly(saved);
    slip.changed = saved.summary.changed;
    const SlipFigures &figures = saved.figures;
    for (const AmountField &field : amountFields()) {
        if (!readAmount(figures.*field.text, &(slip.*field.centimes)))
            return notAnAmount(saved, QString::fromUtf8(field.name), figures.*field.text);
    }
    for (int line = 0; line < int(slip.lines.size()); ++line) {
        const SlipFigures::Line &printed = figures.lines[line];
        Line &read = slip.lines[line];
        read.label = printed.label.trimmed();
        const auto what = [line](const char *part) {
            return QStringLiteral("%1 de la ligne de cotisation %2").arg(QString::fromUtf8(part)).arg(line + 1);
        };
        if (!readAmount(printed.base, &read.base))
            return notAnAmount(saved, what("la base"), printed.base);
        if (!readAmount(printed.employee, &read.employee))
            return notAnAmount(saved, what("la part salariale"), printed.employee);
        if (!readAmount(printed.employer, &read.employer))
            return notAnAmount(saved, what("la part patronale"), printed.employer);
    }
    const std::optional<qint64> hours = paidHours(figures);
    if (!hours)
        return QStringLiteral("La fiche « %1 » imprime des heures qui ne sont pas des nombres.").arg(saved.summary.fileName);
    slip.hoursPaidHundredths = *hours;
    slip.hoursPaid = NumberText::write(double(*hours) / 100);
    return slip;
}

std::variant<StatementSource, QString> StatementSource::fromSaved(const QList<SavedSlip> &saved,
                                                                  const StatementPeriod &period,
                                                                  const QString &euroRate)
{
    StatementSource source;
    source.period = period;
    source.euroRate = euroRate;
    source.slips.reserve(saved.size());
    for (const SavedSlip &one : saved) {
        auto read = StatementSlip::fromSaved(one);
        if (auto *slip = std::get_if<StatementSlip>(&read))
            source.slips.append(std::move(*slip));
        else if (one.summary.changed)
            source.slips.append(listedOnly(one));
        else
            return std::get<QString>(read);
    }
    std::stable_sort(source.slips.begin(), source.slips.end(), [](const StatementSlip &a, const StatementSlip &b) {
        if (a.periodEnd != b.periodEnd)
            return a.periodEnd < b.periodEnd;
        if (a.employeeName != b.employeeName)
            return a.employeeName < b.employeeName;
        return a.fileName < b.fileName;
    });
    return source;
}

std::variant<StatementSource, QString> StatementSource::load(const QString &directory,
                                                             const StatementPeriod &period)
{
    if (!period.isValid())
        return QStringLiteral("La période demandée n’est pas valable.");
    QString error;
    const std::optional<QString> rate = StoredPayInputs::loadEuroRate(directory, &error);
    if (!rate)
        return error;
    PayHistory::Opening opening = PayHistory::open(directory);
    if (!opening.history)
        return opening.failure;
    auto saved = opening.history->slipsEnding(period.first, period.last);
    if (auto *failure = std::get_if<QString>(&saved))
        return *failure;
    auto source = fromSaved(std::get<QList<SavedSlip>>(saved), period, *rate);
    if (auto *made = std::get_if<StatementSource>(&source))
        made->notices = opening.notices;
    return source;
}
