#include "datetext.h"
#include "textrules.h"

#include <QLocale>
#include <QTest>
#include <QTime>

// Dates held as text: typed forms, the entry-date mask and its upper-cased
// stored form.
class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void read_data();
    void read();
    void notADate_data();
    void notADate();
    void formatEntryDate_data();
    void formatEntryDate();
    void everyDayReadsBackUpperCased();
    void maskEntryDate_data();
    void maskEntryDate();
    void longDate();
    void longTime();
};

void TestDateText::initTestCase()
{
    // Dates must come out French whatever the default locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestDateText::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    const QDate jan15(2001, 1, 15);
    QTest::newRow("slashes") << QStringLiteral("15/01/2001") << jan15;
    QTest::newRow("dashes, short") << QStringLiteral("15-1-01") << jan15;
    QTest::newRow("dots") << QStringLiteral("15.01.2001") << jan15;
    QTest::newRow("spaces") << QStringLiteral("15 01 2001") << jan15;
    QTest::newRow("blanks around") << QStringLiteral("  15/01/2001 ") << jan15;
    QTest::newRow("day first") << QStringLiteral("1/2/2001") << QDate(2001, 2, 1);
    QTest::newRow("year 00") << QStringLiteral("01/02/00") << QDate(2000, 2, 1);
    QTest::newRow("year 29") << QStringLiteral("1/2/29") << QDate(2029, 2, 1);
    QTest::newRow("year 30") << QStringLiteral("1/2/30") << QDate(1930, 2, 1);
    QTest::newRow("year 99") << QStringLiteral("01/02/99") << QDate(1999, 2, 1);
    QTest::newRow("leap day") << QStringLiteral("29/02/2000") << QDate(2000, 2, 29);
    QTest::newRow("masked") << QStringLiteral("lundi 15 janv. 2001") << jan15;
    QTest::newRow("masked upper") << QStringLiteral("LUNDI 15 JANV. 2001") << jan15;
    QTest::newRow("masked, weekday wrong") << QStringLiteral("mardi 15 janv. 2001") << jan15;
    QTest::newRow("masked, no weekday") << QStringLiteral("15 janv. 2001") << jan15;
    QTest::newRow("masked, full month") << QStringLiteral("15 janvier 2001") << jan15;
    QTest::newRow("masked accents upper")
        << QStringLiteral("MARDI 29 F\u00C9VR. 2000") << QDate(2000, 2, 29);
    QTest::newRow("masked circumflex upper")
        << QStringLiteral("VENDREDI 15 AO\u00DBT 2003") << QDate(2003, 8, 15);
    QTest::newRow("masked long date") << QStringLiteral("jeudi 1 f\u00E9vrier 2001")
                                      << QDate(2001, 2, 1);
}

void TestDateText::read()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const std::optional<QDate> date = DateText::read(text);
    QVERIFY(date.has_value());
    QCOMPARE(*date, expected);
}

void TestDateText::notADate_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("31 February") << QStringLiteral("31/02/2001");
    QTest::newRow("29 February, common year") << QStringLiteral("29/02/2001");
    QTest::newRow("month 13") << QStringLiteral("15/13/2001");
    QTest::newRow("day 0") << QStringLiteral("00/01/2001");
    QTest::newRow("no year") << QStringLiteral("15/01");
    QTest::newRow("three-digit year") << QStringLiteral("15/01/201");
    QTest::newRow("mixed separators") << QStringLiteral("15/01-2001");
    QTest::newRow("unknown month") << QStringLiteral("lundi 15 xyz 2001");
    QTest::newRow("not a weekday") << QStringLiteral("bonjour 15 janv. 2001");
    QTest::newRow("masked 30 February") << QStringLiteral("30 f\u00E9vr. 2001");
    QTest::newRow("number") << QStringLiteral("12,5");
}

void TestDateText::notADate()
{
    QFETCH(QString, text);
    const std::optional<QDate> date = DateText::read(text);
    QVERIFY2(!date.has_value(), qPrintable(date.value_or(QDate()).toString(Qt::ISODate)));
}

void TestDateText::formatEntryDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    QTest::newRow("January") << QDate(2001, 1, 15) << QStringLiteral("lundi 15 janv. 2001");
    QTest::newRow("two-digit day") << QDate(2001, 2, 5) << QStringLiteral("lundi 05 f\u00E9vr. 2001");
    QTest::newRow("August") << QDate(2003, 8, 15) << QStringLiteral("vendredi 15 ao\u00FBt 2003");
    QTest::newRow("December") << QDate(2001, 12, 25) << QStringLiteral("mardi 25 d\u00E9c. 2001");
}

void TestDateText::formatEntryDate()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(DateText::formatEntryDate(date), expected);
}

void TestDateText::everyDayReadsBackUpperCased()
{
    // Every month and weekday name, as stored: masked, then upper-cased.
    for (QDate date(1999, 1, 1); date.year() < 2001; date = date.addDays(1)) {
        const QString stored = TextRules::upperCase(DateText::formatEntryDate(date));
        const std::optional<QDate> read = DateText::read(stored);
        QVERIFY2(read.has_value(), qPrintable(stored));
        QCOMPARE(*read, date);
    }
}

void TestDateText::maskEntryDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("typed") << QStringLiteral("15/01/2001") << QStringLiteral("lundi 15 janv. 2001");
    QTest::newRow("short year") << QStringLiteral("15-1-01") << QStringLiteral("lundi 15 janv. 2001");
    QTest::newRow("stored form") << QStringLiteral("LUNDI 15 JANV. 2001")
                                 << QStringLiteral("lundi 15 janv. 2001");
    QTest::newRow("not a date") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("invalid date") << QStringLiteral("31/02/2001") << QStringLiteral("31/02/2001");
}

void TestDateText::maskEntryDate()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString masked = DateText::maskEntryDate(text);
    QCOMPARE(masked, expected);
    QCOMPARE(DateText::maskEntryDate(masked), masked);
    const QString stored = TextRules::upperCase(masked);
    QCOMPARE(TextRules::upperCase(DateText::maskEntryDate(stored)), stored);
}

void TestDateText::longDate()
{
    QCOMPARE(DateText::longDate(QDate(2001, 1, 15)), QStringLiteral("lundi 15 janvier 2001"));
    QCOMPARE(DateText::longDate(QDate(2001, 2, 1)), QStringLiteral("jeudi 1 f\u00E9vrier 2001"));
}

void TestDateText::longTime()
{
    QCOMPARE(DateText::longTime(QTime(9, 5, 7)), QStringLiteral("09:05:07"));
    QCOMPARE(DateText::longTime(QTime(23, 59, 59)), QStringLiteral("23:59:59"));
}

QTEST_MAIN(TestDateText)
#include "tst_datetext.moc"
