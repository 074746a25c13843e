#include "numericentryfilter.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using Variant = NumericEntryFilter::Variant;

// Keys typed into a number field under the numeric-entry rule.
class TestNumericEntryFilter : public QObject
{
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");

        const int without = int(Variant::WithoutSelection);
        const int with = int(Variant::WithSelection);
        QTest::newRow("comma on empty") << with << "" << false << "," << "0," << 0;
        QTest::newRow("period on empty") << without << "" << false << "." << "0," << 0;
        QTest::newRow("period then digit") << without << "12" << false << ".5" << "12,5" << 0;
        QTest::newRow("second decimal key rounds") << without << "12" << false << ".5," << "13," << 0;
        QTest::newRow("rounds half away from zero") << with << "2,5" << false << "," << "3," << 0;
        QTest::newRow("selection deleted first") << with << "12" << true << "," << "0," << 0;
        QTest::newRow("selection kept without handling") << without << "12" << true << "," << "12," << 0;
        QTest::newRow("letter beeps") << with << "12" << false << "a" << "12" << 1;
        QTest::newRow("minus beeps") << without << "12" << false << "-" << "12" << 1;
        QTest::newRow("space beeps") << without << "12" << false << " " << "12" << 1;
        QTest::newRow("digits pass") << with << "" << false << "1234" << "1234" << 0;
        QTest::newRow("pasted text left unchanged by decimal key") << with << "abc" << false << "," << "abc" << 0;
    }

    void typing()
    {
        QFETCH(int, variant);
        QFETCH(QString, start);
        QFETCH(bool, selectAll);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(int, beeps);

        QLineEdit field;
        auto *filter = NumericEntryFilter::install(&field, Variant(variant));
        QSignalSpy beeped(filter, &NumericEntryFilter::beeped);
        field.setText(start);
        if (selectAll)
            field.selectAll();
        else
            field.setCursorPosition(field.text().size());
        QTest::keyClicks(&field, keys);
        QCOMPARE(field.text(), expected);
        QCOMPARE(beeped.count(), beeps);
    }

    void decimalKeyPutsCaretAtEnd()
    {
        QLineEdit field;
        NumericEntryFilter::install(&field, Variant::WithSelection);
        field.setText(QStringLiteral("12"));
        field.setCursorPosition(0);
        QTest::keyClick(&field, Qt::Key_Comma, Qt::NoModifier);
        QCOMPARE(field.text(), QStringLiteral("12,"));
        QCOMPARE(field.cursorPosition(), 3);
    }

    void enterAndEscapeBeepAndChangeNothing()
    {
        QLineEdit field;
        auto *filter = NumericEntryFilter::install(&field, Variant::WithoutSelection);
        QSignalSpy beeped(filter, &NumericEntryFilter::beeped);
        field.setText(QStringLiteral("7"));
        QTest::keyClick(&field, Qt::Key_Return);
        QTest::keyClick(&field, Qt::Key_Escape);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), QStringLiteral("7"));
        QCOMPARE(beeped.count(), 3);
    }

    void backspaceAndNavigationPass()
    {
        QLineEdit field;
        auto *filter = NumericEntryFilter::install(&field, Variant::WithoutSelection);
        QSignalSpy beeped(filter, &NumericEntryFilter::beeped);
        field.setText(QStringLiteral("123"));
        field.setCursorPosition(3);
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClick(&field, Qt::Key_Home);
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.text(), QStringLiteral("2"));
        QCOMPARE(beeped.count(), 0);
    }

    void guardSwallowsTheKey()
    {
        QLineEdit field;
        auto *filter = NumericEntryFilter::install(&field, Variant::WithSelection);
        bool allowed = false;
        filter->setGuard([&allowed](QKeyEvent *) { return allowed; });
        QTest::keyClicks(&field, QStringLiteral("5"));
        QCOMPARE(field.text(), QString());
        allowed = true;
        QTest::keyClicks(&field, QStringLiteral("5"));
        QCOMPARE(field.text(), QStringLiteral("5"));
    }
};

QTEST_MAIN(TestNumericEntryFilter)
#include "tst_numericentryfilter.moc"
