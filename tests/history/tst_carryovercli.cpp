#include "payhistory.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The command line and the pay history: `quorvan payslip --rpt` records the
// slip it saves in the folder's history, and `--carry-over` takes the three
// figures of the previous slip from it, as the preparation screen's button
// does.
class TestCarryOverCli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void savedSlipsCarryOver();
    void carryOverRefusals_data();
    void carryOverRefusals();
    void noPreviousSlipComputesWithEmptyFigures();
    void slipSavedElsewhereIsNotInTheHistory();
    void twoProgramsSavingAtOnceLoseNoRow();
    void helpNamesTheOption();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Run quorvan(const QStringList &arguments) const;
    QProcess *start(const QStringList &arguments) const;
    static QStringList month(const QString &first, const QString &last);
    QString slip(const QString &name) const { return QDir(m_demo).filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_demo;
};

namespace {

const QString Smic = QStringLiteral("MOREAU , CÉLINE");

QHash<QString, QString> printed(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> values;
    const QJsonArray formulas = QJsonDocument::fromJson(file.readAll()).object().value("formulas").toArray();
    for (const QJsonValue &formula : formulas)
        values.insert(formula["name"].toString(), formula["value"].toString());
    return values;
}

QString typed(QString printed)
{
    return printed.remove(QChar(0x202F));
}

} // namespace

TestCarryOverCli::Run TestCarryOverCli::quorvan(const QStringList &arguments) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir->path());
    process.start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
    if (!process.waitForFinished(30000))
        qFatal("quorvan did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QProcess *TestCarryOverCli::start(const QStringList &arguments) const
{
    auto *process = new QProcess;
    process->setWorkingDirectory(m_dir->path());
    process->start(QStringLiteral(QUORVAN_EXECUTABLE), arguments);
    return process;
}

QStringList TestCarryOverCli::month(const QString &first, const QString &last)
{
    return {"payslip", "--employee", Smic, "--period-start", first, "--period-end", last};
}

void TestCarryOverCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_demo = m_dir->filePath("demo");
    QCOMPARE(quorvan({"demo", m_demo}).exitCode, 0);
}

// January saved, then February and March each taking the figures of the
// month before: what --json shows is what the previous slip printed.
void TestCarryOverCli::savedSlipsCarryOver()
{
    const QStringList dir{"--dir", m_demo};
    Run run = quorvan(month("01/01/2001", "31/01/2001") + dir + QStringList{"--rpt", slip("2001-01 MOREAU.rpt")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(QFile::exists(slip(QString::fromLatin1(PayHistory::FileName))));
    run = quorvan(month("01/02/2001", "28/02/2001") + dir
                  + QStringList{"--carry-over", "--complementary-hours", "10", "--rpt", slip("2001-02 MOREAU.rpt")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.startsWith(QStringLiteral("Dernière fiche de paie : Repris de la fiche « 2001-01 MOREAU.rpt » "
                                              "(du 01/01/2001 au 31/01/2001).\n")));

    run = quorvan(month("01/03/2001", "31/03/2001") + dir + QStringList{"--carry-over", "--json"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject sheet = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QHash<QString, QString> february = printed(slip("2001-02 MOREAU.rpt"));
    QCOMPARE(sheet.value("previous_leave_balance").toString(), february.value("CONB"));
    QCOMPARE(sheet.value("previous_cumulative_taxable").toString(), typed(february.value("T48")));
    QCOMPARE(sheet.value("previous_cumulative_gross").toString(), typed(february.value("CUM")));
    QCOMPARE(sheet.value("carry_over").toString(),
             QStringLiteral("Repris de la fiche « 2001-02 MOREAU.rpt » (du 01/02/2001 au 28/02/2001)."));

    // An option given keeps its value; the others still come from February.
    run = quorvan(month("01/03/2001", "31/03/2001") + dir
                  + QStringList{"--carry-over", "--previous-cumulative-gross", "12345", "--json"});
    const QJsonObject kept = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(kept.value("previous_cumulative_gross").toString(), QStringLiteral("12345"));
    QCOMPARE(kept.value("previous_leave_balance").toString(), february.value("CONB"));
}

void TestCarryOverCli::carryOverRefusals_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("no period") << "" << QStringList{"payslip", "--employee", Smic, "--carry-over"}
        << "--carry-over reprend la dernière fiche de paie avant la période : indiquez son premier jour avec "
           "--period-start JJ/MM/AAAA.";
    QTest::newRow("two slips for January") << "conflict" << month("01/02/2001", "28/02/2001")
        << "La fiche « 2001-01 MOREAU.rpt » (du 01/01/2001 au 31/01/2001) et la fiche « copie.rpt » (du "
           "01/01/2001 au 31/01/2001) de ce salarié portent sur des périodes qui se chevauchent";
    QTest::newRow("January changed outside") << "changed" << month("01/02/2001", "28/02/2001")
        << "La fiche de paie « 2001-01 MOREAU.rpt » a été modifiée en dehors du programme depuis son "
           "enregistrement : ses chiffres ne seront pas repris.\nLa fiche « 2001-01 MOREAU.rpt » (du "
           "01/01/2001 au 31/01/2001) a été modifiée en dehors du programme";
    QTest::newRow("a history of a newer program") << "newer" << month("01/02/2001", "28/02/2001")
        << "L'historique des paies « historique.rkv » a été écrit par une version plus récente du programme";
}

// Nothing is computed on figures that cannot be trusted: exit status 2,
// and the message says why.
void TestCarryOverCli::carryOverRefusals()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QStringList dir{"--dir", m_demo};
    QCOMPARE(quorvan(month("01/01/2001", "31/01/2001") + dir + QStringList{"--rpt", slip("2001-01 MOREAU.rpt")})
                 .exitCode,
             0);
    if (folder == "conflict")
        QVERIFY(QFile::copy(slip("2001-01 MOREAU.rpt"), slip("copie.rpt")));
    if (folder == "changed") {
        QFile file(slip("2001-01 MOREAU.rpt"));
        QVERIFY(file.open(QIODevice::Append));
        file.write(" ");
    }
    if (folder == "newer") {
        // The history is a SQLite file: a later schema number is a newer program's.
        QFile history(slip(QString::fromLatin1(PayHistory::FileName)));
        QVERIFY(history.open(QIODevice::ReadWrite));
        QVERIFY(history.seek(60)); // the header's user version, big-endian
        history.write(QByteArray("\x00\x00\x00\x09", 4));
    }
    const Run run = quorvan(arguments + dir + QStringList{"--carry-over"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

void TestCarryOverCli::noPreviousSlipComputesWithEmptyFigures()
{
    const Run run = quorvan(month("01/01/2001", "31/01/2001") + QStringList{"--dir", m_demo, "--carry-over", "--json"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringLiteral("Aucune fiche de paie enregistrée de ce salarié ne se termine avant le "
                                     "01/01/2001.\n"));
    const QJsonObject sheet = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(sheet.value("previous_cumulative_gross").toString(), QStringLiteral("0"));
    QCOMPARE(sheet.value("cumulative_gross").toString(), sheet.value("gross_pay").toString());
}

void TestCarryOverCli::slipSavedElsewhereIsNotInTheHistory()
{
    const Run run = quorvan(month("01/01/2001", "31/01/2001")
                            + QStringList{"--dir", m_demo, "--rpt", m_dir->filePath("ailleurs.rpt")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains(QStringLiteral("est enregistrée hors du dossier de travail : l’historique des paies "
                                            "ne la compte pas.")));
    QVERIFY(!QFile::exists(slip(QString::fromLatin1(PayHistory::FileName))));
}

// Two programs saving in the same folder at once: both slips are there and
// both have their history row.
void TestCarryOverCli::twoProgramsSavingAtOnceLoseNoRow()
{
    QList<QProcess *> running;
    for (int i = 1; i <= 4; ++i) {
        const QString first = QStringLiteral("01/%1/2001").arg(i, 2, 10, QLatin1Char('0'));
        const QString last = QStringLiteral("28/%1/2001").arg(i, 2, 10, QLatin1Char('0'));
        running << start(month(first, last)
                         + QStringList{"--dir", m_demo, "--rpt", slip(QStringLiteral("2001-%1 MOREAU.rpt").arg(i))});
    }
    for (QProcess *process : running) {
        QVERIFY(process->waitForFinished(60000));
        QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
        delete process;
    }
    const PayHistory::Opening history = PayHistory::open(m_demo);
    QVERIFY(history.history);
    QCOMPARE(history.history->slips().size(), 4);
    QCOMPARE(history.history->carryOver(Smic, {2001, 5, 1}).source->fileName, QStringLiteral("2001-4 MOREAU.rpt"));
}

void TestCarryOverCli::helpNamesTheOption()
{
    const Run run = quorvan({"--help"});
    QVERIFY(run.out.contains(QStringLiteral("--carry-over")));
    QVERIFY(run.out.contains(QStringLiteral("comme « Reprendre la dernière fiche »")));
}

QTEST_GUILESS_MAIN(TestCarryOverCli)
#include "tst_carryovercli.moc"
