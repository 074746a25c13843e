#include "payslipfilename.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The names a clerk may give a saved pay slip, and the archive's reading of
// the working directory.
class TestPayslipFileName : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void extensionAlwaysAppended_data();
    void extensionAlwaysAppended();
    void savedPayslipsAreTheRptFiles();
};

void TestPayslipFileName::accepted_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty: the dialog just waits") << "";
    QTest::newRow("plain") << "janvier";
    QTest::newRow("accents and spaces") << "Février 2001 MOREAU";
    QTest::newRow("apostrophe") << "fiche d'août";
    QTest::newRow("already .rpt") << "janvier.rpt";
    QTest::newRow("dots inside") << "mars...2001";
    QTest::newRow("dot at the end") << "mars.";
    QTest::newRow("dash and parenthesis") << "mars-2001 (bis)";
}

void TestPayslipFileName::accepted()
{
    QFETCH(QString, name);
    QCOMPARE(PayslipFileName::refusal(name), QString());
}

void TestPayslipFileName::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("saying");
    const QString slash = "contient une barre oblique (/ ou \\) : une fiche de paie s'enregistre dans le "
                          "dossier de travail, tapez un nom sans dossier.";
    QTest::newRow("slash") << "2001/janvier" << "Le nom « 2001/janvier » " + slash;
    QTest::newRow("backslash") << "2001\\janvier" << "Le nom « 2001\\janvier » " + slash;
    QTest::newRow("parent folder") << "../janvier" << "Le nom « ../janvier » " + slash;
    QTest::newRow("absolute") << "/tmp/janvier" << "Le nom « /tmp/janvier » " + slash;
    QTest::newRow("dot") << "." << "Le nom « . » désigne un dossier : tapez un autre nom pour la fiche de paie.";
    QTest::newRow("dot dot") << ".." << "Le nom « .. » désigne un dossier : tapez un autre nom pour la fiche de paie.";
    const QString hidden = " » commence par un point : la fiche de paie serait un fichier caché, absent de la "
                           "liste des fiches de paie. Tapez un nom qui ne commence pas par un point.";
    QTest::newRow("leading dot") << ".mars" << "Le nom « .mars" + hidden;
    QTest::newRow("leading dots") << "...mars" << "Le nom « ...mars" + hidden;
    QTest::newRow("dot and extension") << ".rpt" << "Le nom « .rpt" + hidden;
    QTest::newRow("spaces only") << "   " << "Le nom de la fiche de paie ne contient que des espaces : tapez un nom.";
    const QString forbidden = " », refusé dans un nom de fichier. Les caractères / \\ : * ? \" < > | ne sont "
                              "pas admis.";
    QTest::newRow("colon") << "mars:2001" << "Le nom « mars:2001 » contient le caractère « :" + forbidden;
    QTest::newRow("star") << "mars*" << "Le nom « mars* » contient le caractère « *" + forbidden;
    QTest::newRow("question mark") << "mars?" << "Le nom « mars? » contient le caractère « ?" + forbidden;
    QTest::newRow("double quote") << "\"mars\"" << "Le nom « \"mars\" » contient le caractère « \"" + forbidden;
    QTest::newRow("less than") << "a<b" << "Le nom « a<b » contient le caractère « <" + forbidden;
    QTest::newRow("greater than") << "a>b" << "Le nom « a>b » contient le caractère « >" + forbidden;
    QTest::newRow("bar") << "a|b" << "Le nom « a|b » contient le caractère « |" + forbidden;
    const QString control = "Le nom de la fiche de paie contient un caractère de contrôle (tabulation ou "
                            "autre caractère invisible) : retapez-le.";
    QTest::newRow("tab") << "mars\t2001" << control;
    QTest::newRow("new line") << "mars\n" << control;
    QTest::newRow("delete") << QString("mars") + QChar(0x7f) << control;
}

void TestPayslipFileName::refused()
{
    QFETCH(QString, name);
    QFETCH(QString, saying);
    QCOMPARE(PayslipFileName::refusal(name), saying);
}

void TestPayslipFileName::extensionAlwaysAppended_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "janvier" << "janvier.rpt";
    QTest::newRow("already .rpt") << "janvier.rpt" << "janvier.rpt.rpt";
    QTest::newRow("upper case .RPT") << "janvier.RPT" << "janvier.RPT.rpt";
    QTest::newRow("spaces kept") << " mars " << " mars .rpt";
}

void TestPayslipFileName::extensionAlwaysAppended()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QCOMPARE(PayslipFileName::fileName(name), file);
}

void TestPayslipFileName::savedPayslipsAreTheRptFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"mars.rpt", "Avril.rpt", "janvier.rpt", "rkv.rpl", "notes.txt", "fiche.rpt.bak"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir("dossier.rpt"));
    QCOMPARE(PayslipFileName::savedPayslips(QDir(dir.path())),
             QStringList({"Avril.rpt", "janvier.rpt", "mars.rpt"}));
}

QTEST_GUILESS_MAIN(TestPayslipFileName)
#include "tst_payslipfilename.moc"
