#include "errordialog.h"
#include "frenchlocale.h"
#include "paycalculation.h"
#include "payslipformulanames.h"
#include "payslipformulaset.h"
#include "payslipreport.h"
#include "payslipsavedialog.h"
#include "preparationscreen.h"
#include "reportfile.h"
#include "screennames.h"
#include "paysliptestsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalSpy>

// The three output actions of the preparation screen on the demonstration
// folder: the preview of the pay slip just calculated, its printing on a
// machine without printer, and its saving through "Enregistrer la fiche de
// paie sous", whose names are checked before anything is written.
class TestPayslipOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void calculationHandsTheCumulativeOver();
    void previewShowsThePaySlipOfTheFiguresTyped();
    void previewTwiceHandsOverIdenticalEntries();
    void refusedCalculationProducesNothing();
    void printFailureWarnsTriesAgainAndSaysSo();
    void saveDialogLooksAsExpected();
    void saveWritesTheNamePlusRpt_data();
    void saveWritesTheNamePlusRpt();
    void saveAsksBeforeReplacing_data();
    void saveAsksBeforeReplacing();
    void saveRefusesBadNames_data();
    void saveRefusesBadNames();
    void emptyNameWaitsAndCancelWritesNothing();
    void saveDialogIsOneAndKeepsTheNameTyped();
    void saveProposesThePayRunsName_data();
    void saveProposesThePayRunsName();
    void proposedNameIsTakenWithEnterOrReplacedByTyping();
    void saveWritesTheEntriesOfTheLastAction();
    void failedSaveSaysSoAndKeepsTheDialog();

private:
    PreparationScreen *openPreparation();
    PayslipSaveDialog *saveDialog() const;

    std::unique_ptr<TestSupport::WorkingDirectory> m_folder;
    std::unique_ptr<PayslipTestSupport::Program> m_program;
};

namespace {

using namespace PayslipTestSupport;

// The figures a clerk types for March 2001.
void typeMarch(QWidget *screen)
{
    type(screen, "Text2", "10");
    type(screen, "Text4", "150,25");
    type(screen, "Text5", "1000");
    for (const auto &[name, value] : {std::pair{"Text71", "01"}, std::pair{"Text72", "03"},
                                      std::pair{"Text73", "2001"}, std::pair{"Text74", "31"},
                                      std::pair{"Text75", "03"}, std::pair{"Text76", "2001"}})
        type(screen, name, value);
}

// The pay slip of the same figures as the command line's pay run builds it
// from the stored files: what the screens show must give the same entries.
QList<FormulaEntry> commandLineEntries()
{
    const StoredPayInputs inputs = storedDemoInputs();
    auto opening = PayCalculation::open(inputs.employee, inputs.parameters, inputs.euroRate);
    auto &opened = std::get<PayCalculation::OpenedSheet>(opening);
    PaySheet sheet = opened.sheet;
    sheet.complementary_hours = "10";
    sheet.bonus = "150,25";
    sheet.advance = "1000";
    sheet.period_start_day = "01";
    sheet.period_start_month = "03";
    sheet.period_start_year = "2001";
    sheet.period_end_day = "31";
    sheet.period_end_month = "03";
    sheet.period_end_year = "2001";
    if (const auto error = PayCalculation::calculate(sheet, opened.employee, inputs.parameters, inputs.euroRate))
        qWarning("%s", qPrintable(error->message));
    EmployeeRecordTexts record = inputs.record;
    record.TAUXHORAIRE = opened.employee.TAUXHORAIRE;
    record.BASEHORAIRE = opened.employee.BASEHORAIRE;
    const auto employer = std::get<EmployerRecordTexts>(StoredPayInputs::loadEmployer("."));
    return PayslipFormulaSet::build(sheet, record, employer);
}

QMap<qint16, QString> asMap(const QList<FormulaEntry> &entries)
{
    QMap<qint16, QString> map;
    for (const FormulaEntry &entry : entries)
        map.insert(entry.number, entry.text);
    return map;
}

std::optional<ReportDocument> savedDocument(const QString &file)
{
    ReportError error;
    auto document = ReportFile::open(file, {}, &error);
    if (!document)
        qWarning("%s", qPrintable(error.message));
    return document;
}

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList rptFiles()
{
    return QDir::current().entryList({"*.rpt"}, QDir::Files, QDir::Name);
}

} // namespace

void TestPayslipOutput::init()
{
    m_folder = PayslipTestSupport::demoFolder();
    QVERIFY(m_folder);
    ReportEngine::ensureDeliveredLayout();
    m_program = std::make_unique<PayslipTestSupport::Program>();
}

void TestPayslipOutput::cleanup()
{
    m_program.reset();
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    TestSupport::flushDeletes();
    m_folder.reset();
}

PreparationScreen *TestPayslipOutput::openPreparation()
{
    QWidget *employee = m_program->registry.show(ScreenName::Employee);
    if (!QTest::qWaitForWindowActive(employee))
        qWarning("the employee screen was not activated");
    PayslipTestSupport::click(employee, "créer");
    return m_program->registry.find<PreparationScreen>(ScreenName::Preparation);
}

PayslipSaveDialog *TestPayslipOutput::saveDialog() const
{
    return PayslipTestSupport::window<PayslipSaveDialog>("PayslipSaveDialog");
}

// "Lancer le calcul" alone gives the pay slip its cumulative gross, as its
// last step; nothing else is handed over before an output action.
void TestPayslipOutput::calculationHandsTheCumulativeOver()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    type(screen, "Text79", "14777,36");
    click(screen, "Lancer");
    QCOMPARE(screen->report().formulas(),
             (QMap<qint16, QString>{{888, "CUM='" + screen->sheet().cumulative_gross + "'"}}));
    QCOMPARE(screen->sheet().cumulative_gross, QString("22\u202f166,04"));
}

// Straight after the typing, without "Lancer le calcul": the action runs
// the calculation, then shows every entry of the figures on view.
void TestPayslipOutput::previewShowsThePaySlipOfTheFiguresTyped()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    typeMarch(screen);
    QVERIFY(!preview());
    click(screen, "Aperçu");

    QVERIFY(control<QLabel>(screen, "Label45")->text() != QString());
    const QMap<qint16, QString> &handed = screen->report().formulas();
    QCOMPARE(handed.size(), PayslipFormulaSet::Count);
    for (const PayslipFormulaName &formula : PayslipFormulaNames::all)
        QVERIFY2(handed.value(formula.number).startsWith(QString::fromUtf8(formula.name) + "='"), formula.name);
    QCOMPARE(handed, asMap(commandLineEntries()));
    QCOMPARE(screen->report().reportFile(), QString("rkv.rpl"));
    QCOMPARE(screen->report().destination(), 0);

    ReportPreview *shown = preview();
    QVERIFY(shown);
    QVERIFY(!shown->isModal());
    QCOMPARE(shown->document().value("NET"), screen->sheet().net_to_pay);
    QCOMPARE(shown->document().value("CUM"), screen->sheet().cumulative_gross);
    QVERIFY(!shown->document().value("NOMEMPLOYEUR").trimmed().isEmpty());
    QCOMPARE(shown->page()->pageCount(), 1);
    QVERIFY(screen->isVisible());
}

void TestPayslipOutput::previewTwiceHandsOverIdenticalEntries()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    typeMarch(screen);
    click(screen, "Aperçu");
    const QMap<qint16, QString> first = screen->report().formulas();
    ReportPreview *shown = preview();
    QVERIFY(shown);
    click(screen, "Aperçu");
    QCOMPARE(screen->report().formulas(), first);
    // The same window shows the pay slip again.
    QCOMPARE(preview(), shown);
}

// A value that is not a number stops the action with the calculation's own
// message: nothing is handed over, no window opens.
void TestPayslipOutput::refusedCalculationProducesNothing()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    control<QLineEdit>(m_program->registry.load(ScreenName::Parameters), "HEURSUP1")->setText("trente");
    for (const char *action : {"Aperçu", "Imprimer", "Enregistrement"}) {
        TestSupport::ModalBox box;
        box.expect();
        click(screen, action);
        QVERIFY2(box.seen, action);
        QCOMPARE(box.title, QString("Calcul impossible"));
    }
    QVERIFY(screen->report().formulas().isEmpty());
    QVERIFY(!preview());
    QVERIFY(!saveDialog());
    QVERIFY(!ErrorDialog::current());
}

// The test machines have no printer: the engine says 28663. The printer
// warning waits for its "OK" before the pay slip is tried once more, so the
// second failure, said in the same error dialog, cannot hide it; the screen
// stays open.
void TestPayslipOutput::printFailureWarnsTriesAgainAndSaysSo()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed on this machine");
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    typeMarch(screen);

    // An error dialog already open with another message gives way to the
    // warning, and the warning to nothing until it is acknowledged.
    ErrorDialog::report("avant", "rien");
    TestSupport::ModalDialog warning;
    bool waited = false;
    warning.whileShown = [&] {
        // The one error dialog, holding the program until its "OK".
        waited = ErrorDialog::current() && ErrorDialog::current()->isModal()
                 && ErrorDialog::current() == QApplication::activeModalWidget();
    };
    warning.expect();
    click(screen, "Imprimer");

    QVERIFY(warning.seen);
    QVERIFY(waited);
    QCOMPARE(warning.title, QString("Erreur d'impression"));
    QCOMPARE(warning.text, QString("VERIFIER VOS PARAMETRES IMPRIMANTE"));
    ErrorDialog *dialog = ErrorDialog::current();
    QVERIFY(dialog);
    QVERIFY2(!dialog->isModal(), "the second failure does not wait");
    QCOMPARE(dialog->windowTitle(), QString("Impression impossible"));
    QCOMPARE(dialog->message(),
             QString("La fiche de paie n'a pas été imprimée, même à la seconde tentative.\n"
                     "Aucune imprimante n'est installée : la fiche de paie ne peut pas être imprimée. "
                     "(erreur 28663)\n"
                     "Vérifiez l'imprimante choisie dans Paramètrage > Configuration de l'impression."));
    // The longer message made room for itself: no line is cut off.
    auto *message = control<QLabel>(dialog, "Label1");
    QVERIFY(message->height() >= message->heightForWidth(message->width()));
    QVERIFY(screen->isVisible());
    QCOMPARE(m_program->registry.find(ScreenName::Preparation), screen);
    QCOMPARE(screen->report().formulas(), asMap(commandLineEntries()));
    QCOMPARE(screen->report().destination(), 1);
    QVERIFY(!preview());
}

void TestPayslipOutput::saveDialogLooksAsExpected()
{
    QFile existing("février.rpt");
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");

    PayslipSaveDialog *dialog = saveDialog();
    QVERIFY(dialog);
    QCOMPARE(screen->saveDialog(), dialog);
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QString("Enregistrer la fiche de paie sous"));
    QStringList captions;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        captions << label->text();
    QCOMPARE(captions, QStringList({"Dans la liste des fiches de paie.", "Nom :", "Type :"}));
    QCOMPARE(control<QPushButton>(dialog, "Save")->text(), QString("&Enregistrer"));
    QCOMPARE(control<QPushButton>(dialog, "Cancel")->text(), QString("A&nnuler"));
    auto *type = control<QComboBox>(dialog, "PayslipType");
    QCOMPARE(type->count(), 1);
    QCOMPARE(type->currentText(), QString("*.rpt"));
    auto *existingList = control<QListWidget>(dialog, "ExistingPayslips");
    QCOMPARE(existingList->count(), 1);
    QCOMPARE(existingList->item(0)->text(), QString("février.rpt"));
    QVERIFY(control<QLineEdit>(dialog, "PayslipName")->text().isEmpty());
    // The buttons stand right of the name and of the type.
    QVERIFY(control<QPushButton>(dialog, "Save")->x() > control<QLineEdit>(dialog, "PayslipName")->x());
    QVERIFY(control<QPushButton>(dialog, "Cancel")->y() > control<QPushButton>(dialog, "Save")->y());
    // The preparation screen stays usable meanwhile.
    QVERIFY(screen->isEnabled());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestPayslipOutput::saveWritesTheNamePlusRpt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("janvier") << "janvier" << "janvier.rpt";
    QTest::newRow("janvier.rpt") << "janvier.rpt" << "janvier.rpt.rpt";
    QTest::newRow("accents and spaces") << "Mars 2001 MOREAU Élise" << "Mars 2001 MOREAU Élise.rpt";
}

void TestPayslipOutput::saveWritesTheNamePlusRpt()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    const QByteArray employees = bytes("Bdrk.rkv");
    const QByteArray employer = bytes("sterk.rkv");
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    typeMarch(screen);
    click(screen, "Enregistrement");
    QPointer<PayslipSaveDialog> dialog = saveDialog();
    QVERIFY(dialog);
    QVERIFY(!preview());
    QCOMPARE(screen->report().formulas(), asMap(commandLineEntries()));
    type(dialog, "PayslipName", name);
    click(dialog, "Save");

    QCOMPARE(rptFiles(), QStringList({file}));
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(screen->report().destination(), 2);
    QCOMPARE(screen->report().outputFile(), file);
    const auto saved = savedDocument(file);
    QVERIFY(saved);
    QCOMPARE(saved->value("NET"), screen->sheet().net_to_pay);
    QCOMPARE(saved->formulas().size(), PayslipFormulaSet::Count);
    QVERIFY(screen->isVisible());
    // Nothing of the database changes with a pay slip.
    QCOMPARE(bytes("Bdrk.rkv"), employees);
    QCOMPARE(bytes("sterk.rkv"), employer);
}

// What the next modal question said, and the button it was answered with.
struct Question
{
    bool seen = false;
    QString text;
    bool noByDefault = false;

    void answer(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, qApp, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = true;
            text = box->text();
            noByDefault = box->defaultButton() == box->button(QMessageBox::No);
            if (QAbstractButton *pressed = box->button(button))
                pressed->click();
        });
    }
};

void TestPayslipOutput::saveAsksBeforeReplacing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("Oui replaces") << int(QMessageBox::Yes) << true;
    QTest::newRow("Non keeps the older slip") << int(QMessageBox::No) << false;
}

// A saved slip is the only record of its month: replacing it is asked,
// "Non" by default; "Non" writes nothing and leaves the dialog open with the
// name, to type another one.
void TestPayslipOutput::saveAsksBeforeReplacing()
{
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    const QByteArray older("une ancienne fiche");
    QFile existing("janvier.rpt");
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write(older);
    existing.close();
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");
    QPointer<PayslipSaveDialog> dialog = saveDialog();
    type(dialog, "PayslipName", "janvier");
    Question question;
    question.answer(QMessageBox::StandardButton(answer));
    click(dialog, "Save");

    QVERIFY(question.seen);
    QCOMPARE(question.text, QString("Une fiche de paie de ce nom existe déjà. La remplacer ?"));
    QVERIFY(question.noByDefault);
    QCOMPARE(rptFiles(), QStringList({"janvier.rpt"}));
    QVERIFY(!ErrorDialog::current());
    if (replaced) {
        const auto saved = savedDocument("janvier.rpt");
        QVERIFY(saved);
        QCOMPARE(saved->value("NET"), screen->sheet().net_to_pay);
        QTRY_VERIFY(dialog.isNull());
    } else {
        QCOMPARE(bytes("janvier.rpt"), older);
        QCOMPARE(saveDialog(), dialog.data());
        QCOMPARE(control<QLineEdit>(dialog, "PayslipName")->text(), QString("janvier"));
    }
}

void TestPayslipOutput::saveRefusesBadNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("saying");
    QTest::newRow("folder") << "archives/janvier" << "contient une barre oblique";
    QTest::newRow("out of the folder") << "../janvier" << "contient une barre oblique";
    QTest::newRow("backslash") << "archives\\janvier" << "contient une barre oblique";
    QTest::newRow("dot") << "." << "désigne un dossier";
    QTest::newRow("dot dot") << ".." << "désigne un dossier";
    QTest::newRow("hidden") << ".janvier" << "commence par un point";
    QTest::newRow("blanks") << "   " << "ne contient que des espaces";
    QTest::newRow("colon") << "mars:2001" << "contient le caractère « : »";
    QTest::newRow("star") << "mars*" << "contient le caractère « * »";
    QTest::newRow("bar") << "a|b" << "contient le caractère « | »";
}

// A refused name is said and kept in the field to be corrected; nothing is
// written, the dialog stays open.
void TestPayslipOutput::saveRefusesBadNames()
{
    QFETCH(QString, name);
    QFETCH(QString, saying);
    QVERIFY(QDir().mkdir("archives"));
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");
    PayslipSaveDialog *dialog = saveDialog();
    QVERIFY(dialog);
    control<QLineEdit>(dialog, "PayslipName")->setText(name);
    click(dialog, "Save");

    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Nom refusé"));
    QVERIFY2(ErrorDialog::current()->message().contains(saying), qPrintable(ErrorDialog::current()->message()));
    QCOMPARE(saveDialog(), dialog);
    QCOMPARE(control<QLineEdit>(dialog, "PayslipName")->text(), name);
    QVERIFY(rptFiles().isEmpty());
    QVERIFY(QDir("archives").isEmpty());
    QVERIFY(!QFileInfo::exists("../janvier.rpt"));
    QVERIFY(!QFileInfo::exists("...rpt"));
    QVERIFY(!QFileInfo::exists(".janvier.rpt"));
}

void TestPayslipOutput::emptyNameWaitsAndCancelWritesNothing()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");
    QPointer<PayslipSaveDialog> dialog = saveDialog();
    QVERIFY(dialog);
    click(dialog, "Save");
    QCOMPARE(saveDialog(), dialog.data());
    QVERIFY(!ErrorDialog::current());

    type(dialog, "PayslipName", "janvier");
    click(dialog, "Cancel");
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(rptFiles().isEmpty());
}

// A second "Enregistrement" brings the open dialog forward with the name
// typed so far; once closed, the next one starts empty. It goes with the
// preparation screen, whose pay slip it writes.
void TestPayslipOutput::saveDialogIsOneAndKeepsTheNameTyped()
{
    QPointer<PreparationScreen> screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");
    QPointer<PayslipSaveDialog> dialog = saveDialog();
    type(dialog, "PayslipName", "janv");
    click(screen, "Enregistrement");
    QCOMPARE(saveDialog(), dialog.data());
    QCOMPARE(control<QLineEdit>(dialog, "PayslipName")->text(), QString("janv"));
    int dialogs = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        dialogs += widget->objectName() == "PayslipSaveDialog";
    QCOMPARE(dialogs, 1);

    click(dialog, "Cancel");
    QTRY_VERIFY(dialog.isNull());
    click(screen, "Enregistrement");
    dialog = saveDialog();
    QVERIFY(dialog);
    QVERIFY(control<QLineEdit>(dialog, "PayslipName")->text().isEmpty());

    click(screen, "Retour");
    QTRY_VERIFY(screen.isNull());
    QVERIFY(dialog.isNull());
}

// The name proposed is the one the month's pay run gives the same slip;
// a period that is no period proposes nothing.
void TestPayslipOutput::saveProposesThePayRunsName_data()
{
    QTest::addColumn<QStringList>("period"); // first day, then last, as typed
    QTest::addColumn<QString>("proposed");
    QTest::newRow("whole month") << QStringList({"01", "03", "2001", "31", "03", "2001"})
                                 << "2001-03 MOREAU CÉLINE";
    QTest::newRow("part of a month") << QStringList({"01", "03", "2001", "15", "03", "2001"})
                                     << "2001-03-01 au 2001-03-15 MOREAU CÉLINE";
    QTest::newRow("empty") << QStringList({"", "", "", "", "", ""}) << "";
    QTest::newRow("no last day") << QStringList({"01", "03", "2001", "", "", ""}) << "";
    QTest::newRow("not a date") << QStringList({"31", "02", "2001", "31", "03", "2001"}) << "";
    QTest::newRow("ends before it starts") << QStringList({"31", "03", "2001", "01", "03", "2001"}) << "";
}

void TestPayslipOutput::saveProposesThePayRunsName()
{
    QFETCH(QStringList, period);
    QFETCH(QString, proposed);
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    const char *fields[] = {"Text71", "Text72", "Text73", "Text74", "Text75", "Text76"};
    for (int i = 0; i < 6; ++i)
        type(screen, fields[i], period.at(i));
    click(screen, "Enregistrement");
    PayslipSaveDialog *dialog = saveDialog();
    QVERIFY(dialog);
    auto *name = control<QLineEdit>(dialog, "PayslipName");
    QCOMPARE(name->text(), proposed);
    QCOMPARE(name->selectedText(), proposed);
}

// Enter saves under the name proposed; typing replaces it whole.
void TestPayslipOutput::proposedNameIsTakenWithEnterOrReplacedByTyping()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    typeMarch(screen);
    click(screen, "Enregistrement");
    QPointer<PayslipSaveDialog> dialog = saveDialog();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(control<QLineEdit>(dialog, "PayslipName"), Qt::Key_Return);
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(rptFiles(), QStringList({"2001-03 MOREAU CÉLINE.rpt"}));

    click(screen, "Enregistrement");
    dialog = saveDialog();
    QVERIFY(dialog);
    type(dialog, "PayslipName", "mars");
    QCOMPARE(control<QLineEdit>(dialog, "PayslipName")->text(), QString("mars"));
    click(dialog, "Save");
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(rptFiles(), QStringList({"2001-03 MOREAU CÉLINE.rpt", "mars.rpt"}));
}

// The dialog does not block: a preview done before "Enregistrer" sets the
// window as destination, and the file then carries that preview's entries.
void TestPayslipOutput::saveWritesTheEntriesOfTheLastAction()
{
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");
    type(saveDialog(), "PayslipName", "mars");
    const QString netBefore = screen->sheet().net_to_pay;

    typeMarch(screen);
    click(screen, "Aperçu");
    QCOMPARE(screen->report().destination(), 0);
    const QString netAfter = screen->sheet().net_to_pay;
    QVERIFY(netAfter != netBefore);

    click(saveDialog(), "Save");
    const auto saved = savedDocument("mars.rpt");
    QVERIFY(saved);
    QCOMPARE(saved->value("NET"), netAfter);
    QCOMPARE(saved->value("NET"), preview()->document().value("NET"));
}

void TestPayslipOutput::failedSaveSaysSoAndKeepsTheDialog()
{
    // A folder already holds the name: the file cannot be written there.
    QVERIFY(QDir().mkdir("janvier.rpt"));
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    click(screen, "Enregistrement");
    PayslipSaveDialog *dialog = saveDialog();
    type(dialog, "PayslipName", "janvier");
    click(dialog, "Save");

    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Enregistrement impossible"));
    const QString message = ErrorDialog::current()->message();
    QVERIFY2(message.startsWith("La fiche de paie « janvier.rpt » n'a pas été enregistrée.\n"), qPrintable(message));
    QVERIFY2(message.endsWith("(erreur 28607)"), qPrintable(message));
    QCOMPARE(saveDialog(), dialog);
    QCOMPARE(control<QLineEdit>(dialog, "PayslipName")->text(), QString("janvier"));
}

QTEST_MAIN(TestPayslipOutput)
#include "tst_payslipoutput.moc"
