#include "carryoverrule.h"

#include <QTest>

Q_DECLARE_METATYPE(CarryOver::Status)

namespace {

const QString Employee = QStringLiteral("MOREAU , CÉLINE");

// « file, first day, last day, leave due, cumulative taxable, cumulative
// gross », the figures as the slip prints them; "changed" at the end marks a
// file changed outside the program, an empty day a period that cannot be read.
SlipSummary slip(const QString &spec)
{
    const QStringList parts = spec.split(QStringLiteral("; "));
    SlipSummary s;
    s.fileName = parts.at(0);
    s.identification = Employee;
    s.periodStart = QDate::fromString(parts.at(1), Qt::ISODate);
    s.periodEnd = QDate::fromString(parts.at(2), Qt::ISODate);
    s.leave_balance = parts.at(3);
    s.cumulative_taxable = parts.at(4);
    s.cumulative_gross = parts.at(5);
    s.changed = parts.size() > 6 && parts.at(6) == QLatin1String("changed");
    return s;
}

QList<SlipSummary> slips(const QStringList &specs)
{
    QList<SlipSummary> list;
    for (const QString &spec : specs)
        list.append(slip(spec));
    return list;
}

const QString January = QStringLiteral("janvier.rpt; 2001-01-01; 2001-01-31; 13; 6\u202F795,09; 8\u202F450,00");
const QString February = QStringLiteral("février.rpt; 2001-02-01; 2001-02-28; 27; 13\u202F590,18; 16\u202F900,00");
const QString March = QStringLiteral("mars.rpt; 2001-03-01; 2001-03-31; 40; 20\u202F385,27; 25\u202F350,00");
const QString December = QStringLiteral("décembre.rpt; 2000-12-01; 2000-12-31; 152; 81\u202F540,00; 101\u202F400,00");

} // namespace

// For one employee and a new period, the figures copied from the slip whose
// period ends last before the new one starts, and why nothing is copied
// when no slip can be trusted.
class TestCarryOverRule : public QObject
{
    Q_OBJECT

private slots:
    void previousSlip_data();
    void previousSlip();
    void conflictNamesBothSlips();
    void typedFiguresAgainstCarried_data();
    void typedFiguresAgainstCarried();
    void descriptionSaysWhere_data();
    void descriptionSaysWhere();
};

void TestCarryOverRule::previousSlip_data()
{
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<CarryOver::Status>("status");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("carried"); // leave due, cumulative taxable, cumulative gross

    using S = CarryOver::Status;
    const QDate april(2001, 4, 1);
    QTest::newRow("same year: the last slip, as typed without grouping")
        << QStringList{January, March, February} << april << S::Carried << "mars.rpt"
        << QStringList{"40", "20385,27", "25350,00"};
    QTest::newRow("a later slip does not count")
        << QStringList{January, February, March} << QDate(2001, 3, 1) << S::Carried << "février.rpt"
        << QStringList{"27", "13590,18", "16900,00"};
    QTest::newRow("new year: the leave carries, the cumulatives start from nothing")
        << QStringList{December} << QDate(2001, 1, 1) << S::Carried << "décembre.rpt"
        << QStringList{"152", "", ""};
    QTest::newRow("a gap of months in the same year still carries")
        << QStringList{January} << QDate(2001, 6, 1) << S::Carried << "janvier.rpt"
        << QStringList{"13", "6795,09", "8450,00"};
    QTest::newRow("no slip at all") << QStringList() << april << S::NoPreviousSlip << "" << QStringList{"", "", ""};
    QTest::newRow("only slips after the period")
        << QStringList{February, March} << QDate(2001, 1, 1) << S::NoPreviousSlip << ""
        << QStringList{"", "", ""};
    QTest::newRow("a slip ending on the first day is not before it")
        << QStringList{QStringLiteral("court.rpt; 2001-02-15; 2001-03-01; 5; 100,00; 100,00")} << QDate(2001, 3, 1)
        << S::NoPreviousSlip << "" << QStringList{"", "", ""};
    QTest::newRow("overlapping periods are a conflict")
        << QStringList{February, QStringLiteral("doublon.rpt; 2001-02-15; 2001-03-15; 30; 1,00; 1,00")} << april
        << S::Conflict << "doublon.rpt" << QStringList{"", "", ""};
    QTest::newRow("two slips of the same month are a conflict")
        << QStringList{March, QStringLiteral("mars bis.rpt; 2001-03-01; 2001-03-31; 41; 1,00; 1,00")} << april
        << S::Conflict << "mars bis.rpt" << QStringList{"", "", ""};
    QTest::newRow("a changed file is not trusted")
        << QStringList{February, March + QStringLiteral("; changed")} << april << S::Changed << "mars.rpt"
        << QStringList{"", "", ""};
    QTest::newRow("a slip without a period is left out")
        << QStringList{February, QStringLiteral("sans date.rpt; ; ; 99; 9,00; 9,00")} << april << S::Carried
        << "février.rpt" << QStringList{"27", "13590,18", "16900,00"};
    QTest::newRow("a printed figure that is no number stops it")
        << QStringList{QStringLiteral("abîmée.rpt; 2001-03-01; 2001-03-31; 40; vingt; 25\u202F350,00")} << april
        << S::NotANumber << "abîmée.rpt" << QStringList{"", "", ""};
    QTest::newRow("negative leave due carries as printed")
        << QStringList{QStringLiteral("mars.rpt; 2001-03-01; 2001-03-31; -4; 20\u202F385,27; 25\u202F350,00")}
        << april << S::Carried << "mars.rpt" << QStringList{"-4", "20385,27", "25350,00"};
}

void TestCarryOverRule::previousSlip()
{
    QFETCH(QStringList, saved);
    QFETCH(QDate, start);
    QFETCH(CarryOver::Status, status);
    QFETCH(QString, source);
    QFETCH(QStringList, carried);

    const CarryOver result = CarryOverRule::find(slips(saved), start);
    QCOMPARE(result.status, status);
    QCOMPARE(result.source ? result.source->fileName : QString(), source);
    QCOMPARE((QStringList{result.previous_leave_balance, result.previous_cumulative_taxable,
                          result.previous_cumulative_gross}),
             carried);
}

void TestCarryOverRule::conflictNamesBothSlips()
{
    const CarryOver result = CarryOverRule::find(
        slips({January, February, QStringLiteral("doublon.rpt; 2001-02-10; 2001-02-20; 1; 1,00; 1,00")}),
        QDate(2001, 3, 1));
    QCOMPARE(result.status, CarryOver::Status::Conflict);
    QCOMPARE(result.source->fileName, QStringLiteral("février.rpt"));
    QCOMPARE(result.conflicting.size(), 1);
    QCOMPARE(result.conflicting.constFirst().fileName, QStringLiteral("doublon.rpt"));
    QVERIFY(result.description().contains(QStringLiteral("« février.rpt » (du 01/02/2001 au 28/02/2001)")));
    QVERIFY(result.description().contains(QStringLiteral("« doublon.rpt » (du 10/02/2001 au 20/02/2001)")));
}

// The cue of the preparation screen: typed figures that say the same as
// the previous slip, whatever their grouping, agree; an empty field counts
// as 0, as in the calculation.
void TestCarryOverRule::typedFiguresAgainstCarried_data()
{
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<bool>("agrees");

    const QDate april(2001, 4, 1);
    const QDate january(2001, 1, 1);
    QTest::newRow("copied exactly") << QStringList{March} << april << QStringList{"40", "20385,27", "25350,00"}
                                    << true;
    QTest::newRow("copied with grouping and fewer decimals")
        << QStringList{March} << april << QStringList{"40,0", "20 385,27", "25350"} << true;
    QTest::newRow("one figure mistyped")
        << QStringList{March} << april << QStringList{"40", "20358,27", "25350,00"} << false;
    QTest::newRow("left empty") << QStringList{March} << april << QStringList{"", "", ""} << false;
    QTest::newRow("not a number") << QStringList{March} << april << QStringList{"40", "abc", "25350"} << false;
    QTest::newRow("empty or 0 against a new year's empty cumulatives")
        << QStringList{December} << january << QStringList{"152", "", "0"} << true;
    QTest::newRow("last year's cumulatives typed in January")
        << QStringList{December} << january << QStringList{"152", "81540", "101400"} << false;
    QTest::newRow("nothing to compare with") << QStringList() << april << QStringList{"1", "2", "3"} << true;
}

void TestCarryOverRule::typedFiguresAgainstCarried()
{
    QFETCH(QStringList, saved);
    QFETCH(QDate, start);
    QFETCH(QStringList, typed);
    QFETCH(bool, agrees);
    const CarryOver carried = CarryOverRule::find(slips(saved), start);
    QCOMPARE(carried.agreesWith(typed.at(0), typed.at(1), typed.at(2)), agrees);
}

void TestCarryOverRule::descriptionSaysWhere_data()
{
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("description");

    QTest::newRow("carried") << QStringList{March} << QDate(2001, 4, 1)
        << "Repris de la fiche « mars.rpt » (du 01/03/2001 au 31/03/2001).";
    QTest::newRow("new year") << QStringList{December} << QDate(2001, 1, 1)
        << "Repris de la fiche « décembre.rpt » (du 01/12/2000 au 31/12/2000). Nouvelle année : les cumuls "
           "repartent de zéro.";
    QTest::newRow("none") << QStringList() << QDate(2001, 4, 1)
        << "Aucune fiche de paie enregistrée de ce salarié ne se termine avant le 01/04/2001.";
    QTest::newRow("changed") << QStringList{March + QStringLiteral("; changed")} << QDate(2001, 4, 1)
        << "La fiche « mars.rpt » (du 01/03/2001 au 31/03/2001) a été modifiée en dehors du programme depuis "
           "son enregistrement : ses chiffres ne sont pas repris. Enregistrez de nouveau cette fiche de paie, "
           "ou supprimez-la.";
    QTest::newRow("undated slips are said")
        << QStringList{March, QStringLiteral("x.rpt; ; ; 1; 1; 1"), QStringLiteral("y.rpt; ; ; 1; 1; 1")}
        << QDate(2001, 4, 1)
        << "Repris de la fiche « mars.rpt » (du 01/03/2001 au 31/03/2001). 2 fiches de ce salarié sans période "
           "lisible ne sont pas comptées.";
}

void TestCarryOverRule::descriptionSaysWhere()
{
    QFETCH(QStringList, saved);
    QFETCH(QDate, start);
    QFETCH(QString, description);
    QCOMPARE(CarryOverRule::find(slips(saved), start).description(), description);
}

QTEST_GUILESS_MAIN(TestCarryOverRule)
#include "tst_carryoverrule.moc"
