#include "errordialog.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "screenregistry.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

// A calculator stand-in that records the caption the main menu gives it.
class FakeCalculator : public QWidget
{
    Q_OBJECT
public:
    QString caption = QStringLiteral("Valider");
public slots:
    void setValidationCaption(const QString &text) { caption = text; }
};

class TestMainWindow : public QObject
{
    Q_OBJECT

    struct Shell
    {
        ScreenRegistry registry;
        HelpSystem help;
        PrinterChoice printers;
        MainWindow window{registry, help, printers};
        QString rate = QStringLiteral("6,55957");
        QString unreadable; // why the rate screen could not read its file

        Shell()
        {
            registry.registerScreen(QStringLiteral("Fiche"), [] { return new QWidget; });
            registry.registerScreen(QStringLiteral("Calcul"), [] { return new FakeCalculator; });
            window.setEuroRateReader([this] { return MainWindow::RateReading(rate, unreadable); });
            window.refreshAvailableScreens();
        }
        QAction *item(const char *name) { return window.findChild<QAction *>(QString::fromUtf8(name)); }
    };

private slots:
    void cleanup() { delete ErrorDialog::current(); }

    void menuItemsCarryTheirCaptionsAndNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Client") << "Client" << "&Fichier Salariés";
        QTest::newRow("LCLIENTS") << "LCLIENTS" << "&Liste Salarié";
        QTest::newRow("LisPai") << "LisPai" << "Liste &des fiches de paie";
        QTest::newRow("PaieMois") << "PaieMois" << "&Paie du mois";
        QTest::newRow("Quiter") << "Quiter" << "&Quitter";
        QTest::newRow("Societe") << "Societe" << "&Employeur";
        QTest::newRow("TEURO") << "TEURO" << "&Taux de l'euro";
        QTest::newRow("Taux") << "Taux" << "Paramètre &Général";
        QTest::newRow("Confim") << "Confim" << "Con&figuration de l'impression";
        QTest::newRow("ZE") << "ZE" << "&Base Zone PARM";
        QTest::newRow("Conve") << "Conve" << "&Convertisseur Francs/Euros";
        QTest::newRow("Aide") << "Aide" << "&Aide";
        QTest::newRow("Heu") << "Heu" << "&Heure";
        QTest::newRow("Calc") << "Calc" << "&Calculatrice";
        QTest::newRow("PF") << "PF" << "&QUORVAN V.1.0";
    }

    void menuItemsCarryTheirCaptionsAndNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Shell shell;
        auto *action = shell.window.findChild<QAction *>(name);
        QVERIFY2(action, qPrintable(name));
        QCOMPARE(action->text(), caption);
        QVERIFY(action->isVisible());
    }

    // Every menu and item is reached with Alt and one letter, none twice in
    // the same menu.
    void everyMenuHasItsOwnAccelerator()
    {
        Shell shell;
        const auto letters = [](const QList<QAction *> &actions) {
            QStringList keys;
            for (const QAction *action : actions) {
                if (action->isSeparator())
                    continue;
                const QString text = action->text();
                const qsizetype at = text.indexOf(u'&');
                if (at < 0 || at + 1 >= text.size() || !text.at(at + 1).isLetter()) {
                    qWarning("no accelerator: %s", qPrintable(text));
                    return QStringList();
                }
                keys << text.at(at + 1).toLower();
            }
            return keys;
        };
        const QList<QAction *> menus = shell.window.menuBar()->actions();
        QList<QList<QAction *>> lists = {menus};
        for (const QAction *menu : menus)
            lists << menu->menu()->actions();
        for (const QList<QAction *> &actions : lists) {
            QStringList keys = letters(actions);
            QVERIFY(!keys.isEmpty());
            const qsizetype count = keys.size();
            keys.removeDuplicates();
            QCOMPARE(keys.size(), count);
        }
    }

    // Alt and the menu's letter opens it, as a keyboard user expects.
    void altLetterOpensItsMenu()
    {
        Shell shell;
        shell.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&shell.window));
        QMenu *go = shell.window.findChild<QMenu *>(QStringLiteral("Aller"));
        QVERIFY(go);
        QTest::keyClick(&shell.window, Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(go->isVisible());
        go->close();
    }

    void windowAndButtons()
    {
        Shell shell;
        QCOMPARE(shell.window.windowTitle(), QStringLiteral("Win Quorvan V1.0"));
        const QStringList menus = {QStringLiteral("&Dossier"), QStringLiteral("&Aller à"), QStringLiteral("&Paramètrage"),
                                   QStringLiteral("&Euro"), QStringLiteral("A p&ropos de")};
        QStringList shown;
        for (QAction *menu : shell.window.menuBar()->actions())
            shown << menu->text();
        QCOMPARE(shown, menus);
        QCOMPARE(shell.window.findChild<QToolButton *>(QStringLiteral("Command4"))->toolTip(),
                 QStringLiteral("Ouvrir le fichier salariés"));
        QCOMPARE(shell.window.findChild<QToolButton *>(QStringLiteral("Command2"))->toolTip(),
                 QStringLiteral("Paramètrage"));
        QCOMPARE(shell.window.findChild<QToolButton *>(QStringLiteral("Command5"))->toolTip(),
                 QStringLiteral("Liste des fiches de paies"));
        QVERIFY(!shell.item("ZE")->isEnabled());
        QCOMPARE(shell.item("Client")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        // Screens not built yet stay visible and disabled.
        QVERIFY(shell.item("LisPai")->isVisible());
        QVERIFY(!shell.item("LisPai")->isEnabled());
        QVERIFY(shell.item("Client")->isEnabled());
    }

    void clockIsToggledByHeure()
    {
        Shell shell;
        shell.window.show();
        auto *clock = shell.window.findChild<QLabel *>(QStringLiteral("Label2"));
        QVERIFY(!clock->isVisible());
        QVERIFY(!shell.item("Heu")->isChecked());
        QVERIFY(!clock->toolTip().isEmpty());
        shell.item("Heu")->trigger();
        QVERIFY(shell.item("Heu")->isChecked());
        QVERIFY(clock->isVisible());
        shell.item("Heu")->trigger();
        QVERIFY(!shell.item("Heu")->isChecked());
        QVERIFY(!clock->isVisible());
    }

    void clockShowsTheTime()
    {
        Shell shell;
        auto *clock = shell.window.findChild<QLabel *>(QStringLiteral("Label2"));
        clock->setText(QString());
        shell.window.tick();
        QVERIFY(QTime::fromString(clock->text(), QStringLiteral("HH:mm:ss")).isValid());
    }

    void euroRateGate_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("opens");
        QTest::newRow("stored rate") << "6,55957" << true;
        QTest::newRow("exactly one") << "1" << true;
        QTest::newRow("below one") << "0,99" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("not a number") << "abc" << false;
    }

    void euroRateGate()
    {
        QFETCH(QString, rate);
        QFETCH(bool, opens);
        Shell shell;
        shell.rate = rate;
        QTest::mouseClick(shell.window.findChild<QToolButton *>(QStringLiteral("Command4")), Qt::LeftButton);
        QWidget *employees = shell.registry.find(QStringLiteral("Fiche"));
        QCOMPARE(employees != nullptr && employees->isVisible(), opens);
        ErrorDialog *error = ErrorDialog::current();
        QCOMPARE(error != nullptr, !opens);
        if (!opens) {
            QCOMPARE(error->windowTitle(), QStringLiteral(" Ouverture IMPOSSIBLE"));
            QCOMPARE(error->message(), QStringLiteral("Le fichier salariés ne peut pas être ouvert "
                                                      "si le taux de l'euro est inférieur à 1 ."));
        }
    }

    // A rate file that could not be read is said with its cause, whatever
    // the field shows: the clerk must not be sent to retype a rate.
    void unreadableRateSaysWhy_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::newRow("nothing shown") << "";
        QTest::newRow("a rate shown") << "6,55957";
    }

    void unreadableRateSaysWhy()
    {
        QFETCH(QString, rate);
        Shell shell;
        shell.rate = rate;
        shell.unreadable = QStringLiteral("Impossible de lire la table TEURO du fichier « Bdrk.rkv » : "
                                          "le fichier est endommagé.");
        QVERIFY(!shell.window.openEmployeeFile());
        QCOMPARE(shell.registry.find(QStringLiteral("Fiche")), nullptr);
        ErrorDialog *error = ErrorDialog::current();
        QVERIFY(error);
        QCOMPARE(error->windowTitle(), QStringLiteral(" Ouverture IMPOSSIBLE"));
        QCOMPARE(error->message(),
                 QStringLiteral("Le fichier salariés ne peut pas être ouvert : le taux de l’euro n’a "
                                "pas pu être lu.\nImpossible de lire la table TEURO du fichier "
                                "« Bdrk.rkv » : le fichier est endommagé."));
    }

    void calculatorFromTheMenuSaysQuitter()
    {
        Shell shell;
        shell.item("Calc")->trigger();
        auto *calculator = shell.registry.find<FakeCalculator>(QStringLiteral("Calcul"));
        QVERIFY(calculator);
        QVERIFY(calculator->isVisible());
        QCOMPARE(calculator->caption, QStringLiteral("Quitter"));
    }

    void quitterClosesEveryScreen()
    {
        Shell shell;
        shell.window.show();
        QPointer<QWidget> employees = shell.registry.show(QStringLiteral("Fiche"));
        shell.item("Quiter")->trigger();
        QVERIFY(employees.isNull());
        QVERIFY(!shell.window.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
