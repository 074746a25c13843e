#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// The files the desktop and the package read, checked against the program
// they describe: the desktop entry and the metainfo name the program, its
// icon and its version; the man page describes every command and option that
// `quorvan --help` lists; an install puts exactly these files in place, and
// the installed program needs no test library.
class TestInstallFiles : public QObject
{
    Q_OBJECT

private slots:
    void desktopEntry();
    void metainfo();
    void manPageDescribesTheHelp_data();
    void manPageDescribesTheHelp();
    void installTree();

private:
    static QString readText(const QString &path);
};

namespace {

const QString Id = QStringLiteral(QUORVAN_APPLICATION_ID);

// The keys of the [Desktop Entry] group, as the desktop reads them.
QHash<QString, QString> desktopKeys(const QString &text)
{
    QHash<QString, QString> keys;
    bool inEntry = false;
    for (const QString &line : text.split(u'\n')) {
        if (line.startsWith(u'['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.contains(u'='))
            keys.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    return keys;
}

// A man page's words as they print: "\-" is a hyphen.
QString printedWords(const QString &roff)
{
    return QString(roff).replace(QLatin1String("\\-"), QLatin1String("-"));
}

QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        qFatal("%s did not finish", qPrintable(program));
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

} // namespace

QString TestInstallFiles::readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

void TestInstallFiles::desktopEntry()
{
    const QHash<QString, QString> keys = desktopKeys(readText(QStringLiteral(DESKTOP_ENTRY)));
    QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(keys.value(QStringLiteral("Name")), QStringLiteral("Quorvan"));
    QCOMPARE(keys.value(QStringLiteral("Icon")), Id);
    QCOMPARE(keys.value(QStringLiteral("Categories")), QStringLiteral("Office;Finance;"));
    // The launcher runs the installed program by its name, with no argument
    // a start with windows would refuse.
    QCOMPARE(keys.value(QStringLiteral("Exec")), QStringLiteral(QUORVAN_PROGRAM_NAME));
    for (const char *key : {"GenericName", "Comment", "Keywords"})
        QVERIFY2(!keys.value(QLatin1String(key)).isEmpty(), key);
    QVERIFY(keys.value(QStringLiteral("Keywords")).contains(QStringLiteral("paie")));
}

void TestInstallFiles::metainfo()
{
    QXmlStreamReader xml(readText(QStringLiteral(METAINFO)));
    QString id, launchable, binary;
    QStringList releases, nameLanguages, summaryLanguages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
        if (xml.name() == QLatin1String("id"))
            id = xml.readElementText();
        else if (xml.name() == QLatin1String("launchable"))
            launchable = xml.readElementText();
        else if (xml.name() == QLatin1String("binary"))
            binary = xml.readElementText();
        else if (xml.name() == QLatin1String("release"))
            releases << xml.attributes().value(QStringLiteral("version")).toString();
        else if (xml.name() == QLatin1String("name"))
            nameLanguages << language;
        else if (xml.name() == QLatin1String("summary"))
            summaryLanguages << language;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, Id);
    QCOMPARE(launchable, Id + QStringLiteral(".desktop"));
    QCOMPARE(binary, QStringLiteral(QUORVAN_PROGRAM_NAME));
    // The newest release, first, is the version the program says.
    QVERIFY(!releases.isEmpty());
    QCOMPARE(releases.constFirst(), QStringLiteral(QUORVAN_PROJECT_VERSION));
    QCOMPARE(run(QStringLiteral(QUORVAN_EXECUTABLE), {QStringLiteral("--version")}),
             QStringLiteral("Quorvan %1\n").arg(QStringLiteral(QUORVAN_PROJECT_VERSION)));
    for (const QStringList &languages : {nameLanguages, summaryLanguages}) {
        QVERIFY(languages.contains(QString()));
        QVERIFY(languages.contains(QStringLiteral("fr")));
    }
}

// One row per command and per option of the help: a command or an option
// added to the program without a word in the man page fails here.
void TestInstallFiles::manPageDescribesTheHelp_data()
{
    QTest::addColumn<QString>("word");
    int exitCode = -1;
    const QString help = run(QStringLiteral(QUORVAN_EXECUTABLE), {QStringLiteral("--help")}, &exitCode);
    QCOMPARE(exitCode, 0);
    QStringList words;
    static const QRegularExpression command(QStringLiteral("^  quorvan ([a-z]+)"),
                                            QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &match : command.globalMatch(help))
        words << QStringLiteral("quorvan ") + match.captured(1);
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*[a-z]"));
    for (const QRegularExpressionMatch &match : option.globalMatch(help))
        words << match.captured(0);
    words.removeDuplicates();
    QVERIFY(words.contains(QStringLiteral("quorvan demo")));
    QVERIFY(words.contains(QStringLiteral("--version")));
    for (const QString &word : std::as_const(words))
        QTest::newRow(qPrintable(word)) << word;
}

void TestInstallFiles::manPageDescribesTheHelp()
{
    QFETCH(QString, word);
    // In the page's source, a command reads « quorvan demo » or
    // « "quorvan demo " ».
    const QString page = printedWords(readText(QStringLiteral(MAN_PAGE))).remove(u'"');
    QVERIFY2(page.contains(word), qPrintable(QStringLiteral("« %1 » manque à la page de manuel").arg(word)));
}

void TestInstallFiles::installTree()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    int exitCode = -1;
    // Every install rule is of the default component; naming it keeps the
    // build folder's list of a real install (install_manifest.txt) as it is.
    const QString output = run(QStringLiteral(CMAKE_COMMAND),
                               {QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"),
                                prefix.path(), QStringLiteral("--component"), QStringLiteral("Unspecified")},
                               &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(output));

    const QString program = QStringLiteral("bin/") + QStringLiteral(QUORVAN_PROGRAM_NAME);
    QStringList expected = {program,
                            QStringLiteral("share/applications/%1.desktop").arg(Id),
                            QStringLiteral("share/metainfo/%1.metainfo.xml").arg(Id),
                            QStringLiteral("share/man/man1/quorvan.1.gz"),
                            QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(Id)};
    const QList<int> sizes = {16, 32, 48, 64, 128, 256};
    for (int size : sizes)
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(QString::number(size), Id);
    QStringList installed;
    QDirIterator files(prefix.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        installed << QDir(prefix.path()).relativeFilePath(files.next());
    installed.sort();
    expected.sort();
    // Exactly these: neither the screenshot tour nor a test is installed.
    QCOMPARE(installed, expected);

    const QDir root(prefix.path());
    QVERIFY(QFileInfo(root.filePath(program)).isExecutable());
    for (int size : sizes) {
        const QImage icon(root.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png")
                                            .arg(QString::number(size), Id)));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }
    QFile manPage(root.filePath(QStringLiteral("share/man/man1/quorvan.1.gz")));
    QVERIFY(manPage.open(QIODevice::ReadOnly));
    QCOMPARE(manPage.read(2), QByteArray("\x1f\x8b")); // gzip

    // The shipped program runs without the test library.
    const QString libraries = run(QStringLiteral("ldd"), {root.filePath(program)}, &exitCode);
    QCOMPARE(exitCode, 0);
    QVERIFY(libraries.contains(QLatin1String("libQt6Widgets")));
    QVERIFY2(!libraries.contains(QLatin1String("libQt6Test")), qPrintable(libraries));
}

QTEST_GUILESS_MAIN(TestInstallFiles)
#include "tst_installfiles.moc"
