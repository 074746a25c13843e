#include "archivescreen.h"
#include "deleteconfirmation.h"
#include "errordialog.h"
#include "frenchlocale.h"
#include "helpcontext.h"
#include "mainwindow.h"
#include "payslipreport.h"
#include "preparationscreen.h"
#include "reportengine.h"
#include "screennames.h"
#include "paysliptestsupport.h"
#include "payslipformulanames.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>

// The saved pay slips as the clerk finds them again from the main window:
// the list of the working directory's ".rpt" files, shown, printed or
// deleted after a confirmation, with a report object of the list's own.
class TestPayslipsArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void opensFromTheMainWindow_data();
    void opensFromTheMainWindow();
    void listsTheSavedPayslips();
    void clickNamesTheSelectedFile();
    void nothingSelectedIsRefused_data();
    void nothingSelectedIsRefused();
    void previewShowsTheSavedPayslip();
    void previewLeavesThePreparationsReportAlone();
    void damagedFileIsRefusedWithItsNumber();
    void printWithoutPrinterSaysSo();
    void confirmationNamesTheFile();
    void yesDeletesAndReopensTheList();
    void noDeletesNothing();
    void yesDeletesTheFileNamedNotTheNewSelection();
    void fileGoneBeforeYesIsSaid();
    void exitClosesTheList();

private:
    ArchiveScreen *openArchive();
    ArchiveScreen *archive() const { return m_program->registry.find<ArchiveScreen>(ScreenName::Archive); }

    std::unique_ptr<TestSupport::WorkingDirectory> m_folder;
    std::unique_ptr<PayslipTestSupport::Program> m_program;
};

namespace {

using namespace PayslipTestSupport;

QListWidget *fileList(QWidget *screen)
{
    return control<QListWidget>(screen, "File1");
}

QStringList listed(QWidget *screen)
{
    QStringList names;
    for (int i = 0; i < fileList(screen)->count(); ++i)
        names << fileList(screen)->item(i)->text();
    return names;
}

void select(QWidget *screen, const QString &file)
{
    const QList<QListWidgetItem *> found = fileList(screen)->findItems(file, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("%s is not listed", qPrintable(file));
    QListWidget *list = fileList(screen);
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

// A pay slip saved as the save-as dialog saves it, for an employee `name`.
void savePayslip(const QString &file, const QString &name)
{
    ReportEngine engine;
    engine.set_formula(0, "NOMSALARIE='" + name + "'");
    engine.set_formula(207, "NET='5 912,40'");
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(file);
    const ReportError error = engine.run();
    if (error.failed())
        qWarning("%s", qPrintable(error.message));
}

} // namespace

void TestPayslipsArchive::init()
{
    m_folder = PayslipTestSupport::demoFolder();
    QVERIFY(m_folder);
    ReportEngine::ensureDeliveredLayout();
    savePayslip("janvier.rpt", "MOREAU");
    savePayslip("février.rpt", "LEROY");
    m_program = std::make_unique<PayslipTestSupport::Program>();
}

void TestPayslipsArchive::cleanup()
{
    m_program.reset();
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    TestSupport::flushDeletes();
    m_folder.reset();
}

ArchiveScreen *TestPayslipsArchive::openArchive()
{
    m_program->window.findChild<QAction *>("LisPai")->trigger();
    return archive();
}

void TestPayslipsArchive::opensFromTheMainWindow_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Liste des fiches de paie") << false;
    QTest::newRow("Command5") << true;
}

void TestPayslipsArchive::opensFromTheMainWindow()
{
    QFETCH(bool, byButton);
    auto *item = m_program->window.findChild<QAction *>("LisPai");
    auto *button = m_program->window.findChild<QToolButton *>("Command5");
    QVERIFY(item->isEnabled());
    QVERIFY(button->isEnabled());
    if (byButton)
        QTest::mouseClick(button, Qt::LeftButton);
    else
        item->trigger();

    ArchiveScreen *screen = archive();
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->objectName(), QString("listsal"));
    QCOMPARE(screen->windowTitle(), QString("Ouverture d'une fiche de paie"));
    QCOMPARE(screen->property("helpContext").toInt(), 7);
    QVERIFY(!screen->property("designatesHelpFile").toBool());
    QVERIFY(!QApplication::activeModalWidget());
    // Opening it again brings the same list forward.
    item->trigger();
    QCOMPARE(archive(), screen);

    // One row of four picture buttons, in this order from the left.
    QList<QToolButton *> row = screen->findChildren<QToolButton *>();
    std::sort(row.begin(), row.end(), [](QToolButton *a, QToolButton *b) { return a->x() < b->x(); });
    QStringList captions;
    for (QToolButton *pictureButton : row) {
        captions << pictureButton->text();
        QVERIFY(!pictureButton->icon().isNull());
        QCOMPARE(pictureButton->y(), row.first()->y());
    }
    QCOMPARE(captions, QStringList({"Impression", "Aperçu", "Supprimer", "Sortie"}));
    QVERIFY(row.first()->y() > control<QLabel>(screen, "Label1")->y());
    QVERIFY(control<QLabel>(screen, "Label1")->y() > fileList(screen)->y());
}

void TestPayslipsArchive::listsTheSavedPayslips()
{
    QFile("notes.txt").open(QIODevice::WriteOnly);
    ArchiveScreen *screen = openArchive();
    QCOMPARE(listed(screen), QStringList({"février.rpt", "janvier.rpt"}));
    QCOMPARE(screen->selectedFile(), QString());
    QCOMPARE(control<QLabel>(screen, "Label1")->text(), QString());
}

void TestPayslipsArchive::clickNamesTheSelectedFile()
{
    ArchiveScreen *screen = openArchive();
    select(screen, "janvier.rpt");
    QCOMPARE(screen->selectedFile(), QString("janvier.rpt"));
    QCOMPARE(control<QLabel>(screen, "Label1")->text(), QString(" Ouverture de la fiche : janvier.rpt"));
    select(screen, "février.rpt");
    QCOMPARE(control<QLabel>(screen, "Label1")->text(), QString(" Ouverture de la fiche : février.rpt"));
}

void TestPayslipsArchive::nothingSelectedIsRefused_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Impression") << "Impression";
    QTest::newRow("Aperçu") << "Aperçu";
    QTest::newRow("Supprimer") << "Supprimer";
}

// The list keeps the keyboard's current row apart from the selection: a
// file merely reached by focus is not chosen.
void TestPayslipsArchive::nothingSelectedIsRefused()
{
    QFETCH(QString, action);
    ArchiveScreen *screen = openArchive();
    fileList(screen)->setFocus();
    click(screen, action);

    ErrorDialog *dialog = ErrorDialog::current();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Aucune fiche"));
    QCOMPARE(dialog->message(), QString("Veuillez sélectionner une fiche de paie "));
    QVERIFY(screen->isVisible());
    QVERIFY(!preview());
    QVERIFY(!DeleteConfirmation::current());
    QCOMPARE(QDir().entryList({"*.rpt"}).size(), 2);
}

void TestPayslipsArchive::previewShowsTheSavedPayslip()
{
    ArchiveScreen *screen = openArchive();
    select(screen, "février.rpt");
    click(screen, "Aperçu");
    ReportPreview *shown = preview();
    QVERIFY(shown);
    QCOMPARE(shown->document().value("NOMSALARIE"), QString("LEROY"));
    QCOMPARE(screen->report().reportFile(), QString("février.rpt"));
    QCOMPARE(screen->report().destination(), 0);
    QVERIFY(!ErrorDialog::current());

    // Another file shows in the same window.
    select(screen, "janvier.rpt");
    click(screen, "Aperçu");
    QCOMPARE(preview(), shown);
    QCOMPARE(shown->document().value("NOMSALARIE"), QString("MOREAU"));
}

// What the archive shows goes through its own report object: the pay slip
// prepared meanwhile keeps its layout, its entries and its destination.
void TestPayslipsArchive::previewLeavesThePreparationsReportAlone()
{
    QWidget *employee = m_program->registry.show(ScreenName::Employee);
    QVERIFY(QTest::qWaitForWindowActive(employee));
    click(employee, "créer");
    auto *preparation = m_program->registry.find<PreparationScreen>(ScreenName::Preparation);
    QVERIFY(preparation);
    click(preparation, "Aperçu");
    const QMap<qint16, QString> entries = preparation->report().formulas();
    QCOMPARE(entries.size(), int(PayslipFormulaNames::all.size()));

    ArchiveScreen *screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Aperçu");
    QCOMPARE(preview()->document().value("NOMSALARIE"), QString("MOREAU"));
    QCOMPARE(preparation->report().reportFile(), QString("rkv.rpl"));
    QCOMPARE(preparation->report().formulas(), entries);
    QCOMPARE(preparation->report().destination(), 0);
    QVERIFY(screen->report().formulas().isEmpty());
}

void TestPayslipsArchive::damagedFileIsRefusedWithItsNumber()
{
    QFile damaged("abîmé.rpt");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("{ pas une fiche");
    damaged.close();
    ArchiveScreen *screen = openArchive();
    select(screen, "abîmé.rpt");
    click(screen, "Aperçu");
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Ouverture impossible"));
    const QString message = ErrorDialog::current()->message();
    QVERIFY2(message.startsWith("La fiche de paie « abîmé.rpt » n'a pas pu être affichée.\n"), qPrintable(message));
    QVERIFY2(message.endsWith("(erreur 28602)"), qPrintable(message));
    QVERIFY(!preview());
    QVERIFY(screen->isVisible());
}

void TestPayslipsArchive::printWithoutPrinterSaysSo()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed on this machine");
    ArchiveScreen *screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Impression");
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Impression impossible"));
    QCOMPARE(ErrorDialog::current()->message(),
             QString("La fiche de paie « janvier.rpt » n'a pas été imprimée.\nAucune imprimante n'est "
                     "installée : la fiche de paie ne peut pas être imprimée. (erreur 28663)"));
    QCOMPARE(screen->report().destination(), 1);
    QVERIFY(screen->isVisible());
}

void TestPayslipsArchive::confirmationNamesTheFile()
{
    ArchiveScreen *screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Supprimer");
    auto *confirmation = window<DeleteConfirmation>("supprime");
    QVERIFY(confirmation);
    QCOMPARE(DeleteConfirmation::current(), confirmation);
    QVERIFY(!confirmation->isModal());
    QCOMPARE(confirmation->windowTitle(), QString("Confirmation de suppression de la fiche"));
    QCOMPARE(confirmation->message(), QString("Etes-vous sûr(e) de vouloir supprimer la fiche janvier.rpt"));
    auto *yes = control<QPushButton>(confirmation, "Oui");
    auto *no = control<QPushButton>(confirmation, "Non");
    QCOMPARE(yes->text(), QString("&Oui"));
    QCOMPARE(no->text(), QString("&Non"));
    QVERIFY(yes->x() < no->x());
    // The list stays usable; asking again names the new file in the same dialog.
    select(screen, "février.rpt");
    click(screen, "Supprimer");
    QCOMPARE(window<DeleteConfirmation>("supprime"), confirmation);
    QCOMPARE(confirmation->message(), QString("Etes-vous sûr(e) de vouloir supprimer la fiche février.rpt"));
}

void TestPayslipsArchive::yesDeletesAndReopensTheList()
{
    QPointer<ArchiveScreen> screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Supprimer");
    QPointer<DeleteConfirmation> confirmation = DeleteConfirmation::current();
    click(confirmation, "Oui");

    QVERIFY(!QFileInfo::exists("janvier.rpt"));
    QVERIFY(QFileInfo::exists("février.rpt"));
    QVERIFY(screen.isNull());
    TestSupport::flushDeletes();
    QVERIFY(confirmation.isNull());
    ArchiveScreen *reopened = archive();
    QVERIFY(reopened);
    QVERIFY(reopened->isVisible());
    QCOMPARE(listed(reopened), QStringList({"février.rpt"}));
    QCOMPARE(reopened->selectedFile(), QString());
    QVERIFY(!ErrorDialog::current());
}

void TestPayslipsArchive::noDeletesNothing()
{
    QPointer<ArchiveScreen> screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Supprimer");
    QPointer<DeleteConfirmation> confirmation = DeleteConfirmation::current();
    click(confirmation, "Non");
    TestSupport::flushDeletes();
    QVERIFY(confirmation.isNull());
    QVERIFY(QFileInfo::exists("janvier.rpt"));
    QCOMPARE(archive(), screen.data());
    QCOMPARE(listed(screen), QStringList({"février.rpt", "janvier.rpt"}));
    QCOMPARE(screen->selectedFile(), QString("janvier.rpt"));
}

void TestPayslipsArchive::yesDeletesTheFileNamedNotTheNewSelection()
{
    ArchiveScreen *screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Supprimer");
    DeleteConfirmation *confirmation = DeleteConfirmation::current();
    select(screen, "février.rpt");
    QCOMPARE(screen->selectedFile(), QString("février.rpt"));
    click(confirmation, "Oui");
    QVERIFY(!QFileInfo::exists("janvier.rpt"));
    QVERIFY(QFileInfo::exists("février.rpt"));
    QCOMPARE(listed(archive()), QStringList({"février.rpt"}));
}

// The file went another way meanwhile: the list shows the directory as it
// is and the clerk is told why nothing was deleted.
void TestPayslipsArchive::fileGoneBeforeYesIsSaid()
{
    ArchiveScreen *screen = openArchive();
    select(screen, "janvier.rpt");
    click(screen, "Supprimer");
    QVERIFY(QFile::remove("janvier.rpt"));
    click(DeleteConfirmation::current(), "Oui");
    QVERIFY(ErrorDialog::current());
    QCOMPARE(ErrorDialog::current()->windowTitle(), QString("Suppression impossible"));
    QCOMPARE(ErrorDialog::current()->message(),
             QString("La fiche de paie « janvier.rpt » n'a pas été supprimée : le fichier n'existe plus dans "
                     "le dossier de travail."));
    QVERIFY(archive());
    QCOMPARE(listed(archive()), QStringList({"février.rpt"}));
}

void TestPayslipsArchive::exitClosesTheList()
{
    QPointer<ArchiveScreen> screen = openArchive();
    click(screen, "Sortie");
    QTRY_VERIFY(screen.isNull());
    QVERIFY(!archive());
    QCOMPARE(QDir().entryList({"*.rpt"}).size(), 2);
}

QTEST_MAIN(TestPayslipsArchive)
#include "tst_payslipsarchive.moc"
