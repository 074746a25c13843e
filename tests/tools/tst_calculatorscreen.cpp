#include "calculatorscreen.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "screennames.h"
#include "screenregistry.h"
#include "toolstestsupport.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

enum class Way { Keys, Clicks };
Q_DECLARE_METATYPE(Way)

// Notes what the display showed when the window was asked to close.
class CloseWatcher : public QObject
{
public:
    QString shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            shown = watched->findChild<QLabel *>(QStringLiteral("Readout"))->text();
        return false;
    }
};

// The calculator window driven as a clerk drives it: by its buttons or by
// the keyboard, which always reaches the calculator before the focused button.
class TestCalculatorScreen : public QObject
{
    Q_OBJECT

    static QPushButton *button(QWidget *screen, const QString &name)
    {
        auto *found = screen->findChild<QPushButton *>(name);
        if (!found)
            qFatal("no button %s", qPrintable(name));
        return found;
    }

    static QString display(QWidget *screen)
    {
        return screen->findChild<QLabel *>(QStringLiteral("Readout"))->text();
    }

    // Button names of the captions used in the sequences.
    static QString buttonName(QChar key)
    {
        if (key.isDigit())
            return QStringLiteral("Number_%1").arg(key.digitValue());
        switch (key.unicode()) {
        case u'/': return QStringLiteral("Operator_0");
        case u'+': return QStringLiteral("Operator_1");
        case u'X': return QStringLiteral("Operator_2");
        case u'-': return QStringLiteral("Operator_3");
        case u'=': return QStringLiteral("Operator_4");
        case u'.': return QStringLiteral("Decima");
        case u'%': return QStringLiteral("Percent");
        case u'C': return QStringLiteral("Cancel");
        case u'E': return QStringLiteral("CancelEntry");
        default: return QString();
        }
    }

    // Types one caption on the keyboard, into the focused "C" button; digits
    // alternate between the main keyboard and the keypad, "=" between F12
    // and Insert. "C" and "%" have no key and are clicked.
    static void typeKey(QWidget *screen, QChar key, int index)
    {
        QWidget *target = button(screen, QStringLiteral("Cancel"));
        const bool odd = index % 2 == 1;
        if (key.isDigit()) {
            QTest::keyClick(target, Qt::Key(Qt::Key_0 + key.digitValue()),
                            odd ? Qt::KeypadModifier : Qt::NoModifier);
            return;
        }
        switch (key.unicode()) {
        case u'/': QTest::keyClick(target, Qt::Key_Slash, Qt::KeypadModifier); return;
        case u'+': QTest::keyClick(target, Qt::Key_Plus, Qt::KeypadModifier); return;
        case u'X': QTest::keyClick(target, Qt::Key_Asterisk, Qt::KeypadModifier); return;
        case u'-': QTest::keyClick(target, Qt::Key_Minus, Qt::KeypadModifier); return;
        case u'.': QTest::keyClick(target, Qt::Key_Period, Qt::KeypadModifier); return;
        case u'=': QTest::keyClick(target, odd ? Qt::Key_Insert : Qt::Key_F12); return;
        case u'E': QTest::keyClick(target, Qt::Key_Backspace); return;
        default: QTest::mouseClick(button(screen, buttonName(key)), Qt::LeftButton); return;
        }
    }

    static void play(QWidget *screen, const QString &keys, Way way)
    {
        for (int i = 0; i < keys.size(); ++i) {
            if (way == Way::Keys)
                typeKey(screen, keys.at(i), i);
            else
                QTest::mouseClick(button(screen, buttonName(keys.at(i))), Qt::LeftButton);
        }
    }

    static void addWays(const char *name, const QString &keys, const QString &shown)
    {
        QTest::addRow("%s, keys", name) << keys << shown << Way::Keys;
        QTest::addRow("%s, clicks", name) << keys << shown << Way::Clicks;
    }

private slots:
    void opensAtZero()
    {
        CalculatorScreen screen;
        QCOMPARE(screen.objectName(), QStringLiteral("Calcul"));
        QCOMPARE(screen.windowTitle(), QStringLiteral("Calculatrice"));
        QCOMPARE(display(&screen), QStringLiteral("0,"));
        QVERIFY(screen.findChild<QLabel *>(QStringLiteral("Readout"))->font().bold());
        QCOMPARE(button(&screen, QStringLiteral("Command1"))->text(), QStringLiteral("Valider"));
        QCOMPARE(button(&screen, QStringLiteral("Operator_4"))->toolTip(),
                 QStringLiteral("Touche Clavier : F12 ou Inser"));
        const QStringList captions = {"/", "+", "X", "-", "="};
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(button(&screen, QStringLiteral("Operator_%1").arg(i))->text(), captions.at(i));
        for (int d = 0; d <= 9; ++d)
            QCOMPARE(button(&screen, QStringLiteral("Number_%1").arg(d))->text(), QString::number(d));
        QVERIFY(screen.testAttribute(Qt::WA_DeleteOnClose));
    }

    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<Way>("way");
        const QString nnbsp(QChar(0x202F));
        addWays("addition", "12+3=", "15,0");
        addWays("decimal operand", "1.5X2=", "3,0");
        addWays("leading minus", "-5+2=", "-3,0");
        addWays("thousands grouping", "1234X1000=", QStringLiteral("1") + nnbsp + QStringLiteral("234") + nnbsp + QStringLiteral("000,0"));
        addWays("four decimals at most", "2/3=", "0,6667");
        addWays("percent of a product", "200X5%=", "10,0");
        addWays("percent of a sum", "200+5%=", "10,0");
        addWays("clear entry after 45", "12+45", "45,");
        addWays("clear entry shows zero", "12+45E", "0,");
        addWays("clear entry keeps the operation", "12+45E3=", "15,0");
        addWays("clear", "12+45C", "0,");
    }

    void sequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(Way, way);
        CalculatorScreen screen;
        screen.show();
        play(&screen, keys, way);
        QCOMPARE(display(&screen), shown);
    }

    void divisionByZeroIsReported_data()
    {
        QTest::addColumn<Way>("way");
        QTest::newRow("keys") << Way::Keys;
        QTest::newRow("clicks") << Way::Clicks;
    }

    void divisionByZeroIsReported()
    {
        QFETCH(Way, way);
        CalculatorScreen screen;
        screen.show();
        play(&screen, QStringLiteral("7/0"), way);
        ToolsTest::ModalBox box;
        box.expect();
        play(&screen, QStringLiteral("="), way);
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("Division par zéro."));
        QCOMPARE(box.title, QStringLiteral("Calculatrice"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(display(&screen), QStringLiteral("7,0"));
    }

    void validationHandsTheResultAndCloses_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("button") << false;
        QTest::newRow("Enter") << true;
    }

    void validationHandsTheResultAndCloses()
    {
        QFETCH(bool, byEnter);
        QPointer<CalculatorScreen> screen = new CalculatorScreen;
        QStringList received;
        screen->setResultReceiver([&received](const QString &text) { received << text; });
        screen->show();
        play(screen, QStringLiteral("12+3"), Way::Clicks);
        if (byEnter)
            QTest::keyClick(button(screen, QStringLiteral("Number_7")), Qt::Key_Return);
        else
            QTest::mouseClick(button(screen, QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(received, QStringList{QStringLiteral("15,0")});
        QTRY_VERIFY(screen.isNull());
    }

    void validationWithoutReceiverOnlyCloses()
    {
        QPointer<CalculatorScreen> screen = new CalculatorScreen;
        screen->show();
        play(screen, QStringLiteral("12+3"), Way::Clicks);
        CloseWatcher watcher;
        screen->installEventFilter(&watcher);
        QTest::mouseClick(button(screen, QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(watcher.shown, QStringLiteral("15,0"));
        QTRY_VERIFY(screen.isNull());
    }

    // Only the main menu puts "Quitter" on the button; it stays while that
    // window is open, and a new calculator has "Valider" again.
    void captionFromTheMainMenuLastsWhileOpen()
    {
        ScreenRegistry registry;
        HelpSystem help;
        PrinterChoice printers;
        MainWindow window(registry, help, printers);
        registry.registerScreen(ScreenName::Calculator, [] { return new CalculatorScreen; });
        window.refreshAvailableScreens();

        window.findChild<QAction *>(QStringLiteral("Calc"))->trigger();
        QPointer<QWidget> first = registry.find(ScreenName::Calculator);
        QVERIFY(first);
        QCOMPARE(button(first, QStringLiteral("Command1"))->text(), QStringLiteral("Quitter"));

        // Opened again from elsewhere (the employee screen) while still open.
        QCOMPARE(registry.show(ScreenName::Calculator), first.data());
        QCOMPARE(button(first, QStringLiteral("Command1"))->text(), QStringLiteral("Quitter"));

        first->close();
        QTRY_VERIFY(first.isNull());
        QWidget *second = registry.show(ScreenName::Calculator);
        QVERIFY(second);
        QCOMPARE(button(second, QStringLiteral("Command1"))->text(), QStringLiteral("Valider"));
        second->close();
    }
};

QTEST_MAIN(TestCalculatorScreen)
#include "tst_calculatorscreen.moc"
