#include "formulatext.h"

#include <QTest>

// Formula entries are NAME='value' with the value handed over unescaped: the
// name ends at the first "='", the value at the last quote.
class TestFormulaText : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void refused_data();
    void refused();
};

void TestFormulaText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("rate") << "TAUX='45,50'" << "TAUX" << "45,50";
    QTest::newRow("empty value") << "HCOMP=''" << "HCOMP" << "";
    QTest::newRow("one space") << "ABS=' '" << "ABS" << " ";
    QTest::newRow("digit name") << "441='6,80'" << "441" << "6,80";
    QTest::newRow("quote inside") << "NOMSALARIE='D'ARTAGNAN'" << "NOMSALARIE" << "D'ARTAGNAN";
    QTest::newRow("quote last") << "20='L''" << "20" << "L'";
    QTest::newRow("equals and quote inside") << "ADRESALARIE='A='B'" << "ADRESALARIE" << "A='B";
    QTest::newRow("typographic apostrophe") << QString::fromUtf8("HABS='Heures d\u2019Absence'")
                                            << "HABS" << QString::fromUtf8("Heures d\u2019Absence");
}

void TestFormulaText::parse()
{
    QFETCH(QString, text);
    const std::optional<FormulaText> formula = FormulaText::parse(text);
    QVERIFY(formula);
    QTEST(formula->name, "name");
    QTEST(formula->value, "value");
    QCOMPARE(formula->toText(), text);
}

void TestFormulaText::refused_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("no quotes") << "TAUX=45,50";
    QTest::newRow("no closing quote") << "TAUX='45,50";
    QTest::newRow("no name") << "='45,50'";
    QTest::newRow("only the opening") << "TAUX='";
    QTest::newRow("trailing space") << "TAUX='45,50' ";
}

void TestFormulaText::refused()
{
    QFETCH(QString, text);
    QVERIFY(!FormulaText::parse(text));
}

QTEST_GUILESS_MAIN(TestFormulaText)
#include "tst_formulatext.moc"
