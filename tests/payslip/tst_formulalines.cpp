#include "formulalines.h"

#include <QTest>

// `--formulas` writes one line an entry whatever a stored text holds; the
// escaping is the one --help describes, so a reader can undo it.
class TestFormulaLines : public QObject
{
    Q_OBJECT

private slots:
    void escaped_data();
    void escaped();
    void oneLineAnEntry();
};

void TestFormulaLines::escaped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain, accents and apostrophes kept") << "VILLE='SAINT-ÉTIENNE D’ARVE'"
                                                       << "VILLE='SAINT-ÉTIENNE D’ARVE'";
    QTest::newRow("backslash") << "A='C:\\PAIE'" << "A='C:\\\\PAIE'";
    QTest::newRow("line feed") << "A='8, allée\ndes Peupliers'" << "A='8, allée\\ndes Peupliers'";
    QTest::newRow("carriage return") << "A='x\r\n'" << "A='x\\r\\n'";
    QTest::newRow("tab") << "A='\t'" << "A='\\t'";
    QTest::newRow("escape sequence typed as text") << "A='\\n'" << "A='\\\\n'";
    QTest::newRow("NUL") << QString("A='") + QChar(0) + "'" << "A='\\u0000'";
    QTest::newRow("vertical tab, form feed") << "A='\v\f'" << "A='\\u000b\\u000c'";
    QTest::newRow("DEL") << "A='\x7f'" << "A='\\u007f'";
    QTest::newRow("next line U+0085") << QString("A='") + QChar(0x85) + "'" << "A='\\u0085'";
    QTest::newRow("line separator U+2028") << QString("A='") + QChar(0x2028) + "'" << "A='\\u2028'";
    QTest::newRow("paragraph separator U+2029") << QString("A='") + QChar(0x2029) + "'" << "A='\\u2029'";
}

void TestFormulaLines::escaped()
{
    QFETCH(QString, text);
    QTEST(FormulaLines::escaped(text), "expected");
}

void TestFormulaLines::oneLineAnEntry()
{
    const QList<FormulaEntry> entries{{13, "ADRESALARIE='3, rue Colbert\n207\tNET=''"}, {207, "NET='5 912,40'"}};
    QCOMPARE(FormulaLines::lines(entries),
             QString("13\tADRESALARIE='3, rue Colbert\\n207\\tNET=''\n207\tNET='5 912,40'\n"));
}

QTEST_GUILESS_MAIN(TestFormulaLines)
#include "tst_formulalines.moc"
