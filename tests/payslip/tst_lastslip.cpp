#include "archivescreen.h"
#include "deleteconfirmation.h"
#include "errordialog.h"
#include "frenchlocale.h"
#include "payhistory.h"
#include "paysliptestsupport.h"
#include "payslipsavedialog.h"
#include "preparationscreen.h"
#include "savedslips.h"
#include "screennames.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

// The preparation screen and the pay history: "Reprendre la dernière fiche"
// fills the three figures of the last pay slip from the slips saved in the
// working folder, a line under them says from which, and a discreet cue
// tells figures that differ from that slip; the save-as dialog records the
// slip it saves, the archive forgets the one it deletes.
class TestLastSlip : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void takesTheFiguresOfThePreviousSlip();
    void newYearStartsTheCumulativesAfresh();
    void nothingTrustedLeavesTheFields_data();
    void nothingTrustedLeavesTheFields();
    void periodFirst();
    void differentFiguresShowACueButCompute();
    void noHistoryIsMadeByACalculation();
    void savedSlipJoinsTheHistory();
    void deletedSlipLeavesTheHistory();

private:
    PreparationScreen *openPreparation();
    void typePeriod(PreparationScreen *screen, const QString &start, const QString &end);

    std::unique_ptr<TestSupport::WorkingDirectory> m_folder;
    std::unique_ptr<PayslipTestSupport::Program> m_program;
};

namespace {

using namespace PayslipTestSupport;
using SavedSlips::Smic;

const QString March = QStringLiteral("2001-03 MOREAU.rpt");

QString fieldText(QWidget *screen, const char *name)
{
    return control<QLineEdit>(screen, QString::fromLatin1(name))->text();
}

QStringList threeFigures(QWidget *screen)
{
    return {fieldText(screen, "Text78"), fieldText(screen, "Text77"), fieldText(screen, "Text79")};
}

QString lastSlipLine(QWidget *screen)
{
    return control<QLabel>(screen, QStringLiteral("DerniereFiche"))->text();
}

QLabel *cue(QWidget *screen)
{
    return control<QLabel>(screen, QStringLiteral("EcartDerniereFiche"));
}

// The key animates a click of the button, which lands a moment later.
void pressF9(QWidget *screen)
{
    auto *button = control<QPushButton>(screen, QStringLiteral("Reprendre"));
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(screen, Qt::Key_F9);
    QVERIFY(clicked.wait(2000));
}

QString withoutGrouping(QString printed)
{
    return printed.remove(QChar(0x202F));
}

// January, February and March 2001 of the SMIC employee, saved as the
// program saves them.
bool saveQuarter()
{
    return SavedSlips::save(".", "2001-01 MOREAU.rpt", Smic, {2001, 1, 1}, {2001, 1, 31})
        && SavedSlips::save(".", "2001-02 MOREAU.rpt", Smic, {2001, 2, 1}, {2001, 2, 28})
        && SavedSlips::save(".", March, Smic, {2001, 3, 1}, {2001, 3, 31},
                            {QStringLiteral("27"), QStringLiteral("13590,18"), QStringLiteral("14000"),
                             QStringLiteral("10")});
}

} // namespace

void TestLastSlip::init()
{
    m_folder = PayslipTestSupport::demoFolder();
    QVERIFY(m_folder);
    ReportEngine::ensureDeliveredLayout();
    m_program = std::make_unique<PayslipTestSupport::Program>();
}

void TestLastSlip::cleanup()
{
    m_program.reset();
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    TestSupport::flushDeletes();
    m_folder.reset();
}

PreparationScreen *TestLastSlip::openPreparation()
{
    QWidget *employee = m_program->registry.show(ScreenName::Employee);
    if (!QTest::qWaitForWindowActive(employee))
        qWarning("the employee screen was not activated");
    click(employee, QStringLiteral("créer"));
    auto *screen = m_program->registry.find<PreparationScreen>(ScreenName::Preparation);
    if (screen && !QTest::qWaitForWindowActive(screen))
        qWarning("the preparation screen was not activated");
    return screen;
}

void TestLastSlip::typePeriod(PreparationScreen *screen, const QString &start, const QString &end)
{
    const QStringList first = start.split(u'/');
    const QStringList last = end.split(u'/');
    const char *names[] = {"Text71", "Text72", "Text73", "Text74", "Text75", "Text76"};
    for (int i = 0; i < 3; ++i) {
        type(screen, QString::fromLatin1(names[i]), first.at(i));
        type(screen, QString::fromLatin1(names[i + 3]), last.at(i));
    }
}

// F9 as its tooltip says: the leave hours due and the cumulatives printed
// on March, typed as a clerk types them, for a pay slip of April; nothing
// else on the screen changes.
void TestLastSlip::takesTheFiguresOfThePreviousSlip()
{
    QVERIFY(saveQuarter());
    PreparationScreen *screen = openPreparation();
    QVERIFY(screen);
    typePeriod(screen, "01/04/2001", "30/04/2001");
    type(screen, "Text2", "5");
    pressF9(screen);

    const QHash<QString, QString> march = SavedSlips::printed(March);
    QCOMPARE(threeFigures(screen), (QStringList{march.value("CONB"), withoutGrouping(march.value("T48")),
                                                withoutGrouping(march.value("CUM"))}));
    QCOMPARE(lastSlipLine(screen),
             QStringLiteral("Repris de la fiche « 2001-03 MOREAU.rpt » (du 01/03/2001 au 31/03/2001)."));
    QCOMPARE(fieldText(screen, "Text2"), QStringLiteral("5"));
    QCOMPARE(fieldText(screen, "Text1"), QStringLiteral("0"));
    QVERIFY(cue(screen)->isHidden());

    // Figures taken as they are: no cue, and the cumulative follows March's.
    click(screen, "Lancer");
    QVERIFY(cue(screen)->isHidden());
    QVERIFY(!control<QLabel>(screen, "Label48")->text().isEmpty());
    // The history was built from the folder's files on the way.
    QVERIFY(QFileInfo::exists(QString::fromLatin1(PayHistory::FileName)));
}

void TestLastSlip::newYearStartsTheCumulativesAfresh()
{
    QVERIFY(SavedSlips::save(".", "2000-12 MOREAU.rpt", Smic, {2000, 12, 1}, {2000, 12, 31},
                             {QStringLiteral("140"), QStringLiteral("70000"), QStringLiteral("90000"), {}}));
    PreparationScreen *screen = openPreparation();
    typePeriod(screen, "01/01/2001", "31/01/2001");
    type(screen, "Text77", "123");
    type(screen, "Text79", "456");
    click(screen, "Reprendre");
    QCOMPARE(threeFigures(screen),
             (QStringList{SavedSlips::printed("2000-12 MOREAU.rpt").value("CONB"), QString(), QString()}));
    QVERIFY(lastSlipLine(screen).endsWith(QStringLiteral("Nouvelle année : les cumuls repartent de zéro.")));
}

void TestLastSlip::nothingTrustedLeavesTheFields_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("line");
    QTest::newRow("no slip before the period") << "none"
        << "Aucune fiche de paie enregistrée de ce salarié ne se termine avant le 01/04/2001.";
    QTest::newRow("two slips for March") << "conflict"
        << "La fiche « 2001-03 MOREAU.rpt » (du 01/03/2001 au 31/03/2001) et la fiche « mars bis.rpt » (du "
           "01/03/2001 au 31/03/2001) de ce salarié portent sur des périodes qui se chevauchent : rien n'est "
           "repris. Supprimez celle qui est de trop dans la liste des fiches de paie.";
    QTest::newRow("March changed outside the program") << "changed"
        << "La fiche « 2001-03 MOREAU.rpt » (du 01/03/2001 au 31/03/2001) a été modifiée en dehors du programme "
           "depuis son enregistrement : ses chiffres ne sont pas repris. Enregistrez de nouveau cette fiche de "
           "paie, ou supprimez-la.";
}

// When no slip can be trusted, the figures typed stay as they are and the
// line says why: the clerk decides.
void TestLastSlip::nothingTrustedLeavesTheFields()
{
    QFETCH(QString, folder);
    QFETCH(QString, line);
    if (folder != QLatin1String("none"))
        QVERIFY(saveQuarter());
    if (folder == QLatin1String("conflict"))
        QVERIFY(QFile::copy(March, "mars bis.rpt"));
    if (folder == QLatin1String("changed")) {
        QVERIFY(PayHistory::open(".").history);
        QByteArray content = SavedSlips::read(March);
        content.replace(SavedSlips::printed(March).value("CUM").toUtf8(), "1,00");
        SavedSlips::write(March, content);
        QFile file(March);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(30), QFileDevice::FileModificationTime));
    }
    PreparationScreen *screen = openPreparation();
    typePeriod(screen, "01/04/2001", "30/04/2001");
    type(screen, "Text78", "12");
    type(screen, "Text77", "3400");
    pressF9(screen);
    QCOMPARE(threeFigures(screen), (QStringList{"12", "3400", ""}));
    QCOMPARE(lastSlipLine(screen), line);
}

void TestLastSlip::periodFirst()
{
    QVERIFY(saveQuarter());
    PreparationScreen *screen = openPreparation();
    type(screen, "Text78", "12");
    pressF9(screen);
    QCOMPARE(threeFigures(screen), (QStringList{"12", "", ""}));
    QCOMPARE(lastSlipLine(screen), QStringLiteral("Tapez d'abord le premier jour de la période (« Période du ») : "
                                                  "la dernière fiche est celle qui se termine avant lui."));
}

// Figures other than the previous slip's are the clerk's to type: the
// calculation runs on them, and a discreet line says they differ.
void TestLastSlip::differentFiguresShowACueButCompute()
{
    QVERIFY(saveQuarter());
    QVERIFY(PayHistory::open(".").history);
    PreparationScreen *screen = openPreparation();
    typePeriod(screen, "01/04/2001", "30/04/2001");
    type(screen, "Text77", "1000");
    click(screen, "Lancer");

    QVERIFY(cue(screen)->isVisible());
    const QHash<QString, QString> march = SavedSlips::printed(March);
    QCOMPARE(cue(screen)->text(),
             QStringLiteral("Ces trois chiffres diffèrent de la dernière fiche enregistrée, « 2001-03 MOREAU.rpt » "
                            "(du 01/03/2001 au 31/03/2001) : %1 heures, %2, %3.")
                 .arg(march.value("CONB"), withoutGrouping(march.value("T48")), withoutGrouping(march.value("CUM"))));
    // Whole, above the row of buttons: the window makes room for it.
    QTRY_VERIFY(cue(screen)->height() >= cue(screen)->heightForWidth(cue(screen)->width()));
    QTRY_VERIFY(cue(screen)->mapTo(screen, QPoint(0, cue(screen)->height())).y()
                <= control<QPushButton>(screen, "Lancer")->y());
    QCOMPARE(screen->sheet().previous_cumulative_taxable, QStringLiteral("1000"));
    QVERIFY(!control<QLabel>(screen, "Label45")->text().isEmpty());
    QVERIFY(!QApplication::activeModalWidget());

    // Taken from the slip, the cue goes at the next calculation.
    click(screen, "Reprendre");
    click(screen, "Lancer");
    QVERIFY(cue(screen)->isHidden());
}

void TestLastSlip::noHistoryIsMadeByACalculation()
{
    QVERIFY(saveQuarter());
    PreparationScreen *screen = openPreparation();
    typePeriod(screen, "01/04/2001", "30/04/2001");
    type(screen, "Text77", "1000");
    click(screen, "Lancer");
    QVERIFY(cue(screen)->isHidden());
    QVERIFY(!QFileInfo::exists(QString::fromLatin1(PayHistory::FileName)));
}

// "Enregistrement de la fiche" records the slip with its employee and
// period, so that May finds April.
void TestLastSlip::savedSlipJoinsTheHistory()
{
    QVERIFY(saveQuarter());
    PreparationScreen *screen = openPreparation();
    typePeriod(screen, "01/04/2001", "30/04/2001");
    click(screen, "Reprendre");
    click(screen, "Enregistrement");
    QPointer<PayslipSaveDialog> dialog = window<PayslipSaveDialog>("PayslipSaveDialog");
    QVERIFY(dialog);
    type(dialog, "PayslipName", "2001-04 MOREAU");
    click(dialog, "Save");
    TestSupport::flushDeletes();
    QVERIFY(!dialog);

    const PayHistory::Opening history = PayHistory::open(".");
    QVERIFY(history.history);
    QCOMPARE(history.notices, QStringList());
    const QList<SlipSummary> slips = history.history->slipsOf(Smic);
    QCOMPARE(slips.size(), 4);
    QCOMPARE(slips.last().fileName, QStringLiteral("2001-04 MOREAU.rpt"));
    QCOMPARE(slips.last().periodStart, QDate(2001, 4, 1));
    QCOMPARE(slips.last().periodEnd, QDate(2001, 4, 30));
    const CarryOver may = history.history->carryOver(Smic, {2001, 5, 1});
    QCOMPARE(may.source->fileName, QStringLiteral("2001-04 MOREAU.rpt"));
    QCOMPARE(may.previous_cumulative_taxable, withoutGrouping(screen->sheet().cumulative_taxable));
    QCOMPARE(may.previous_cumulative_gross, withoutGrouping(screen->sheet().cumulative_gross));
}

void TestLastSlip::deletedSlipLeavesTheHistory()
{
    QVERIFY(saveQuarter());
    QCOMPARE(PayHistory::open(".").history->slips().size(), 3);
    m_program->window.findChild<QAction *>("LisPai")->trigger();
    auto *archive = m_program->registry.find<ArchiveScreen>(ScreenName::Archive);
    QVERIFY(archive);
    QListWidget *list = control<QListWidget>(archive, "File1");
    QListWidgetItem *item = list->findItems(March, Qt::MatchExactly).first();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    click(archive, "Supprimer");
    QVERIFY(DeleteConfirmation::current());
    click(DeleteConfirmation::current(), "Oui");

    QVERIFY(!QFileInfo::exists(March));
    const PayHistory::Opening history = PayHistory::open(".");
    QCOMPARE(history.history->slips().size(), 2);
    QCOMPARE(history.history->carryOver(Smic, {2001, 4, 1}).source->fileName, QStringLiteral("2001-02 MOREAU.rpt"));
}

QTEST_MAIN(TestLastSlip)
#include "tst_lastslip.moc"
