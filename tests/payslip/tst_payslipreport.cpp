#include "payslipreport.h"

#include <QTest>

// The pay slip report object's hand-over: every entry in order, then the
// finish; a failure is told and the whole is tried once more from the first
// entry; the second outcome is the answer.
class TestPayslipReport : public QObject
{
    Q_OBJECT

private slots:
    void deliver_data();
    void deliver();
    void failureTextNamesMessageAndNumber();
    void failureTextKeepsPlaceholdersOfFileNames_data();
    void failureTextKeepsPlaceholdersOfFileNames();
};

namespace {

const QList<FormulaEntry> Entries = {
    {888, "CUM='14 777,36'"}, {1201, "TAUX='43,72'"}, {207, "NET='5 912,40'"}, {209, "MUTUELLE=''"}};

QMap<qint16, QString> asMap(const QList<FormulaEntry> &entries)
{
    QMap<qint16, QString> map;
    for (const FormulaEntry &entry : entries)
        map.insert(entry.number, entry.text);
    return map;
}

} // namespace

void TestPayslipReport::deliver_data()
{
    QTest::addColumn<QList<int>>("outcomes"); // the error number of each attempt, 0 for success
    QTest::addColumn<int>("attempts");
    QTest::addColumn<int>("told");            // the number the first failure was told with, 0 for none
    QTest::addColumn<int>("result");
    QTest::newRow("first attempt succeeds") << QList<int>{0} << 1 << 0 << 0;
    QTest::newRow("printer fails once") << QList<int>{28663, 0} << 2 << 28663 << 0;
    QTest::newRow("printer fails twice") << QList<int>{28663, 28663} << 2 << 28663 << 28663;
    QTest::newRow("other failure, then printer") << QList<int>{28601, 28663} << 2 << 28601 << 28663;
}

void TestPayslipReport::deliver()
{
    QFETCH(QList<int>, outcomes);
    QFETCH(int, attempts);
    QFETCH(int, told);
    QFETCH(int, result);

    PayslipReport report;
    QCOMPARE(report.reportFile(), QString("rkv.rpl"));
    int attempt = 0;
    QList<QMap<qint16, QString>> handed;
    const auto finish = [&](PayslipReport &engine) {
        handed << engine.formulas();
        const int number = outcomes.value(attempt++);
        // What an attempt leaves behind must not survive into the next one.
        engine.set_formula(Entries.first().number, "CUM='abîmé'");
        return number ? ReportError{number, "échec"} : ReportError::success();
    };
    int toldNumber = 0;
    const ReportError error = report.deliver(Entries, finish, [&](const ReportError &first) {
        QCOMPARE(attempt, 1);
        toldNumber = first.number;
    });

    QCOMPARE(attempt, attempts);
    QCOMPARE(toldNumber, told);
    QCOMPARE(error.number, result);
    // Each attempt found every entry, handed over again from the first.
    QCOMPARE(handed.size(), attempts);
    for (const QMap<qint16, QString> &formulas : handed)
        QCOMPARE(formulas, asMap(Entries));
}

void TestPayslipReport::failureTextNamesMessageAndNumber()
{
    QCOMPARE(PayslipReport::failureText("La fiche de paie « mars.rpt » n'a pas été enregistrée.",
                                        ReportError{28607, "Le disque est plein."}),
             QString("La fiche de paie « mars.rpt » n'a pas été enregistrée.\nLe disque est plein. (erreur 28607)"));
}

void TestPayslipReport::failureTextKeepsPlaceholdersOfFileNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("%1") << "fiche %1.rpt";
    QTest::newRow("%2 and %3") << "mars %2 %3.rpt";
    QTest::newRow("%99 and %L1") << "%99 %L1.rpt";
}

// A file name is text, never a placeholder: the message names the right
// file and keeps the error number.
void TestPayslipReport::failureTextKeepsPlaceholdersOfFileNames()
{
    QFETCH(QString, file);
    const QString what = "La fiche de paie « " + file + " » n'a pas été enregistrée.";
    const QString why = "Le fichier « " + file + " » est introuvable.";
    QCOMPARE(PayslipReport::failureText(what, ReportError{28601, why}), what + "\n" + why + " (erreur 28601)");
}

QTEST_GUILESS_MAIN(TestPayslipReport)
#include "tst_payslipreport.moc"
