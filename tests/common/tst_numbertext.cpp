#include "numbertext.h"

#include <QLocale>
#include <QTest>

#include <limits>

// Reading and writing numbers held as text, always the French way whatever
// the default locale says.
class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void read_data();
    void read();
    void notANumber_data();
    void notANumber();
    void write_data();
    void write();
    void writeReadsBack_data();
    void writeReadsBack();
    void infinityIsNotWrittenAsANumber();
    void typedAsCopied_data();
    void typedAsCopied();
};

void TestNumberText::initTestCase()
{
    // The functions must not lean on the default locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestNumberText::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("decimal comma") << QStringLiteral("12,5") << 12.5;
    QTest::newRow("integer") << QStringLiteral("42") << 42.0;
    QTest::newRow("negative") << QStringLiteral("-5") << -5.0;
    QTest::newRow("plus sign") << QStringLiteral("+5,25") << 5.25;
    QTest::newRow("trailing comma") << QStringLiteral("12,") << 12.0;
    QTest::newRow("leading comma") << QStringLiteral(",5") << 0.5;
    QTest::newRow("negative leading comma") << QStringLiteral("-,5") << -0.5;
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
    QTest::newRow("minus zero") << QStringLiteral("-0") << 0.0;
    QTest::newRow("leading zeros") << QStringLiteral("00012") << 12.0;
    QTest::newRow("surrounding blanks") << QStringLiteral("  12,5 \t") << 12.5;
    QTest::newRow("space group") << QStringLiteral("1 234,5") << 1234.5;
    QTest::newRow("no-break space group") << QStringLiteral("1\u00A0234,5") << 1234.5;
    QTest::newRow("narrow no-break space groups")
        << QStringLiteral("-1\u202F234\u202F567,25") << -1234567.25;
    QTest::newRow("amount mask output") << QStringLiteral("1\u202F234\u202F000,00") << 1234000.0;
    QTest::newRow("15 digits") << QStringLiteral("0,333333333333333") << 0.333333333333333;
    QTest::newRow("many decimals") << QStringLiteral("1234567,891") << 1234567.891;
    QTest::newRow("tiny") << QStringLiteral("0,0000001") << 1e-7;
}

void TestNumberText::read()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::optional<double> value = NumberText::read(text);
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
    QVERIFY(NumberText::isNumber(text));
}

void TestNumberText::notANumber_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("blank") << QStringLiteral("   ");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("trailing letters") << QStringLiteral("12abc");
    QTest::newRow("decimal point") << QStringLiteral("1.5");
    QTest::newRow("exponent") << QStringLiteral("1e5");
    QTest::newRow("double minus") << QStringLiteral("--1");
    QTest::newRow("plus minus") << QStringLiteral("+-1");
    QTest::newRow("minus alone") << QStringLiteral("-");
    QTest::newRow("comma alone") << QStringLiteral(",");
    QTest::newRow("two commas") << QStringLiteral("1,2,3");
    QTest::newRow("blank after sign") << QStringLiteral("- 5");
    QTest::newRow("blank before comma") << QStringLiteral("1 234 ,5");
    QTest::newRow("blank in decimals") << QStringLiteral("1,5 0");
    QTest::newRow("percent") << QStringLiteral("50%");
    QTest::newRow("infinity") << QStringLiteral("inf");
    QTest::newRow("nan") << QStringLiteral("nan");
    QTest::newRow("hexadecimal") << QStringLiteral("0x10");
    QTest::newRow("fullwidth digits") << QStringLiteral("\uFF11\uFF12");
    QTest::newRow("date") << QStringLiteral("15/01/2001");
    QTest::newRow("too large") << QStringLiteral("1") + QString(400, u'0');
}

void TestNumberText::notANumber()
{
    QFETCH(QString, text);
    const std::optional<double> value = NumberText::read(text);
    QVERIFY2(!value.has_value(), qPrintable(QString::number(value.value_or(0))));
    QVERIFY(!NumberText::isNumber(text));
}

void TestNumberText::write_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal") << 12.5 << QStringLiteral("12,5");
    QTest::newRow("negative integer") << -5.0 << QStringLiteral("-5");
    QTest::newRow("third") << 1 / 3.0 << QStringLiteral("0,333333333333333");
    QTest::newRow("two thirds") << 2 / 3.0 << QStringLiteral("0,666666666666667");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("minus zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("no exponent") << 1e-7 << QStringLiteral("0,0000001");
    QTest::newRow("no grouping") << 1234567.891 << QStringLiteral("1234567,891");
    QTest::newRow("binary artefact") << 0.1 + 0.2 << QStringLiteral("0,3");
    QTest::newRow("euro conversion") << 100 / 6.55957 << QStringLiteral("15,244901723741");
    QTest::newRow("large") << 1e15 << QStringLiteral("1000000000000000");
    QTest::newRow("beyond 15 digits") << 123456789012345678.0
                                      << QStringLiteral("123456789012346000");
    QTest::newRow("negative decimal") << -1234.5 << QStringLiteral("-1234,5");
    QTest::newRow("small") << 0.000123 << QStringLiteral("0,000123");
}

void TestNumberText::write()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::write(value), expected);
}

void TestNumberText::writeReadsBack_data()
{
    QTest::addColumn<double>("value");

    QTest::newRow("amount") << 1234.56;
    QTest::newRow("negative") << -0.05;
    QTest::newRow("rate") << 6.55957;
    QTest::newRow("tiny") << 3e-12;
    QTest::newRow("huge") << 9.87654321e20;
}

void TestNumberText::writeReadsBack()
{
    QFETCH(double, value);
    const std::optional<double> read = NumberText::read(NumberText::write(value));
    QVERIFY(read.has_value());
    QCOMPARE(*read, value);
}

void TestNumberText::infinityIsNotWrittenAsANumber()
{
    QVERIFY(!NumberText::isNumber(NumberText::write(std::numeric_limits<double>::infinity())));
    QVERIFY(!NumberText::isNumber(NumberText::write(std::numeric_limits<double>::quiet_NaN())));
}

// What the clerk would type from a printed figure: the same digits without
// the grouping, and nothing at all for a text that is no number.
void TestNumberText::typedAsCopied_data()
{
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("amount mask output") << QStringLiteral("6\u202F795,09") << QStringLiteral("6795,09");
    QTest::newRow("millions") << QStringLiteral("1\u202F234\u202F000,00") << QStringLiteral("1234000,00");
    QTest::newRow("no-break space") << QStringLiteral("1\u00A0000,50") << QStringLiteral("1000,50");
    QTest::newRow("whole hours") << QStringLiteral("20") << QStringLiteral("20");
    QTest::newRow("negative hours") << QStringLiteral("-5") << QStringLiteral("-5");
    QTest::newRow("blanks around") << QStringLiteral(" 12,5 ") << QStringLiteral("12,5");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("a word") << QStringLiteral("néant") << QString();
    QTest::newRow("two commas") << QStringLiteral("1,2,3") << QString();
}

void TestNumberText::typedAsCopied()
{
    QFETCH(QString, printed);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::typed(printed), expected);
}

QTEST_MAIN(TestNumberText)
#include "tst_numbertext.moc"
