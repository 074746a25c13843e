#include "textrules.h"

#include <QLocale>
#include <QTest>

// Rules on stored texts: typographic apostrophes, French upper case.
class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void replaceApostrophes_data();
    void replaceApostrophes();
    void upperCase_data();
    void upperCase();
};

void TestTextRules::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

void TestTextRules::replaceApostrophes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one") << QStringLiteral("d'Artagnan") << QStringLiteral("d\u2019Artagnan");
    QTest::newRow("several") << QStringLiteral("l'''a") << QStringLiteral("l\u2019\u2019\u2019a");
    QTest::newRow("already typographic") << QStringLiteral("d\u2019Artagnan")
                                         << QStringLiteral("d\u2019Artagnan");
    QTest::newRow("none") << QStringLiteral("Dupont") << QStringLiteral("Dupont");
    QTest::newRow("empty") << QString() << QString();
}

void TestTextRules::replaceApostrophes()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString replaced = TextRules::replaceApostrophes(text);
    QCOMPARE(replaced, expected);
    QCOMPARE(replaced.size(), text.size());
}

void TestTextRules::upperCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("apostrophe") << QStringLiteral("d\u2019artagnan")
                                << QStringLiteral("D\u2019ARTAGNAN");
    QTest::newRow("acute") << QStringLiteral("\u00E9") << QStringLiteral("\u00C9");
    QTest::newRow("accents") << QStringLiteral("\u00E7\u00E0 o\u00F9 \u00EEle")
                             << QStringLiteral("\u00C7\u00C0 O\u00D9 \u00CELE");
    QTest::newRow("ligature") << QStringLiteral("\u0153uvre") << QStringLiteral("\u0152UVRE");
    // A Turkish default locale would give a dotted capital I.
    QTest::newRow("plain i") << QStringLiteral("in\u00E8s") << QStringLiteral("IN\u00C8S");
    QTest::newRow("digits") << QStringLiteral("12,5") << QStringLiteral("12,5");
}

void TestTextRules::upperCase()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(TextRules::upperCase(text), expected);
}

QTEST_MAIN(TestTextRules)
#include "tst_textrules.moc"
