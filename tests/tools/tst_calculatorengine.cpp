#include "calculatorengine.h"
#include "mask.h"
#include "numbertext.h"

#include <QTest>

// The calculator's rules, key by key, without a window. A sequence is
// written with the keys' captions: digits, "." "+" "-" "X" "/" "=" "%",
// "C" for clear and "E" for clear entry.
class TestCalculatorEngine : public QObject
{
    Q_OBJECT

    using Outcome = CalculatorEngine::Outcome;

    // Plays the keys; returns the outcome of the last operator that did not
    // simply succeed, Done otherwise.
    static Outcome play(CalculatorEngine &engine, const QString &keys)
    {
        Outcome reported = Outcome::Done;
        for (const QChar key : keys) {
            if (key.isDigit())
                engine.digit(key.digitValue());
            else if (key == u'.')
                engine.decimal();
            else if (key == u'%')
                engine.percent();
            else if (key == u'C')
                engine.clear();
            else if (key == u'E')
                engine.clearEntry();
            else if (const Outcome outcome = engine.applyOperator(QString(key)); outcome != Outcome::Done)
                reported = outcome;
        }
        return reported;
    }

private slots:
    void startsAtZero()
    {
        CalculatorEngine engine;
        QCOMPARE(engine.display(), QStringLiteral("0,"));
        QCOMPARE(engine.operandCount(), qint16(0));
        QCOMPARE(engine.lastInput(), CalculatorEngine::LastInput::None);
        QCOMPARE(engine.pendingOperator(), QStringLiteral(" "));
        QVERIFY(!engine.decimalEntered());
    }

    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("outcome");
        const int done = int(Outcome::Done);
        const QString nnbsp(QChar(0x202F));

        QTest::newRow("addition") << "12+3=" << "15,0" << done;
        QTest::newRow("division by zero keeps the first operand")
            << "7/0=" << "7,0" << int(Outcome::DivisionByZero);
        QTest::newRow("decimal operand") << "1.5X2=" << "3,0" << done;
        QTest::newRow("leading minus") << "-5+2=" << "-3,0" << done;
        QTest::newRow("thousands grouping")
            << "1234X1000=" << QStringLiteral("1") + nnbsp + QStringLiteral("234") + nnbsp + QStringLiteral("000,0") << done;
        QTest::newRow("four decimals at most") << "2/3=" << "0,6667" << done;
        QTest::newRow("percent after X") << "200X5%=" << "10,0" << done;
        QTest::newRow("percent after +") << "200+5%=" << "10,0" << done;
        QTest::newRow("clear entry keeps the operation") << "12+45E3=" << "15,0" << done;
        QTest::newRow("clear forgets all") << "12+45C3=" << "3,0" << done;
        QTest::newRow("chained operators") << "2+3X4=" << "20,0" << done;
        QTest::newRow("subtraction") << "10-4=" << "6,0" << done;
        QTest::newRow("minus after an operator") << "5X-3=" << "-15,0" << done;
        QTest::newRow("lone minus stays through another operator") << "5X-+4=" << "-20,0" << done;
        QTest::newRow("equals twice") << "12+3==" << "15,0" << done;
        QTest::newRow("new number after equals") << "12+3=7=" << "7,0" << done;
        QTest::newRow("decimal after a minus") << "-.5+1=" << "0,5" << done;
        QTest::newRow("decimals typed") << "0.125+0=" << "0,125" << done;
        QTest::newRow("rounded on four decimals") << "0.12345+0=" << "0,1235" << done;
        QTest::newRow("number after a percent completes the operation")
            << "200X5%3=" << "600,0" << done;
        const QString huge = QStringLiteral("1") + QString(200, u'0');
        QTest::newRow("overflow keeps the first operand")
            << huge + "X" + huge + "=" << Mask::format(1e200, QString::fromLatin1(Mask::Rate))
            << int(Outcome::Overflow);
    }

    void sequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(int, outcome);
        CalculatorEngine engine;
        QCOMPARE(int(play(engine, keys)), outcome);
        QCOMPARE(engine.display(), display);
    }

    void typingShowsTheEntry_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("integer part ends with the separator") << "45" << "45,";
        QTest::newRow("decimals follow the separator") << "4.25" << "4,25";
        QTest::newRow("decimal key first") << "." << "0,";
        QTest::newRow("minus then digit") << "-7" << "-7,";
        QTest::newRow("minus then decimal key") << "-." << "-0,";
        QTest::newRow("clear entry") << "45E" << "0,";
        QTest::newRow("operator masks the entry") << "45+" << "45,0";
        QTest::newRow("percent") << "5%" << "0,05";
        QTest::newRow("lone minus after an operator") << "5X-" << "-";
    }

    void typingShowsTheEntry()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        CalculatorEngine engine;
        play(engine, keys);
        QCOMPARE(engine.display(), display);
    }

    void clearEntryKeepsThePendingOperation()
    {
        CalculatorEngine engine;
        play(engine, QStringLiteral("12+45E"));
        QCOMPARE(engine.display(), QStringLiteral("0,"));
        QCOMPARE(engine.pendingOperator(), QStringLiteral("+"));
        QCOMPARE(engine.operandCount(), qint16(1));
        QCOMPARE(engine.lastInput(), CalculatorEngine::LastInput::ClearEntry);
        QVERIFY(!engine.decimalEntered());
    }

    void percentWaitsForTheNextOperator()
    {
        CalculatorEngine engine;
        play(engine, QStringLiteral("200+5%"));
        QCOMPARE(engine.pendingOperator(), QStringLiteral("%"));
        QCOMPARE(engine.lastInput(), CalculatorEngine::LastInput::Percent);
        QCOMPARE(engine.operandCount(), qint16(2));
        QVERIFY(engine.decimalEntered());
    }

    void divisionByZeroLeavesTheFirstOperand()
    {
        CalculatorEngine engine;
        QCOMPARE(play(engine, QStringLiteral("7/0=")), Outcome::DivisionByZero);
        QCOMPARE(NumberText::read(engine.firstOperand()), std::optional<double>(7.0));
        QCOMPARE(engine.operandCount(), qint16(1));
        // The calculation goes on from 7.
        play(engine, QStringLiteral("+1="));
        QCOMPARE(engine.display(), QStringLiteral("8,0"));
    }

};

QTEST_GUILESS_MAIN(TestCalculatorEngine)
#include "tst_calculatorengine.moc"
