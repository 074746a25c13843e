#include "datetext.h"
#include "mask.h"
#include "numbertext.h"

#include <QLocale>
#include <QTest>

// The mask interpreter: the program's masks, the clerk's rounding, texts that
// are not numbers left alone.
class TestMask : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void apply_data();
    void apply();
    void format_data();
    void format();
    void notANumberUnchanged_data();
    void notANumberUnchanged();
    void idempotent_data();
    void idempotent();
    void amountReadsBackRounded_data();
    void amountReadsBackRounded();

private:
    static QStringList numericMasks();
};

QStringList TestMask::numericMasks()
{
    return {QString::fromLatin1(Mask::Amount),     QString::fromLatin1(Mask::HourlyRate),
            QString::fromLatin1(Mask::Rate),       QString::fromLatin1(Mask::EuroRate),
            QString::fromLatin1(Mask::Hours),      QString::fromLatin1(Mask::DecimalKey),
            QStringLiteral("-0."),                 QStringLiteral("."),
            QStringLiteral("##%")};
}

void TestMask::initTestCase()
{
    // The masks must not lean on the default locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMask::apply_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    const QString amount = QString::fromLatin1(Mask::Amount);
    const QString hourly = QString::fromLatin1(Mask::HourlyRate);
    const QString rate = QString::fromLatin1(Mask::Rate);
    const QString euro = QString::fromLatin1(Mask::EuroRate);
    const QString hours = QString::fromLatin1(Mask::Hours);

    QTest::newRow("rate rounds to 4 decimals") << QStringLiteral("2,34567") << rate
                                               << QStringLiteral("2,3457");
    QTest::newRow("rate keeps one decimal") << QStringLiteral("8") << rate << QStringLiteral("8,0");
    QTest::newRow("rate groups thousands") << QStringLiteral("1234000") << rate
                                           << QStringLiteral("1\u202F234\u202F000,0");
    QTest::newRow("rate tiny rounds to zero") << QStringLiteral("0,00001") << rate
                                              << QStringLiteral("0,0");
    QTest::newRow("rate tie") << QStringLiteral("1,00005") << rate << QStringLiteral("1,0001");
    QTest::newRow("hourly groups") << QStringLiteral("1500") << hourly
                                   << QStringLiteral("1\u202F500,0");
    QTest::newRow("hourly two decimals") << QStringLiteral("1,45") << hourly
                                         << QStringLiteral("1,45");
    QTest::newRow("hourly rounds up") << QStringLiteral("0,005") << hourly << QStringLiteral("0,01");
    QTest::newRow("euro rate") << QStringLiteral("6,55957") << euro << QStringLiteral("6,55957");
    QTest::newRow("euro rate pads") << QStringLiteral("7") << euro << QStringLiteral("7,00000");
    QTest::newRow("amount half up") << QStringLiteral("2,345") << amount << QStringLiteral("2,35");
    QTest::newRow("amount 1,005") << QStringLiteral("1,005") << amount << QStringLiteral("1,01");
    QTest::newRow("amount 0,125") << QStringLiteral("0,125") << amount << QStringLiteral("0,13");
    QTest::newRow("amount zero") << QStringLiteral("0") << amount << QStringLiteral("0,00");
    QTest::newRow("amount negative grouped") << QStringLiteral("-1234,5") << amount
                                             << QStringLiteral("-1\u202F234,50");
    QTest::newRow("amount negative half away") << QStringLiteral("-2,345") << amount
                                               << QStringLiteral("-2,35");
    QTest::newRow("amount rounds to zero, no minus") << QStringLiteral("-0,004") << amount
                                                     << QStringLiteral("0,00");
    QTest::newRow("amount carry into new group") << QStringLiteral("999,995") << amount
                                                 << QStringLiteral("1\u202F000,00");
    QTest::newRow("amount reads space groups") << QStringLiteral("1 234,5") << amount
                                               << QStringLiteral("1\u202F234,50");
    QTest::newRow("amount trailing comma") << QStringLiteral("12,") << amount
                                           << QStringLiteral("12,00");
    QTest::newRow("amount leading comma") << QStringLiteral(",5") << amount
                                          << QStringLiteral("0,50");
    QTest::newRow("amount blanks around") << QStringLiteral(" 3 ") << amount
                                          << QStringLiteral("3,00");
    QTest::newRow("amount millions") << QStringLiteral("1234567,891") << amount
                                     << QStringLiteral("1\u202F234\u202F567,89");
    QTest::newRow("hours minus half") << QStringLiteral("-0,5") << hours << QStringLiteral("-1");
    QTest::newRow("hours half") << QStringLiteral("0,5") << hours << QStringLiteral("1");
    QTest::newRow("hours no grouping") << QStringLiteral("1234,5") << hours
                                       << QStringLiteral("1235");
    QTest::newRow("hours carry") << QStringLiteral("9,9999") << hours << QStringLiteral("10");
    QTest::newRow("hours zero") << QStringLiteral("0,2") << hours << QStringLiteral("0");
    QTest::newRow("decimal key rounds") << QStringLiteral("12,5") << QStringLiteral("0.")
                                        << QStringLiteral("13,");
    QTest::newRow("decimal key zero") << QStringLiteral("0") << QStringLiteral("0.")
                                      << QStringLiteral("0,");
    QTest::newRow("decimal key negative") << QStringLiteral("-2,5") << QStringLiteral("0.")
                                          << QStringLiteral("-3,");
    QTest::newRow("minus zero") << QStringLiteral("0") << QStringLiteral("-0.")
                                << QStringLiteral("-0,");
    QTest::newRow("minus mask shows one sign") << QStringLiteral("-5") << QStringLiteral("-0.")
                                               << QStringLiteral("-5,");
    QTest::newRow("separator of zero") << QStringLiteral("0") << QStringLiteral(".")
                                       << QStringLiteral(",");
    QTest::newRow("separator after digits") << QStringLiteral("5") << QStringLiteral(".")
                                            << QStringLiteral("5,");
    QTest::newRow("separator rounds") << QStringLiteral("12,5") << QStringLiteral(".")
                                      << QStringLiteral("13,");
    QTest::newRow("percent") << QStringLiteral("0,5") << QStringLiteral("##%")
                             << QStringLiteral("50%");
    QTest::newRow("percent rounds") << QStringLiteral("0,125") << QStringLiteral("##%")
                                    << QStringLiteral("13%");
    QTest::newRow("percent of zero") << QStringLiteral("0") << QStringLiteral("##%")
                                     << QStringLiteral("%");
    QTest::newRow("upper case") << QStringLiteral("d'artagnan \u00E9t\u00E9") << QStringLiteral(">")
                                << QStringLiteral("D'ARTAGNAN \u00C9T\u00C9");
    QTest::newRow("upper case number") << QStringLiteral("12,5") << QStringLiteral(">")
                                       << QStringLiteral("12,5");
    QTest::newRow("upper case empty") << QString() << QStringLiteral(">") << QString();
    QTest::newRow("entry date") << QStringLiteral("15/01/2001")
                                << QString::fromLatin1(DateText::EntryDateMask)
                                << QStringLiteral("lundi 15 janv. 2001");
}

void TestMask::apply()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(Mask::apply(text, mask), expected);
}

void TestMask::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    const QString amount = QString::fromLatin1(Mask::Amount);
    QTest::newRow("two thirds as a rate") << 2 / 3.0 << QString::fromLatin1(Mask::Rate)
                                          << QStringLiteral("0,6667");
    QTest::newRow("francs to euros") << 100 / 6.55957 << amount << QStringLiteral("15,24");
    QTest::newRow("euros to francs") << 655.957 << amount << QStringLiteral("655,96");
    QTest::newRow("binary artefact") << 0.1 + 0.2 << amount << QStringLiteral("0,30");
    QTest::newRow("tie stored just below") << 2.675 << amount << QStringLiteral("2,68");
    QTest::newRow("sum on the tie") << 0.7 + 0.1 + 0.005 << amount << QStringLiteral("0,81");
    QTest::newRow("large") << 1e15 << amount
                           << QStringLiteral("1\u202F000\u202F000\u202F000\u202F000\u202F000,00");
    QTest::newRow("minus zero") << -0.0 << amount << QStringLiteral("0,00");
    QTest::newRow("percent without artefact") << 0.07 << QStringLiteral("##%")
                                              << QStringLiteral("7%");
    QTest::newRow("commission rate") << 12.5 / 100 << QStringLiteral("##%")
                                     << QStringLiteral("13%");
    QTest::newRow("minus zero mask") << 0.0 << QStringLiteral("-0.") << QStringLiteral("-0,");
    QTest::newRow("bare separator") << 0.0 << QStringLiteral(".") << QStringLiteral(",");
    QTest::newRow("decimal key") << 0.0 << QString::fromLatin1(Mask::DecimalKey)
                                 << QStringLiteral("0,");
}

void TestMask::format()
{
    QFETCH(double, value);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(Mask::format(value, mask), expected);
}

void TestMask::notANumberUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");

    const QStringList texts = {QString(),           QStringLiteral(" "),
                               QStringLiteral("abc"), QStringLiteral("12abc"),
                               QStringLiteral("1.5"), QStringLiteral("1e5"),
                               QStringLiteral("--1"), QStringLiteral("50%"),
                               QStringLiteral("1,2,3"), QStringLiteral("-")};
    for (const QString &mask : numericMasks()) {
        for (const QString &text : texts)
            QTest::addRow("\"%s\" with %s", qPrintable(text), qPrintable(mask)) << text << mask;
    }
}

void TestMask::notANumberUnchanged()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    QCOMPARE(Mask::apply(text, mask), text);
}

void TestMask::idempotent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");

    const QStringList texts = {QStringLiteral("0"),        QStringLiteral("5"),
                               QStringLiteral("-5"),       QStringLiteral("2,345"),
                               QStringLiteral("-0,5"),     QStringLiteral("0,125"),
                               QStringLiteral("1234000"),  QStringLiteral("999,995"),
                               QStringLiteral("6,55957"),  QStringLiteral("12,"),
                               QStringLiteral("-1234,5678"), QStringLiteral("0,004")};
    for (const QString &mask : numericMasks()) {
        for (const QString &text : texts)
            QTest::addRow("%s with %s", qPrintable(text), qPrintable(mask)) << text << mask;
    }
}

void TestMask::idempotent()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    const QString once = Mask::apply(text, mask);
    QCOMPARE(Mask::apply(once, mask), once);
}

void TestMask::amountReadsBackRounded_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("half up") << 2.345 << 2.35;
    QTest::newRow("grouped") << 1234567.891 << 1234567.89;
    QTest::newRow("negative") << -0.005 << -0.01;
    QTest::newRow("conversion") << 100 / 6.55957 << 15.24;
}

void TestMask::amountReadsBackRounded()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    const std::optional<double> read =
        NumberText::read(Mask::format(value, QString::fromLatin1(Mask::Amount)));
    QVERIFY(read.has_value());
    QCOMPARE(*read, expected);
}

QTEST_MAIN(TestMask)
#include "tst_mask.moc"
