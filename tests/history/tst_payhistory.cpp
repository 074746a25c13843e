#include "historydatabase.h"
#include "payhistory.h"
#include "savedslips.h"
#include "slipfile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using SavedSlips::Smic;

// The pay history of a working folder, kept in step with its saved pay
// slips: what a save records, what is found in the folder when the history
// is opened (files added, removed, changed outside the program, unreadable),
// and a history file that is damaged, foreign or of a newer program.
class TestPayHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rebuiltFromSavedSlips_data();
    void rebuiltFromSavedSlips();
    void everyPrintedFigureIsKept();
    void recordedSlipsCarryOver();
    void filesAddedOrRemovedOutside();
    void changedFileIsNotTrusted();
    void touchedFileStaysTrusted();
    void damagedHistoryIsRebuilt_data();
    void damagedHistoryIsRebuilt();
    void historyOfANewerProgramIsLeftAlone();
    void unreadableFilesAreListedAndSkipped_data();
    void unreadableFilesAreListedAndSkipped();
    void forgottenSlipLeavesTheHistory();
    void twoProgramsRecordingLoseNoRow();
    void historyFileIsOwnerOnly();

private:
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    bool saveQuarter(); // January, February and March 2001 of the SMIC employee
    PayHistory::Opening open() const { return PayHistory::open(m_dir->path()); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QString History = QString::fromLatin1(PayHistory::FileName);

QStringList fileNames(const QList<SlipSummary> &slips)
{
    QStringList names;
    for (const SlipSummary &slip : slips)
        names << slip.fileName;
    return names;
}

// Gives a file a time of change of its own, as an edit a moment later would.
void touch(const QString &path, int secondsLater)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QFileInfo(path).lastModified().addSecs(secondsLater),
                             QFileDevice::FileModificationTime));
}

} // namespace

void TestPayHistory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(!DemoData::write(m_dir->path()));
}

void TestPayHistory::cleanup()
{
    m_dir.reset();
}

bool TestPayHistory::saveQuarter()
{
    return SavedSlips::save(m_dir->path(), QStringLiteral("2001-01 MOREAU.rpt"), Smic, {2001, 1, 1}, {2001, 1, 31})
        && SavedSlips::save(m_dir->path(), QStringLiteral("2001-02 MOREAU.rpt"), Smic, {2001, 2, 1}, {2001, 2, 28},
                            {QStringLiteral("13"), QStringLiteral("6795,09"), QStringLiteral("7000"), {}})
        && SavedSlips::save(m_dir->path(), QStringLiteral("2001-03 MOREAU.rpt"), Smic, {2001, 3, 1}, {2001, 3, 31},
                            {QStringLiteral("27"), QStringLiteral("13590,18"), QStringLiteral("14000"),
                             QStringLiteral("10")});
}

void TestPayHistory::rebuiltFromSavedSlips_data()
{
    QTest::addColumn<bool>("firstVersion");
    QTest::newRow("slips that name their employee and period") << false;
    QTest::newRow("slips of the first version, read from what they print") << true;
}

// A folder whose slips were saved before the history existed (or whose
// history was lost) gets one from its files, employee and period included.
void TestPayHistory::rebuiltFromSavedSlips()
{
    QFETCH(bool, firstVersion);
    QVERIFY(saveQuarter());
    if (firstVersion) {
        for (const char *name : {"2001-01 MOREAU.rpt", "2001-02 MOREAU.rpt", "2001-03 MOREAU.rpt"})
            SavedSlips::makeFirstVersion(path(name));
    }
    QVERIFY(!QFileInfo::exists(path(History)));

    const PayHistory::Opening opening = open();
    QVERIFY2(opening.history, qPrintable(opening.failure));
    QCOMPARE(opening.notices, QStringList());
    const QList<SlipSummary> &slips = opening.history->slips();
    QCOMPARE(fileNames(slips), (QStringList{"2001-01 MOREAU.rpt", "2001-02 MOREAU.rpt", "2001-03 MOREAU.rpt"}));
    for (const SlipSummary &slip : slips) {
        QCOMPARE(slip.identification, Smic);
        QVERIFY(!slip.changed);
    }
    QCOMPARE(slips.at(1).periodStart, QDate(2001, 2, 1));
    QCOMPARE(slips.at(1).periodEnd, QDate(2001, 2, 28));
    const QHash<QString, QString> march = SavedSlips::printed(path("2001-03 MOREAU.rpt"));
    QCOMPARE(slips.at(2).leave_balance, march.value("CONB"));
    QCOMPARE(slips.at(2).cumulative_taxable, march.value("T48"));
    QCOMPARE(slips.at(2).cumulative_gross, march.value("CUM"));

    const auto full = opening.history->slip("2001-03 MOREAU.rpt");
    const SavedSlip slip = *std::get<std::optional<SavedSlip>>(full);
    QCOMPARE(slip.formatVersion, firstVersion ? 1 : 2);
    QCOMPARE(slip.checksum, SlipFile::checksum(SavedSlips::read(path("2001-03 MOREAU.rpt"))));
}

// The history keeps what each slip prints, as printed: the statements
// later sum these texts.
void TestPayHistory::everyPrintedFigureIsKept()
{
    QVERIFY(saveQuarter());
    const PayHistory::Opening opening = open();
    QVERIFY(opening.history);
    const SavedSlip slip = *std::get<std::optional<SavedSlip>>(opening.history->slip("2001-03 MOREAU.rpt"));
    const QHash<QString, QString> printed = SavedSlips::printed(path("2001-03 MOREAU.rpt"));
    for (const SlipFigures::Field &field : SlipFigures::fields())
        QCOMPARE(slip.figures.*field.member, printed.value(QLatin1String(field.formula)));
    QCOMPARE(slip.figures.gross_pay, printed.value("SALAIREBRUT"));
    QVERIFY(!slip.figures.gross_pay.isEmpty());
    for (int line = 0; line < ContributionLines::Count; ++line) {
        const PayslipFormulaSet::LineNames names = PayslipFormulaSet::lineNames(line);
        QCOMPARE(slip.figures.lines[line].label, printed.value(names.label));
        QCOMPARE(slip.figures.lines[line].base, printed.value(names.base));
        QCOMPARE(slip.figures.lines[line].employee, printed.value(names.employeeAmount));
        QCOMPARE(slip.figures.lines[line].employer, printed.value(names.employerAmount));
    }
    // The health insurance line of the SMIC employee has both amounts.
    QVERIFY(!slip.figures.lines[2].employee.isEmpty());
    QVERIFY(!slip.figures.lines[2].employer.isEmpty());

    const auto ending = opening.history->slipsEnding({2001, 2, 1}, {2001, 3, 31});
    QCOMPARE(std::get<QList<SavedSlip>>(ending).size(), 2);
}

// What a save records is what the next month takes: the figures the slip
// prints, as a clerk types them; a new year starts its cumulatives afresh.
void TestPayHistory::recordedSlipsCarryOver()
{
    PayHistory::Opening opening = open();
    QVERIFY(opening.history);
    QCOMPARE(opening.history->carryOver(Smic, {2001, 4, 1}).status, CarryOver::Status::NoPreviousSlip);

    QVERIFY(saveQuarter());
    QVERIFY(SavedSlips::save(m_dir->path(), "2000-12 MOREAU.rpt", Smic, {2000, 12, 1}, {2000, 12, 31}));
    QCOMPARE(opening.history->record(QStringList{"2001-01 MOREAU.rpt", "2001-02 MOREAU.rpt", "2001-03 MOREAU.rpt",
                                                 "2000-12 MOREAU.rpt"}),
             std::nullopt);
    QCOMPARE(opening.history->slips().size(), 4);

    const QHash<QString, QString> march = SavedSlips::printed(path("2001-03 MOREAU.rpt"));
    const CarryOver april = opening.history->carryOver(Smic, {2001, 4, 1});
    QCOMPARE(april.status, CarryOver::Status::Carried);
    QCOMPARE(april.source->fileName, QStringLiteral("2001-03 MOREAU.rpt"));
    QCOMPARE(april.previous_leave_balance, march.value("CONB"));
    QCOMPARE(april.previous_cumulative_taxable, QString(march.value("T48")).remove(QChar(0x202F)));
    QCOMPARE(april.previous_cumulative_gross, QString(march.value("CUM")).remove(QChar(0x202F)));
    QVERIFY(april.previous_cumulative_gross.contains(u','));

    const QHash<QString, QString> december = SavedSlips::printed(path("2000-12 MOREAU.rpt"));
    const CarryOver january = opening.history->carryOver(Smic, {2001, 1, 1});
    QCOMPARE(january.source->fileName, QStringLiteral("2000-12 MOREAU.rpt"));
    QCOMPARE(january.previous_leave_balance, december.value("CONB"));
    QCOMPARE(january.previous_cumulative_taxable, QString());
    QCOMPARE(january.previous_cumulative_gross, QString());

    const QHash<QString, CarryOver> all =
        opening.history->carryOver(QStringList{Smic, QStringLiteral("PERSONNE , INCONNUE")}, {2001, 4, 1});
    QCOMPARE(all.value(Smic).source->fileName, QStringLiteral("2001-03 MOREAU.rpt"));
    QCOMPARE(all.value("PERSONNE , INCONNUE").status, CarryOver::Status::NoPreviousSlip);
    QCOMPARE(fileNames(opening.history->overlapping(Smic, {2001, 3, 15}, {2001, 4, 14})),
             QStringList{"2001-03 MOREAU.rpt"});

    // Another opening reads the same.
    QCOMPARE(open().history->carryOver(Smic, {2001, 4, 1}).previous_cumulative_gross,
             april.previous_cumulative_gross);
}

// Files put in or taken out by hand, or by a save stopped before its
// history row, are found at the next opening.
void TestPayHistory::filesAddedOrRemovedOutside()
{
    QVERIFY(saveQuarter());
    QVERIFY(open().history);
    QVERIFY(QFile::copy(path("2001-03 MOREAU.rpt"), path("copie.rpt")));
    QVERIFY(QFile::remove(path("2001-01 MOREAU.rpt")));

    const PayHistory::Opening opening = open();
    QVERIFY(opening.history);
    QCOMPARE(fileNames(opening.history->slips()),
             (QStringList{"2001-02 MOREAU.rpt", "2001-03 MOREAU.rpt", "copie.rpt"}));
    // Two slips of March now: a conflict, not a guess.
    const CarryOver april = opening.history->carryOver(Smic, {2001, 4, 1});
    QCOMPARE(april.status, CarryOver::Status::Conflict);
    QCOMPARE(april.previous_cumulative_gross, QString());
}

// A slip whose file no longer is what was saved is said once, and not
// trusted until its content is the one recorded again.
void TestPayHistory::changedFileIsNotTrusted()
{
    QVERIFY(saveQuarter());
    QVERIFY(open().history);
    const QString march = path("2001-03 MOREAU.rpt");
    const QByteArray saved = SavedSlips::read(march);
    QByteArray edited = saved;
    edited.replace(SavedSlips::printed(march).value("CUM").toUtf8(), "1,00");
    QVERIFY(edited != saved);
    SavedSlips::write(march, edited);
    touch(march, 5);

    PayHistory::Opening opening = open();
    QVERIFY(opening.history);
    QCOMPARE(opening.notices.size(), 1);
    QVERIFY(opening.notices.constFirst().contains(QStringLiteral("« 2001-03 MOREAU.rpt » a été modifiée en dehors")));
    QVERIFY(opening.history->slips().at(2).changed);
    const CarryOver april = opening.history->carryOver(Smic, {2001, 4, 1});
    QCOMPARE(april.status, CarryOver::Status::Changed);
    QCOMPARE(april.previous_cumulative_gross, QString());
    // The figures recorded stay those saved, not those of the edit.
    const SavedSlip kept = *std::get<std::optional<SavedSlip>>(opening.history->slip("2001-03 MOREAU.rpt"));
    const SavedSlip original = std::get<SavedSlip>(SlipFile::fromBytes(QStringLiteral("x"), saved, 0));
    QCOMPARE(kept.figures.cumulative_gross, original.figures.cumulative_gross);
    QCOMPARE(open().notices, QStringList());

    SavedSlips::write(march, saved);
    touch(march, 10);
    opening = open();
    QVERIFY(!opening.history->slips().at(2).changed);
    QCOMPARE(opening.history->carryOver(Smic, {2001, 4, 1}).status, CarryOver::Status::Carried);
}

void TestPayHistory::touchedFileStaysTrusted()
{
    QVERIFY(saveQuarter());
    QVERIFY(open().history);
    touch(path("2001-03 MOREAU.rpt"), 60);
    const PayHistory::Opening opening = open();
    QCOMPARE(opening.notices, QStringList());
    QVERIFY(!opening.history->slips().at(2).changed);
}

void TestPayHistory::damagedHistoryIsRebuilt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty, as a full disk may leave it") << QByteArray();
    QTest::newRow("not a database") << QByteArray("historique des paies\n").repeated(200);
    QTest::newRow("cut short") << QByteArray("cut");
    QTest::newRow("another program's database") << QByteArray("foreign");
    QTest::newRow("a page inside overwritten, found by the reading") << QByteArray("page");
}

// The history is never the only copy of anything: damaged, it is kept
// aside under another name and built again from the slips of the folder.
void TestPayHistory::damagedHistoryIsRebuilt()
{
    QFETCH(QByteArray, content);
    QVERIFY(saveQuarter());
    QVERIFY(open().history);
    QByteArray damaged = content;
    if (content == "cut") {
        damaged = SavedSlips::read(path(History)).left(3000);
    } else if (content == "page") {
        damaged = SavedSlips::read(path(History));
        QVERIFY(damaged.size() > 3 * 4096);
        damaged.replace(4096, 4096, QByteArray(4096, '\x5a'));
    } else if (content == "foreign") {
        QVERIFY(QFile::remove(path(History)));
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path(History)).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE clients (nom TEXT)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        damaged = SavedSlips::read(path(History));
    }
    SavedSlips::write(path(History), damaged);

    const PayHistory::Opening opening = open();
    QVERIFY2(opening.history, qPrintable(opening.failure));
    QCOMPARE(opening.notices.size(), 1);
    QVERIFY2(opening.notices.constFirst().startsWith(
                 QStringLiteral("L'historique des paies « historique.rkv » était endommagé : il est gardé sous le nom "
                                "« historique.endommagé-")),
             qPrintable(opening.notices.constFirst()));
    QCOMPARE(opening.history->slips().size(), 3);
    const QStringList kept = QDir(m_dir->path()).entryList({"historique.endommagé-*"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(SavedSlips::read(path(kept.constFirst())), damaged);
}

void TestPayHistory::historyOfANewerProgramIsLeftAlone()
{
    QVERIFY(open().history);
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path(History)).constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, "PRAGMA user_version = 7", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const QByteArray before = SavedSlips::read(path(History));

    const PayHistory::Opening opening = open();
    QVERIFY(!opening.history);
    QCOMPARE(opening.failure, QStringLiteral("L'historique des paies « historique.rkv » a été écrit par une version "
                                             "plus récente du programme : il n'est ni lu ni modifié."));
    QCOMPARE(SavedSlips::read(path(History)), before);
}

void TestPayHistory::unreadableFilesAreListedAndSkipped_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << "le fichier est vide";
    QTest::newRow("cut short") << QByteArray("{\"format\":\"quorvan-report\",\"vers")
                               << "le fichier est endommagé (contenu illisible)";
    QTest::newRow("a layout, not a slip") << QByteArray("{\"format\":\"quorvan-layout\",\"version\":1}")
                                          << "ce n'est pas une fiche de paie enregistrée";
    QTest::newRow("a slip of a later version") << QByteArray("{\"format\":\"quorvan-report\",\"version\":9}")
                                               << "la fiche de paie est d'une version que ce programme ne sait pas lire";
    QTest::newRow("a slip without formulas")
        << QByteArray("{\"format\":\"quorvan-report\",\"version\":1,\"layout\":{}}")
        << "la fiche de paie est endommagée (mise en page ou formules absentes)";
}

// A .rpt that is no pay slip is said once, listed with its reason, and
// counted nowhere; the other slips are read all the same.
void TestPayHistory::unreadableFilesAreListedAndSkipped()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QVERIFY(saveQuarter());
    SavedSlips::write(path("zz abîmée.rpt"), content);

    PayHistory::Opening opening = open();
    QVERIFY(opening.history);
    QCOMPARE(opening.notices, QStringList{QStringLiteral("Le fichier « zz abîmée.rpt » ne peut pas être lu comme une "
                                                         "fiche de paie (%1) : il n'est pas compté dans l'historique.")
                                              .arg(reason)});
    QCOMPARE(opening.history->slips().size(), 3);
    QCOMPARE(opening.history->unreadable().size(), 1);
    QCOMPARE(opening.history->unreadable().constFirst().reason, reason);
    QCOMPARE(open().notices, QStringList());

    // Replaced by a real slip, it is read in.
    QVERIFY(QFile::remove(path("zz abîmée.rpt")));
    QVERIFY(QFile::copy(path("2001-01 MOREAU.rpt"), path("zz abîmée.rpt")));
    touch(path("zz abîmée.rpt"), 5);
    opening = open();
    QVERIFY(opening.history->unreadable().isEmpty());
    QCOMPARE(opening.history->slips().size(), 4);
}

void TestPayHistory::forgottenSlipLeavesTheHistory()
{
    QVERIFY(saveQuarter());
    PayHistory::Opening opening = open();
    QVERIFY(QFile::remove(path("2001-03 MOREAU.rpt")));
    QCOMPARE(opening.history->forget("2001-03 MOREAU.rpt"), std::nullopt);
    QCOMPARE(fileNames(opening.history->slips()), (QStringList{"2001-01 MOREAU.rpt", "2001-02 MOREAU.rpt"}));
    QCOMPARE(opening.history->carryOver(Smic, {2001, 4, 1}).source->fileName, QStringLiteral("2001-02 MOREAU.rpt"));
    QCOMPARE(fileNames(open().history->slips()), (QStringList{"2001-01 MOREAU.rpt", "2001-02 MOREAU.rpt"}));
}

// Two programs on the same folder each record their own save: both rows
// are there, and each program's list takes in the other's on its next
// change.
void TestPayHistory::twoProgramsRecordingLoseNoRow()
{
    QVERIFY(saveQuarter());
    PayHistory::Opening first = open();
    PayHistory::Opening second = open();
    QVERIFY(first.history && second.history);
    QVERIFY(SavedSlips::save(m_dir->path(), "2001-04 MOREAU.rpt", Smic, {2001, 4, 1}, {2001, 4, 30}));
    QVERIFY(SavedSlips::save(m_dir->path(), "2001-04 DURAND.rpt", DemoData::employees().at(1), {2001, 4, 1},
                             {2001, 4, 30}));
    QCOMPARE(first.history->record(QStringList{"2001-04 MOREAU.rpt"}), std::nullopt);
    QCOMPARE(second.history->record(QStringList{"2001-04 DURAND.rpt"}), std::nullopt);
    QCOMPARE(second.history->slips().size(), 5);
    QCOMPARE(open().history->slips().size(), 5);
}

void TestPayHistory::historyFileIsOwnerOnly()
{
    QVERIFY(open().history);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(path(History)) & others, QFile::Permissions());
    QCOMPARE(QDir(m_dir->path()).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestPayHistory)
#include "tst_payhistory.moc"
