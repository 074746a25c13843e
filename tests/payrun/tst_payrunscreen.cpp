#include "errordialog.h"
#include "numericentryfilter.h"
#include "paysliptestsupport.h"
#include "payrundraft.h"
#include "payrunmodel.h"
#include "payrunprogress.h"
#include "payrunscreen.h"
#include "payruntestsupport.h"
#include "payslipfilename.h"
#include "preparationscreen.h"
#include "reportpreview.h"
#include "screennames.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

using namespace PayslipTestSupport;
using namespace PayRunTestSupport;

// « Paie du mois » driven through its controls, on the wired program and a
// fresh demonstration folder: opened behind the euro-rate gate, figures
// typed in the grid under the numeric-entry rule, « Calculer » filling every
// row and the totals, a refused row saying why across its results, the
// replacement of a slip saved for the period asked with the employee named,
// the draft surviving the window and the program, the CSV import taken
// whole or not at all, the progress dialog's « Annuler », one row opened in
// the preparation with its figures.
class TestPayRunScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openedFromTheMenuAndTheButtonBehindTheEuroRateGate();
    void gridPassesTheModelTester();
    void monthChosenFillsThePeriod();
    void figuresTypedUnderTheNumericEntryRule();
    void calculerFillsEveryRowAndTheTotals();
    void refusedRowSaysWhyAcrossItsResults();
    void replacingASavedSlipIsAskedNamingTheEmployee();
    void draftSurvivesTheWindowAndTheProgram();
    void importTakesAFileWholeOrNotAtAll();
    void longSavingShowsItsProgressAndStopsOnAnnuler();
    void previewShowsEverySlipAndPdfHoldsThemAll();
    void rowOpensInThePreparationWithItsFigures();

private:
    PayRunScreen *openScreen();
    QModelIndex cell(int row, int column) const;
    void typeInto(int row, int column, const QString &keys);
    QString shown(int row, int column) const { return cell(row, column).data().toString(); }

    std::unique_ptr<TestSupport::WorkingDirectory> m_folder;
    std::unique_ptr<Program> m_program;
    PayRunScreen *m_screen = nullptr;
};

namespace {

const PayRunPeriod March = PayRunPeriod::month(2001, 3);

// The next message box answered with `button`; what it said is kept.
struct Answer
{
    QString text;
    bool seen = false;

    void with(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, qApp, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = true;
            text = box->text();
            box->button(button)->click();
        });
    }
};

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestPayRunScreen::init()
{
    m_folder = demoFolder();
    QVERIFY(m_folder);
    m_program = std::make_unique<Program>();
}

void TestPayRunScreen::cleanup()
{
    m_program.reset();
    TestSupport::flushDeletes();
    m_folder.reset();
    m_screen = nullptr;
}

PayRunScreen *TestPayRunScreen::openScreen()
{
    m_program->window.findChild<QAction *>(QStringLiteral("PaieMois"))->trigger();
    m_screen = m_program->registry.find<PayRunScreen>(ScreenName::PayRun);
    if (m_screen)
        m_screen->openPeriod(March);
    return m_screen;
}

QModelIndex TestPayRunScreen::cell(int row, int column) const
{
    return m_screen->model().index(row, column);
}

// The clerk clicks the cell and types: the editor opens on the first key.
void TestPayRunScreen::typeInto(int row, int column, const QString &keys)
{
    QTableView *grid = m_screen->grid();
    grid->setCurrentIndex(cell(row, column));
    grid->setFocus();
    QTest::keyClicks(grid, keys.left(1));
    auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(cell(row, column)));
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("EditeurChiffre"));
    QTest::keyClicks(editor, keys.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the cell once back in the event loop.
    QCoreApplication::processEvents();
    TestSupport::flushDeletes();
}

void TestPayRunScreen::openedFromTheMenuAndTheButtonBehindTheEuroRateGate()
{
    QVERIFY(openScreen());
    QVERIFY(m_screen->isVisible());
    QCOMPARE(m_screen->windowTitle(), QStringLiteral("Paie du mois"));
    m_screen->close();
    TestSupport::flushDeletes();
    QCOMPARE(m_program->registry.find(ScreenName::PayRun), nullptr);

    auto *button = m_program->window.findChild<QToolButton *>(QStringLiteral("Command6"));
    QCOMPARE(button->toolTip(), QStringLiteral("Paie du mois"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(window(ScreenName::PayRun));
    window(ScreenName::PayRun)->close();
    TestSupport::flushDeletes();

    // A rate below 1 turns no franc into euros: the pay run stays closed.
    QVERIFY(execute(QStringLiteral("."), QStringLiteral("UPDATE TEURO SET \"Taux de L'euro\" = '0,5'")));
    Program fresh;
    QTest::mouseClick(fresh.window.findChild<QToolButton *>(QStringLiteral("Command6")), Qt::LeftButton);
    QCOMPARE(fresh.registry.find(ScreenName::PayRun), nullptr);
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->message(),
             QStringLiteral("La paie du mois ne peut pas être ouverte si le taux de l'euro est inférieur à 1 ."));
    delete ErrorDialog::current();
}

void TestPayRunScreen::gridPassesTheModelTester()
{
    QVERIFY(openScreen());
    QAbstractItemModelTester tester(&m_screen->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(m_screen->model().rowCount(), 4); // three employees and the totals
    QCOMPARE(m_screen->model().columnCount(), int(PayRunModel::ColumnCount));
    QVERIFY(m_screen->model().flags(cell(0, PayRunModel::columnOf(PayRunFigures::Bonus))) & Qt::ItemIsEditable);
    QVERIFY(!(m_screen->model().flags(cell(0, PayRunModel::Employee)) & Qt::ItemIsEditable));
    QVERIFY(!(m_screen->model().flags(cell(3, PayRunModel::columnOf(PayRunFigures::Bonus))) & Qt::ItemIsEditable));
    typeInto(0, PayRunModel::columnOf(PayRunFigures::Bonus), QStringLiteral("500"));
    m_screen->calculate();
    m_screen->openPeriod(PayRunPeriod::month(2001, 4));
    QCOMPARE(m_screen->model().rowCount(), 4);
}

void TestPayRunScreen::monthChosenFillsThePeriod()
{
    // A folder where nothing is paid yet opens on the current month; once
    // March is saved, on April.
    const QDate today = QDate::currentDate();
    QCOMPARE(PayRunScreen::nextMonthToPay(QStringLiteral(".")), PayRunPeriod::month(today.year(), today.month()));
    QVERIFY(openScreen());
    click(m_screen, QStringLiteral("Enregistrer"));
    QCOMPARE(PayRunScreen::nextMonthToPay(QStringLiteral(".")), PayRunPeriod::month(2001, 4));

    auto *month = control<QComboBox>(m_screen, QStringLiteral("MoisPaie"));
    auto *year = control<QSpinBox>(m_screen, QStringLiteral("AnneePaie"));
    year->setValue(2000);
    emit year->editingFinished();
    month->setCurrentIndex(1);
    emit month->activated(1);
    QCOMPARE(m_screen->period(), PayRunPeriod::month(2000, 2));
    QCOMPARE(control<QLineEdit>(m_screen, QStringLiteral("DebutPeriode"))->text(), QStringLiteral("01/02/2000"));
    QCOMPARE(control<QLineEdit>(m_screen, QStringLiteral("FinPeriode"))->text(), QStringLiteral("29/02/2000"));
    QCOMPARE(m_screen->model().rowCount(), 4);

    // The last day moved by hand makes a period of its own.
    auto *last = control<QLineEdit>(m_screen, QStringLiteral("FinPeriode"));
    last->clear();
    QTest::keyClicks(last, QStringLiteral("15/02/2000"));
    QTest::keyClick(last, Qt::Key_Return);
    QCOMPARE(m_screen->period(), PayRunPeriod(QDate(2000, 2, 1), QDate(2000, 2, 15)));

    // A day that is none is refused, and the period stays.
    last->clear();
    QTest::keyClicks(last, QStringLiteral("31/02/2000"));
    TestSupport::ModalBox box;
    box.expect();
    click(m_screen, QStringLiteral("AfficherPeriode"));
    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("Période refusée"));
    QVERIFY(box.text.contains(QStringLiteral("« 31/02/2000 » n’est pas une date")));
    QCOMPARE(m_screen->period(), PayRunPeriod(QDate(2000, 2, 1), QDate(2000, 2, 15)));
}

void TestPayRunScreen::figuresTypedUnderTheNumericEntryRule()
{
    QVERIFY(openScreen());
    const int hours = PayRunModel::columnOf(PayRunFigures::ComplementaryHours);
    // Letters are refused with a beep; the period key gives the decimal
    // comma; Enter ends the cell without a beep.
    QTableView *grid = m_screen->grid();
    grid->setCurrentIndex(cell(1, hours));
    QTest::keyClick(grid, Qt::Key_1);
    auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(cell(1, hours)));
    QVERIFY(editor);
    auto *rule = editor->findChild<NumericEntryFilter *>();
    QVERIFY(rule);
    QSignalSpy beeps(rule, &NumericEntryFilter::beeped);
    QTest::keyClicks(editor, QStringLiteral("x2.5"));
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(editor->text(), QStringLiteral("12,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(beeps.count(), 1);
    QCoreApplication::processEvents();
    TestSupport::flushDeletes();
    QCOMPARE(m_screen->model().run().row(1).figures[PayRunFigures::ComplementaryHours], QStringLiteral("12,5"));
    QCOMPARE(shown(1, hours), QStringLiteral("12,5"));
    // A carried figure changed by hand is marked.
    const int gross = PayRunModel::columnOf(PayRunFigures::PreviousCumulativeGross);
    QVERIFY(!cell(1, gross).data(Qt::BackgroundRole).isValid());
    typeInto(1, gross, QStringLiteral("1000"));
    QVERIFY(cell(1, gross).data(Qt::BackgroundRole).isValid());
    QVERIFY(cell(1, gross).data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("Changé à la main")));
}

void TestPayRunScreen::calculerFillsEveryRowAndTheTotals()
{
    QVERIFY(openScreen());
    typeInto(0, PayRunModel::columnOf(PayRunFigures::ComplementaryHours), QStringLiteral("10"));
    QCOMPARE(shown(0, PayRunModel::GrossPay), QString());
    click(m_screen, QStringLiteral("Calculer"));
    const PayRun &run = m_screen->model().run();
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(shown(row, PayRunModel::GrossPay), run.row(row).computed->sheet.gross_pay);
        QCOMPARE(shown(row, PayRunModel::EmployeeTotal), run.row(row).computed->sheet.employee_total);
        QCOMPARE(shown(row, PayRunModel::EmployerTotal), run.row(row).computed->sheet.employer_total);
        QCOMPARE(shown(row, PayRunModel::NetToPay), run.row(row).computed->sheet.net_to_pay);
    }
    QCOMPARE(shown(3, PayRunModel::Employee), QStringLiteral("Total (3 fiches)"));
    QCOMPARE(shown(3, PayRunModel::GrossPay), run.totals().grossPay);
    QCOMPARE(shown(3, PayRunModel::NetToPay), run.totals().netToPay);
    QCOMPARE(m_screen->statusText(), QStringLiteral("3 fiche(s) calculée(s)."));

    // A figure changed after « Calculer » clears that row's results.
    typeInto(0, PayRunModel::columnOf(PayRunFigures::Bonus), QStringLiteral("1"));
    QCOMPARE(shown(0, PayRunModel::GrossPay), QString());
    QCOMPARE(shown(3, PayRunModel::Employee), QStringLiteral("Total (2 fiches)"));
}

void TestPayRunScreen::refusedRowSaysWhyAcrossItsResults()
{
    QVERIFY(setEmployeeField(QStringLiteral("."), Almeida, QStringLiteral("TAUXHORAIRE"), QStringLiteral("dix")));
    QVERIFY(openScreen());
    click(m_screen, QStringLiteral("Calculer"));
    const QString refusal = m_screen->model().run().row(1).refusal;
    QVERIFY(refusal.contains(QStringLiteral("taux horaire")));
    QCOMPARE(shown(1, PayRunModel::GrossPay), refusal);
    QCOMPARE(shown(1, PayRunModel::NetToPay), QString());
    QCOMPARE(m_screen->grid()->columnSpan(1, PayRunModel::GrossPay), 4);
    QCOMPARE(m_screen->grid()->columnSpan(0, PayRunModel::GrossPay), 1);
    QVERIFY(!shown(0, PayRunModel::GrossPay).isEmpty());
    QVERIFY(!shown(2, PayRunModel::GrossPay).isEmpty());
    QCOMPARE(shown(3, PayRunModel::Employee), QStringLiteral("Total (2 fiches)"));
    QVERIFY(m_screen->statusText().contains(QStringLiteral("1 refusée(s)")));

    // Nothing is saved for the refused row.
    click(m_screen, QStringLiteral("Enregistrer"));
    QCOMPARE(PayslipFileName::savedPayslips(QDir::current()),
             (QStringList{QStringLiteral("2001-03 LAMBERT ÉLISE.rpt"), QStringLiteral("2001-03 MOREAU CÉLINE.rpt")}));
}

void TestPayRunScreen::replacingASavedSlipIsAskedNamingTheEmployee()
{
    QVERIFY(openScreen());
    click(m_screen, QStringLiteral("Enregistrer"));
    QCOMPARE(PayslipFileName::savedPayslips(QDir::current()).size(), 3);
    QCOMPARE(m_screen->statusText(), QStringLiteral("3 fiches de paie enregistrées."));
    QCOMPARE(shown(0, PayRunModel::SavedSlip), QStringLiteral("oui"));
    QCOMPARE(cell(0, PayRunModel::SavedSlip).data(Qt::ToolTipRole).toString(), QStringLiteral("2001-03 MOREAU CÉLINE.rpt"));
    const QString moreau = QStringLiteral("2001-03 MOREAU CÉLINE.rpt");
    const QByteArray first = fileContent(moreau);

    typeInto(0, PayRunModel::columnOf(PayRunFigures::Bonus), QStringLiteral("800"));
    Answer no;
    no.with(QMessageBox::No);
    click(m_screen, QStringLiteral("Enregistrer"));
    QVERIFY(no.seen);
    QVERIFY(no.text.contains(QStringLiteral("• MOREAU , CÉLINE (« 2001-03 MOREAU CÉLINE.rpt »)")));
    QVERIFY(no.text.contains(QStringLiteral("• LAMBERT , ÉLISE (« 2001-03 LAMBERT ÉLISE.rpt »)")));
    QVERIFY(no.text.contains(QStringLiteral("du 01/03/2001 au 31/03/2001")));
    QCOMPARE(fileContent(moreau), first);
    QCOMPARE(m_screen->statusText(), QStringLiteral("0 fiche de paie enregistrée."));

    Answer yes;
    yes.with(QMessageBox::Yes);
    click(m_screen, QStringLiteral("Enregistrer"));
    QVERIFY(yes.seen);
    QVERIFY(fileContent(moreau) != first);
    QCOMPARE(m_screen->statusText(), QStringLiteral("3 fiches de paie enregistrées."));
    QCOMPARE(PayslipFileName::savedPayslips(QDir::current()).size(), 3);
}

void TestPayRunScreen::draftSurvivesTheWindowAndTheProgram()
{
    QVERIFY(openScreen());
    typeInto(2, PayRunModel::columnOf(PayRunFigures::Advance), QStringLiteral("1500"));
    typeInto(0, PayRunModel::columnOf(PayRunFigures::LeaveHours), QStringLiteral("7"));
    click(m_screen, QStringLiteral("Fermer"));
    TestSupport::flushDeletes();
    QVERIFY(openScreen());
    QCOMPARE(shown(2, PayRunModel::columnOf(PayRunFigures::Advance)), QStringLiteral("1500"));
    QCOMPARE(shown(0, PayRunModel::columnOf(PayRunFigures::LeaveHours)), QStringLiteral("7"));

    // The program ends without the screen's closing steps: nothing is lost.
    m_program->window.close();
    m_program.reset();
    TestSupport::flushDeletes();
    m_program = std::make_unique<Program>();
    QVERIFY(openScreen());
    QCOMPARE(shown(2, PayRunModel::columnOf(PayRunFigures::Advance)), QStringLiteral("1500"));
    // Saved, the figures are the slips' and the draft goes.
    click(m_screen, QStringLiteral("Enregistrer"));
    QVERIFY(!QFile::exists(PayRunDraft::fileName(March)));
}

void TestPayRunScreen::importTakesAFileWholeOrNotAtAll()
{
    QVERIFY(openScreen());
    QFile refused(QStringLiteral("refuse.csv"));
    QVERIFY(refused.open(QIODevice::WriteOnly));
    refused.write("employee;bonus;advance\nMOREAU , CÉLINE;500;100\nDUPONT , JEAN;1;2\n");
    refused.close();
    TestSupport::ModalBox box;
    box.expect();
    QVERIFY(!m_screen->importFile(refused.fileName()));
    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("Import refusé"));
    QVERIFY(box.text.contains(QStringLiteral("Ligne 3 : salarié inconnu « DUPONT , JEAN ».")));
    QCOMPARE(shown(0, PayRunModel::columnOf(PayRunFigures::Bonus)), QString());

    QFile accepted(QStringLiteral("mars.csv"));
    QVERIFY(accepted.open(QIODevice::WriteOnly));
    accepted.write("\xEF\xBB\xBF" "employee;bonus;complementary-hours\r\nMOREAU , CÉLINE;500;10,5\r\n");
    accepted.close();
    QVERIFY(m_screen->importFile(accepted.fileName()));
    QCOMPARE(shown(0, PayRunModel::columnOf(PayRunFigures::Bonus)), QStringLiteral("500"));
    QCOMPARE(shown(0, PayRunModel::columnOf(PayRunFigures::ComplementaryHours)), QStringLiteral("10,5"));
    QVERIFY(QFile::exists(PayRunDraft::fileName(March)));
}

void TestPayRunScreen::longSavingShowsItsProgressAndStopsOnAnnuler()
{
    QVERIFY(addEmployees(QStringLiteral("."), 20));
    QVERIFY(openScreen());
    QCOMPARE(m_screen->model().run().size(), 23);
    bool shownWithAnnuler = false;
    QTimer::singleShot(0, qApp, [&shownWithAnnuler] {
        auto *progress = qApp->findChild<QProgressDialog *>(QStringLiteral("ProgressionPaie"));
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QProgressDialog *>(top); dialog && dialog->isVisible())
                progress = dialog;
        }
        if (!progress)
            return;
        auto *cancel = progress->findChild<QPushButton *>();
        shownWithAnnuler = cancel && cancel->text() == QStringLiteral("Annuler");
        if (cancel)
            cancel->click();
    });
    click(m_screen, QStringLiteral("Enregistrer"));
    QVERIFY(shownWithAnnuler);
    const int saved = int(PayslipFileName::savedPayslips(QDir::current()).size());
    QVERIFY2(saved < 23, qPrintable(QString::number(saved)));
    QVERIFY(m_screen->statusText().startsWith(QStringLiteral("Enregistrement annulé")));
    // A few slips go without a progress dialog.
    QVERIFY(PayRunProgress(m_screen, QString(), PayRunProgress::FewSlips).dialog() == nullptr);
}

void TestPayRunScreen::previewShowsEverySlipAndPdfHoldsThemAll()
{
    QVERIFY(openScreen());
    click(m_screen, QStringLiteral("Apercu"));
    QVERIFY(m_screen->previewWindow());
    QCOMPARE(m_screen->previewWindow()->documents().size(), std::size_t(3));
    QCOMPARE(m_screen->previewWindow()->windowTitle(), QStringLiteral("Aperçu des fiches de paie (3)"));
    QCOMPARE(m_screen->statusText(), QStringLiteral("Aperçu de 3 fiches de paie."));
    m_screen->previewWindow()->close();

    m_screen->writePdf(QStringLiteral("mars.pdf"));
    QCOMPARE(m_screen->statusText(), QStringLiteral("3 fiches de paie écrites dans « mars.pdf »."));
    QVERIFY(fileContent(QStringLiteral("mars.pdf")).startsWith("%PDF"));
}

void TestPayRunScreen::rowOpensInThePreparationWithItsFigures()
{
    QVERIFY(openScreen());
    typeInto(1, PayRunModel::columnOf(PayRunFigures::ComplementaryHours), QStringLiteral("10"));
    typeInto(1, PayRunModel::columnOf(PayRunFigures::Bonus), QStringLiteral("250"));
    m_screen->grid()->setCurrentIndex(cell(1, PayRunModel::Employee));
    click(m_screen, QStringLiteral("Detail"));
    auto *preparation = m_program->registry.find<PreparationScreen>(ScreenName::Preparation);
    QVERIFY(preparation);
    QVERIFY(preparation->isVisible());
    QCOMPARE(preparation->employee().key, Almeida);
    QCOMPARE(control<QLineEdit>(preparation, QStringLiteral("Text2"))->text(), QStringLiteral("10"));
    QCOMPARE(control<QLineEdit>(preparation, QStringLiteral("Text4"))->text(), QStringLiteral("250"));
    QCOMPARE(control<QLineEdit>(preparation, QStringLiteral("Text71"))->text(), QStringLiteral("01"));
    QCOMPARE(control<QLineEdit>(preparation, QStringLiteral("Text75"))->text(), QStringLiteral("03"));
    QCOMPARE(control<QLineEdit>(preparation, QStringLiteral("Text76"))->text(), QStringLiteral("2001"));
    // « Lancer le calcul » gives what « Calculer » gave.
    click(preparation, QStringLiteral("Lancer"));
    m_screen->calculate();
    QCOMPARE(preparation->sheet().gross_pay, m_screen->model().run().row(1).computed->sheet.gross_pay);
    QCOMPARE(preparation->sheet().net_to_pay, m_screen->model().run().row(1).computed->sheet.net_to_pay);
}

QTEST_MAIN(TestPayRunScreen)
#include "tst_payrunscreen.moc"
