#include "errordialog.h"
#include "frenchlocale.h"
#include "recordview.h"
#include "reportengine.h"
#include "schema.h"
#include "screennames.h"
#include "paysliptestsupport.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

// Names and file names are the clerk's data, whatever another program put in
// them: every label and message that shows one shows it as it stands, never
// as markup that could set a heading, colours or load a local picture.
class TestPlainTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void employeeAndPreparationHeaders();
    void questionNamingTheEmployee();
    void archiveAndDeleteConfirmationNameTheFile();
    void errorDialog();

private:
    std::unique_ptr<TestSupport::WorkingDirectory> m_folder;
    std::unique_ptr<PayslipTestSupport::Program> m_program;
};

namespace {

using namespace PayslipTestSupport;

// Markup a name can carry: a heading, a colour, a picture of the folder.
const QString Surname = QStringLiteral("<h1 style=\"color:red\">MOREAU</h1><img src=\"photo.bmp\">");
const QString FirstName = QStringLiteral("<b>CÉLINE</b>");
// No slash: a file name cannot hold one.
const QString FileName = QStringLiteral("<b>mars<img src=\"photo.bmp\">.rpt");

bool carriesMarkup(const QString &text)
{
    return text.contains(QLatin1String("<h1"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("<b>"), Qt::CaseInsensitive);
}

// Every visible label of the program that shows markup; fails on one that
// would read it as rich text.
int plainLabelsShowingMarkup()
{
    int count = 0;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        for (const QLabel *label : top->findChildren<QLabel *>()) {
            if (!carriesMarkup(label->text()))
                continue;
            if (label->textFormat() != Qt::PlainText) {
                qWarning("%s shows « %s » as markup", qPrintable(label->objectName()),
                         qPrintable(label->text()));
                return -1;
            }
            ++count;
        }
    }
    return count;
}

// What the next modal message box showed, answered with No (or OK).
struct Question
{
    bool seen = false;
    QString text;
    Qt::TextFormat format = Qt::AutoText;

    void arm()
    {
        QTimer::singleShot(0, qApp, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = true;
            text = box->text();
            format = box->textFormat();
            QAbstractButton *no = box->button(QMessageBox::No);
            (no ? no : box->button(QMessageBox::Ok))->click();
        });
    }
};

} // namespace

void TestPlainTexts::init()
{
    m_folder = PayslipTestSupport::demoFolder();
    QVERIFY(m_folder);
    {
        RecordView view(TestSupport::openDatabase(Schema::mainDatabase()), QStringLiteral("SALARIE"));
        QVERIFY(!view.reload());
        view.setFieldText(QStringLiteral("NOM"), Surname);
        view.setFieldText(QStringLiteral("PRENOM"), FirstName);
        const StoreError error = view.writeCurrent();
        QVERIFY2(!error, qPrintable(error.message()));
    }
    ReportEngine::ensureDeliveredLayout();
    ReportEngine engine;
    engine.set_formula(0, QStringLiteral("NOMSALARIE='MOREAU'"));
    engine.set_destination(ReportEngine::File);
    engine.set_output_file(FileName);
    const ReportError error = engine.run();
    QVERIFY2(!error.failed(), qPrintable(error.message));
    m_program = std::make_unique<PayslipTestSupport::Program>();
}

void TestPlainTexts::cleanup()
{
    m_program.reset();
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    TestSupport::flushDeletes();
    m_folder.reset();
}

// The three panels' two header lines, then the preparation screen's heading.
void TestPlainTexts::employeeAndPreparationHeaders()
{
    QWidget *employee = m_program->registry.show(ScreenName::Employee);
    QVERIFY(QTest::qWaitForWindowActive(employee));
    for (const char *panel : {"Picture1", "Picture2", "Picture3"}) {
        const auto *surname = control<QLabel>(control<QWidget>(employee, panel), "headerNom");
        QCOMPARE(surname->text().toUpper(), Surname.toUpper());
        QCOMPARE(surname->textFormat(), Qt::PlainText);
        QCOMPARE(control<QLabel>(control<QWidget>(employee, panel), "headerPrenom")->textFormat(),
                 Qt::PlainText);
    }
    QCOMPARE(plainLabelsShowingMarkup(), 6);

    click(employee, "créer");
    QWidget *preparation = m_program->registry.find(ScreenName::Preparation);
    QVERIFY(preparation);
    QVERIFY(QTest::qWaitForWindowExposed(preparation));
    const auto *heading = control<QLabel>(preparation, "Label2");
    QCOMPARE(heading->text().toUpper(), Surname.toUpper());
    QCOMPARE(heading->textFormat(), Qt::PlainText);
    QVERIFY(plainLabelsShowingMarkup() > 6);
}

// The deletion question names the employee as stored.
void TestPlainTexts::questionNamingTheEmployee()
{
    QWidget *employee = m_program->registry.show(ScreenName::Employee);
    QVERIFY(QTest::qWaitForWindowActive(employee));
    Question question;
    question.arm();
    click(employee, "Supprimer");
    QVERIFY(question.seen);
    QVERIFY2(question.text.contains(QLatin1String("MOREAU</H1>"), Qt::CaseInsensitive),
             qPrintable(question.text));
    QCOMPARE(question.format, Qt::PlainText);
}

// The archive's chosen file and the question before deleting it.
void TestPlainTexts::archiveAndDeleteConfirmationNameTheFile()
{
    m_program->window.findChild<QAction *>(QStringLiteral("LisPai"))->trigger();
    QWidget *archive = m_program->registry.find(ScreenName::Archive);
    QVERIFY(archive);
    QListWidget *files = control<QListWidget>(archive, "File1");
    const QList<QListWidgetItem *> found = files->findItems(FileName, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
    const auto *chosen = control<QLabel>(archive, "Label1");
    QVERIFY2(chosen->text().endsWith(FileName), qPrintable(chosen->text()));
    QCOMPARE(chosen->textFormat(), Qt::PlainText);

    click(archive, "Supprimer");
    QWidget *confirmation = window(QStringLiteral("supprime"));
    QVERIFY(confirmation);
    const auto *message = control<QLabel>(confirmation, "Label1");
    QVERIFY2(message->text().contains(FileName), qPrintable(message->text()));
    QCOMPARE(message->textFormat(), Qt::PlainText);
    QCOMPARE(plainLabelsShowingMarkup(), 2);
    click(confirmation, "Non");
    QVERIFY(QFile::exists(FileName));
}

// Its messages carry file names and stored texts.
void TestPlainTexts::errorDialog()
{
    QPointer<ErrorDialog> dialog =
        ErrorDialog::report(QStringLiteral("ERREUR"), QStringLiteral("Fichier ") + FileName + QStringLiteral(" illisible"));
    QVERIFY(dialog);
    const auto *message = control<QLabel>(dialog, "Label1");
    QCOMPARE(message->text(), QStringLiteral("Fichier ") + FileName + QStringLiteral(" illisible"));
    QCOMPARE(message->textFormat(), Qt::PlainText);
    dialog->close();
}

QTEST_MAIN(TestPlainTexts)
#include "tst_plaintexts.moc"
