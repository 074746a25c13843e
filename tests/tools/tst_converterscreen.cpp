#include "converterscreen.h"

#include "database.h"
#include "errordialog.h"
#include "frenchlocale.h"
#include "helpcontext.h"
#include "recordview.h"
#include "schema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString RateColumn = QStringLiteral("Taux de L'euro");

// What the next modal message box said; it is answered with OK.
struct ModalBox
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

void answerNextModal(ModalBox *box)
{
    QTimer::singleShot(0, [box] {
        auto *modal = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        box->seen = true;
        box->title = modal->windowTitle();
        box->text = modal->text();
        box->icon = modal->icon();
        modal->accept();
    });
}

void storeRate(const QString &rate)
{
    StoreError error;
    RecordView view(Database::open(QStringLiteral("."), Schema::mainDatabase(), &error),
                    QStringLiteral("TEURO"));
    view.moveFirst();
    view.setFieldText(RateColumn, rate);
    QVERIFY(!view.writeCurrent());
}

QString storedRate()
{
    StoreError error;
    RecordView view(Database::open(QStringLiteral("."), Schema::mainDatabase(), &error),
                    QStringLiteral("TEURO"));
    view.moveFirst();
    return view.fieldText(RateColumn);
}

// Replaces a field's text by typing, as the user would.
void retype(QLineEdit *field, const QString &text)
{
    QTest::keyClick(field, Qt::Key_End);
    while (!field->text().isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

} // namespace

// The franc/euro converter, driven through its controls.
class TestConverterScreen : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_previous;
    QPointer<ConverterScreen> m_screen;

    template<class T> T *control(const char *name) const
    {
        T *found = m_screen->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *amount() const { return control<QLineEdit>("Text1"); }
    QLabel *resultLabel() const { return control<QLabel>("Label1"); }
    QLineEdit *rate() const { return control<QLineEdit>("Text3"); }
    QRadioButton *toFranc() const { return control<QRadioButton>("Option1"); }
    QRadioButton *toEuro() const { return control<QRadioButton>("Option2"); }
    QLabel *francPicture() const { return control<QLabel>("Picture2"); }
    QLabel *euroPicture() const { return control<QLabel>("Picture3"); }

    void openScreen()
    {
        m_screen = new ConverterScreen;
        m_screen->show();
        QApplication::setActiveWindow(m_screen);
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
    }

    // The picture drawn on top where the two overlap.
    QLabel *pictureInFront() const
    {
        QWidget *panel = francPicture()->parentWidget();
        const QRect overlap = francPicture()->geometry().intersected(euroPicture()->geometry());
        return qobject_cast<QLabel *>(panel->childAt(overlap.center()));
    }

    // Options, pictures and direction tell the same story.
    void verifyDirectionAgrees(ConverterScreen::Direction expected)
    {
        const bool toEuro = expected == ConverterScreen::Direction::Euro;
        QCOMPARE(m_screen->direction(), expected);
        QCOMPARE(this->toEuro()->isChecked(), toEuro);
        QCOMPARE(toFranc()->isChecked(), !toEuro);
        QLabel *upper = toEuro ? francPicture() : euroPicture();
        QLabel *lower = toEuro ? euroPicture() : francPicture();
        QCOMPARE(upper->pos(), QPoint(toEuro ? 24 : 48, 16));
        QCOMPARE(lower->pos(), QPoint(toEuro ? 48 : 24, 48));
        QCOMPARE(pictureInFront(), lower);
    }

private slots:
    void initTestCase()
    {
        FrenchLocale::install();
    }

    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
    }

    void cleanup()
    {
        delete m_screen.data();
        delete ErrorDialog::current();
        QDir::setCurrent(m_previous);
        delete m_dir;
    }

    void opensWithTheStoredRateAndConvertsIntoEuros()
    {
        storeRate(QStringLiteral("6,55957"));
        openScreen();
        QCOMPARE(m_screen->objectName(), QStringLiteral("convert"));
        QCOMPARE(m_screen->windowTitle(), QStringLiteral("Convertion Francs/Euros"));
        QCOMPARE(rate()->text(), QStringLiteral("6,55957"));
        QCOMPARE(amount()->text(), QString());
        QCOMPARE(resultLabel()->text(), QStringLiteral("0,00"));
        QCOMPARE(amount()->toolTip(), QStringLiteral("taper le montant que vous voulez convertir."));
        QCOMPARE(m_screen->property("helpContext").toInt(), HelpContext::Converter);
        QVERIFY(!m_screen->property("designatesHelpFile").toBool());
        verifyDirectionAgrees(ConverterScreen::Direction::Euro);
    }

    void conversion_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("intoFrancs");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("expected");

        QTest::newRow("francs into euros") << "6,55957" << false << "100" << "15,24";
        QTest::newRow("euros into francs") << "6,55957" << true << "100" << "655,96";
        QTest::newRow("thousands grouped") << "6,55957" << true << "1000" << "6\u202F559,57";
        QTest::newRow("decimal amount") << "6,55957" << false << "10,5" << "1,60";
        QTest::newRow("rate zero into euros") << "0" << false << "100" << "0,00";
        QTest::newRow("rate zero into francs") << "0" << true << "100" << "0,00";
        QTest::newRow("empty amount") << "6,55957" << false << "" << "0,00";
        QTest::newRow("empty amount into francs") << "6,55957" << true << "" << "0,00";
    }

    void conversion()
    {
        QFETCH(QString, rate);
        QFETCH(bool, intoFrancs);
        QFETCH(QString, amount);
        QFETCH(QString, expected);

        storeRate(rate);
        openScreen();
        if (intoFrancs)
            QTest::mouseClick(toFranc(), Qt::LeftButton);
        QTest::keyClicks(this->amount(), amount);
        QCOMPARE(this->amount()->text(), amount);
        QCOMPARE(resultLabel()->text(), expected);
    }

    void resultFollowsEveryKeystroke()
    {
        openScreen();
        QTest::keyClick(amount(), Qt::Key_1);
        QCOMPARE(resultLabel()->text(), QStringLiteral("0,15"));
        QTest::keyClick(amount(), Qt::Key_0);
        QCOMPARE(resultLabel()->text(), QStringLiteral("1,52"));
        QTest::keyClick(amount(), Qt::Key_0);
        QCOMPARE(resultLabel()->text(), QStringLiteral("15,24"));
        // A rate typed on the converter counts at once.
        retype(rate(), QStringLiteral("2"));
        QCOMPARE(resultLabel()->text(), QStringLiteral("50,00"));
        // Emptying the rate leaves nothing to divide by.
        retype(rate(), QString());
        QCOMPARE(resultLabel()->text(), QStringLiteral("0,00"));
    }

    void pastedTextIsNamedNotTakenForZero()
    {
        openScreen();
        amount()->setText(QStringLiteral("douze"));
        QCOMPARE(resultLabel()->text(), QStringLiteral("Montant non numérique"));
        amount()->setText(QStringLiteral("12"));
        rate()->setText(QStringLiteral("six"));
        QCOMPARE(resultLabel()->text(), QStringLiteral("Taux non numérique"));
    }

    void amountRefusesKeysWithoutARate()
    {
        storeRate(QString());
        openScreen();
        QCOMPARE(rate()->text(), QString());
        amount()->setFocus();
        ModalBox box;
        answerNextModal(&box);
        QTest::keyClick(amount(), Qt::Key_5);
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("ATTENTION "));
        QCOMPARE(box.text, QStringLiteral("Vous devez taper le taux de l'euro"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(amount()->text(), QString());
        QCOMPARE(m_screen->focusWidget(), rate());
        QCOMPARE(resultLabel()->text(), QStringLiteral("0,00"));
    }

    void amountFollowsTheNumericRule()
    {
        openScreen();
        QTest::keyClicks(amount(), QStringLiteral("12a-"));
        QCOMPARE(amount()->text(), QStringLiteral("12"));
        QTest::keyClicks(amount(), QStringLiteral(".5"));
        QCOMPARE(amount()->text(), QStringLiteral("12,5"));
        amount()->selectAll();
        QTest::keyClick(amount(), Qt::Key_Comma);
        QCOMPARE(amount()->text(), QStringLiteral("0,"));
    }

    void rateIsSelectedOnFocusAndMaskedOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole rate") << "7" << "7,00000";
        QTest::newRow("official rate") << "6,55957" << "6,55957";
        QTest::newRow("rounded to five decimals") << "6,559575" << "6,55958";
        QTest::newRow("thousands grouped") << "1234" << "1\u202F234,00000";
        QTest::newRow("empty stays empty") << "" << "";
    }

    void rateIsSelectedOnFocusAndMaskedOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);

        openScreen();
        rate()->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(rate()->selectedText(), QStringLiteral("6,55957"));
        retype(rate(), typed);
        QCOMPARE(rate()->text(), typed);
        amount()->setFocus(Qt::TabFocusReason);
        QCOMPARE(rate()->text(), shown);
    }

    void rateClickedIsSelectedWhole()
    {
        openScreen();
        QTest::mouseClick(rate(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QTRY_COMPARE(rate()->selectedText(), QStringLiteral("6,55957"));
    }

    void optionsTurnTheConversionRound()
    {
        openScreen();
        QTest::keyClicks(amount(), QStringLiteral("100"));
        QTest::mouseClick(toFranc(), Qt::LeftButton);
        verifyDirectionAgrees(ConverterScreen::Direction::Franc);
        QCOMPARE(resultLabel()->text(), QStringLiteral("655,96"));
        QCOMPARE(m_screen->focusWidget(), amount());
        QCOMPARE(amount()->selectedText(), QStringLiteral("100"));

        QTest::mouseClick(toEuro(), Qt::LeftButton);
        verifyDirectionAgrees(ConverterScreen::Direction::Euro);
        QCOMPARE(resultLabel()->text(), QStringLiteral("15,24"));
    }

    void clickOnEitherPictureSwitches_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("franc coin") << "Picture2";
        QTest::newRow("euro coin") << "Picture3";
    }

    void clickOnEitherPictureSwitches()
    {
        QFETCH(QString, picture);
        openScreen();
        QTest::keyClicks(amount(), QStringLiteral("100"));
        auto *coin = m_screen->findChild<QLabel *>(picture);
        QTest::mouseClick(coin, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        verifyDirectionAgrees(ConverterScreen::Direction::Franc);
        QCOMPARE(resultLabel()->text(), QStringLiteral("655,96"));
        QTest::mouseClick(coin, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        verifyDirectionAgrees(ConverterScreen::Direction::Euro);
        QCOMPARE(resultLabel()->text(), QStringLiteral("15,24"));
    }

    void directionStaysWithoutARate_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("option FRANC") << "Option1";
        QTest::newRow("franc coin") << "Picture2";
    }

    void directionStaysWithoutARate()
    {
        QFETCH(QString, control);
        storeRate(QString());
        openScreen();
        ModalBox box;
        answerNextModal(&box);
        QTest::mouseClick(m_screen->findChild<QWidget *>(control), Qt::LeftButton,
                          Qt::NoModifier, QPoint(5, 5));
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("Vous devez taper le taux de l'euro"));
        verifyDirectionAgrees(ConverterScreen::Direction::Euro);
        QCOMPARE(m_screen->focusWidget(), rate());
    }

    void amountTooltipNamesTheDirection()
    {
        openScreen();
        QTest::mouseMove(amount(), QPoint(10, 5));
        QTRY_COMPARE(amount()->toolTip(),
                     QStringLiteral("Taper le montant que vous voulez convertir euro ."));
        QTest::mouseClick(toFranc(), Qt::LeftButton);
        QTest::mouseMove(amount(), QPoint(20, 6));
        QTRY_COMPARE(amount()->toolTip(),
                     QStringLiteral("Taper le montant que vous voulez convertir franc ."));
    }

    void sortirHidesAndKeepsTheConversion()
    {
        openScreen();
        QTest::keyClicks(amount(), QStringLiteral("100"));
        QTest::mouseClick(toFranc(), Qt::LeftButton);
        QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("SORTIR")),
                          Qt::LeftButton);
        QVERIFY(m_screen);
        QVERIFY(m_screen->isHidden());
        m_screen->show();
        QCOMPARE(amount()->text(), QStringLiteral("100"));
        QCOMPARE(resultLabel()->text(), QStringLiteral("655,96"));
        verifyDirectionAgrees(ConverterScreen::Direction::Franc);
    }

    void withoutARateSortirAndClosingRefuse()
    {
        openScreen();
        retype(rate(), QString());
        ModalBox sortir;
        answerNextModal(&sortir);
        QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("SORTIR")),
                          Qt::LeftButton);
        QVERIFY(sortir.seen);
        QCOMPARE(sortir.text, QStringLiteral("Vous devez taper le taux de l'euro"));
        QVERIFY(m_screen->isVisible());

        ModalBox closing;
        answerNextModal(&closing);
        QVERIFY(!m_screen->close());
        QVERIFY(closing.seen);
        QCOMPARE(closing.title, QStringLiteral("ATTENTION "));
        QVERIFY(m_screen->isVisible());
        QCOMPARE(m_screen->focusWidget(), rate());
    }

    void closingStartsAfreshAndNeverWritesTheRate()
    {
        openScreen();
        QTest::keyClicks(amount(), QStringLiteral("100"));
        QTest::mouseClick(toFranc(), Qt::LeftButton);
        retype(rate(), QStringLiteral("7"));
        QVERIFY(m_screen->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_screen);
        QCOMPARE(storedRate(), QStringLiteral("6,55957"));

        openScreen();
        QCOMPARE(rate()->text(), QStringLiteral("6,55957"));
        QCOMPARE(amount()->text(), QString());
        verifyDirectionAgrees(ConverterScreen::Direction::Euro);
    }

    // The rate changed on its own screen while the converter was put away:
    // the next opening converts with the new one, amount and direction kept.
    void rateReadAgainAtEachOpening()
    {
        storeRate(QStringLiteral("6,55957"));
        openScreen();
        QTest::keyClicks(amount(), QStringLiteral("100"));
        QCOMPARE(resultLabel()->text(), QStringLiteral("15,24"));
        QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("SORTIR")), Qt::LeftButton);
        QVERIFY(m_screen->isHidden());

        storeRate(QStringLiteral("7"));
        m_screen->show();
        QCOMPARE(rate()->text(), QStringLiteral("7"));
        QCOMPARE(amount()->text(), QStringLiteral("100"));
        QCOMPARE(resultLabel()->text(), QStringLiteral("14,29"));
        verifyDirectionAgrees(ConverterScreen::Direction::Euro);
    }

    // Left open behind another window: coming back to it brings the new
    // rate, unless the clerk has typed a rate of their own in it.
    void rateReadAgainWhenComingBack_data()
    {
        QTest::addColumn<QString>("storedFirst");
        QTest::addColumn<QString>("typedRate");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rate as read") << "6,55957" << QString() << "7";
        // Leaving the rate field masks it: still the rate read.
        QTest::newRow("rate as read, masked") << "6,5" << "=" << "7";
        QTest::newRow("rate typed here") << "6,55957" << "8" << "8,00000";
    }

    void rateReadAgainWhenComingBack()
    {
        QFETCH(QString, storedFirst);
        QFETCH(QString, typedRate);
        QFETCH(QString, expected);
        storeRate(storedFirst);
        openScreen();
        if (typedRate == QLatin1String("=")) {
            rate()->setFocus();
            amount()->setFocus();
            QCOMPARE(rate()->text(), QStringLiteral("6,50000"));
        } else if (!typedRate.isEmpty()) {
            rate()->setFocus();
            retype(rate(), typedRate);
            amount()->setFocus();
        }
        QTest::keyClicks(amount(), QStringLiteral("100"));

        QWidget elsewhere;
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        storeRate(QStringLiteral("7"));
        QApplication::setActiveWindow(m_screen);
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
        QCOMPARE(rate()->text(), expected);
        QCOMPARE(amount()->text(), QStringLiteral("100"));
    }

    // A file found unreadable at a later opening is said, as at the first.
    void unreadableAtAReopeningIsReported()
    {
        openScreen();
        QTest::mouseClick(m_screen->findChild<QPushButton *>(QStringLiteral("SORTIR")), Qt::LeftButton);
        QVERIFY(!ErrorDialog::current());
        QFile junk(QStringLiteral("Bdrk.rkv"));
        QVERIFY(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
        junk.write("ceci n'est pas une base de données, mais un texte assez long pour le montrer");
        junk.close();
        m_screen->show();
        QVERIFY(ErrorDialog::current());
        QVERIFY(!ErrorDialog::current()->message().isEmpty());
        QVERIFY(!amount()->isEnabled());
        QVERIFY(!rate()->isEnabled());
    }

    void unreadableDatabaseIsReportedAndTheWindowStillCloses()
    {
        QFile junk(QStringLiteral("Bdrk.rkv"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("ceci n'est pas une base de données, mais un texte assez long pour le montrer");
        junk.close();

        openScreen();
        QVERIFY(ErrorDialog::current());
        QVERIFY(!ErrorDialog::current()->message().isEmpty());
        QVERIFY(!amount()->isEnabled());
        QVERIFY(!rate()->isEnabled());
        QVERIFY(!toFranc()->isEnabled());
        ModalBox box;
        answerNextModal(&box);
        QTest::mouseClick(francPicture(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(m_screen->direction(), ConverterScreen::Direction::Euro);
        QVERIFY(m_screen->close());
        QTest::qWait(0);
        QVERIFY(!box.seen);
    }
};

QTEST_MAIN(TestConverterScreen)
#include "tst_converterscreen.moc"
