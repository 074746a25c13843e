#include "helpcontext.h"
#include "helpsystem.h"
#include "helpviewer.h"
#include "screenregistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

namespace {

QByteArray deliveredHelp()
{
    QFile file(QStringLiteral(":/help/helvane.hlp"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QWidget *screenWithContext(int context, bool designates)
{
    auto *screen = new QWidget;
    HelpContext::set(screen, context, designates);
    return screen;
}

void activate(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

// The help file in the working directory, F1 on the screens and the viewer.
class TestHelpSystem : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_previous;

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
    }

    void cleanup()
    {
        QDir::setCurrent(m_previous);
        delete m_dir;
    }

    void deliveredFileIsWrittenOnceAndNeverOverwritten()
    {
        QVERIFY(!deliveredHelp().isEmpty());
        QCOMPARE(HelpSystem::helpFilePath(), QString());
        HelpSystem::ensureHelpFile();
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("helvane.hlp"));
        QCOMPARE(HelpSystem::helpFilePath(), path);
        QCOMPARE(contentOf(path), deliveredHelp());

        writeFile(path, "<p>notre aide</p>");
        HelpSystem::ensureHelpFile();
        QCOMPARE(contentOf(path), QByteArray("<p>notre aide</p>"));
    }

    void anyCaseOfTheNameResolves()
    {
        writeFile(QStringLiteral("HELVANE.hlp"), "<p>en capitales</p>");
        QCOMPARE(HelpSystem::helpFilePath(),
                 QDir::current().absoluteFilePath(QStringLiteral("HELVANE.hlp")));
        HelpSystem::ensureHelpFile();
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{QStringLiteral("HELVANE.hlp")});
    }

    void everyContextHasItsTopic_data()
    {
        QTest::addColumn<int>("context");
        for (int context : {HelpContext::Contents, HelpContext::Photo, HelpContext::Employee,
                            HelpContext::Parameters, HelpContext::EmployeeList,
                            HelpContext::Converter, HelpContext::EuroRate,
                            HelpContext::PayslipArchive, HelpContext::Preparation,
                            HelpContext::Employer})
            QTest::addRow("topic %d", context) << context;
    }

    void everyContextHasItsTopic()
    {
        QFETCH(int, context);
        HelpSystem help;
        help.openTopic(context);
        QVERIFY(help.viewer());
        QCOMPARE(help.viewer()->currentAnchor(), QStringLiteral("topic-%1").arg(context));
        // The contents list points at the topic shown.
        auto *contents = help.viewer()->findChild<QListWidget *>(QStringLiteral("helpContents"));
        QVERIFY(contents->currentItem());
        QCOMPARE(contents->currentItem()->data(Qt::UserRole).toString(),
                 QStringLiteral("topic-%1").arg(context));
    }

    void mainWindowHasItsTopic()
    {
        HelpSystem::ensureHelpFile();
        HelpViewer viewer;
        QVERIFY(viewer.setHelpFile(HelpSystem::helpFilePath()));
        QVERIFY(viewer.hasAnchor(QStringLiteral("main-window")));
        // A number the file does not know falls back on the contents.
        viewer.showTopic(99);
        QCOMPARE(viewer.currentAnchor(), QStringLiteral("topic-0"));
    }

    void f1OpensNothingBeforeDesignation()
    {
        ScreenRegistry registry;
        registry.registerScreen(QStringLiteral("convert"),
                                [] { return screenWithContext(HelpContext::Converter, false); });
        HelpSystem help;
        help.attach(registry);

        QWidget *converter = registry.show(QStringLiteral("convert"));
        activate(converter);
        QTest::keyClick(converter, Qt::Key_F1);
        QVERIFY(!help.isDesignated());
        QVERIFY(!help.viewer());
    }

    void f1OpensTheActiveScreensTopicOnceDesignated()
    {
        ScreenRegistry registry;
        registry.registerScreen(QStringLiteral("convert"),
                                [] { return screenWithContext(HelpContext::Converter, false); });
        registry.registerScreen(QStringLiteral("PARAM"),
                                [] { return screenWithContext(HelpContext::Parameters, true); });
        HelpSystem help;
        help.attach(registry);

        // Loaded without being shown is enough, as when another screen reads it.
        registry.load(QStringLiteral("PARAM"));
        QVERIFY(help.isDesignated());

        QWidget *converter = registry.show(QStringLiteral("convert"));
        activate(converter);
        QTest::keyClick(converter, Qt::Key_F1);
        QVERIFY(help.viewer());
        QVERIFY(help.viewer()->isVisible());
        QCOMPARE(help.viewer()->windowTitle(), QStringLiteral("Aide de Quorvan"));
        QCOMPARE(help.viewer()->currentAnchor(), QStringLiteral("topic-5"));

        QWidget *parameters = registry.show(QStringLiteral("PARAM"));
        activate(parameters);
        QTest::keyClick(parameters, Qt::Key_F1);
        QCOMPARE(help.viewer()->currentAnchor(), QStringLiteral("topic-3"));
    }

    void otherKeysAndWindowsWithoutTopicPassThrough()
    {
        HelpSystem help;
        ScreenRegistry registry;
        help.attach(registry);
        help.designate();
        QWidget plain;
        activate(&plain);
        QTest::keyClick(&plain, Qt::Key_F1);
        QVERIFY(!help.viewer());
        QWidget *screen = screenWithContext(HelpContext::Employee, false);
        activate(screen);
        QTest::keyClick(screen, Qt::Key_F2);
        QVERIFY(!help.viewer());
        delete screen;
    }

    void contentsOpenAlwaysWithTheTopicList()
    {
        HelpSystem help;
        QVERIFY(!help.isDesignated());
        help.openContents();
        HelpViewer *viewer = help.viewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-0"));
        QVERIFY(QFile::exists(QStringLiteral("helvane.hlp")));

        auto *contents = viewer->findChild<QListWidget *>(QStringLiteral("helpContents"));
        QVERIFY(contents->count() >= 12);
        QCOMPARE(contents->currentItem()->text(), QStringLiteral("Sommaire"));
        const QList<QListWidgetItem *> converter =
            contents->findItems(QStringLiteral("Le convertisseur francs/euros"), Qt::MatchExactly);
        QCOMPARE(converter.size(), 1);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, Qt::NoModifier,
                          contents->visualItemRect(converter.first()).center());
        QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-5"));
    }

    void backAndForwardRetraceTheTopics()
    {
        HelpSystem help;
        help.openTopic(HelpContext::Converter);
        help.openTopic(HelpContext::Employee);
        HelpViewer *viewer = help.viewer();
        auto *back = viewer->findChild<QToolButton *>(QStringLiteral("helpBack"));
        auto *forward = viewer->findChild<QToolButton *>(QStringLiteral("helpForward"));
        QVERIFY(back->isEnabled());
        QVERIFY(!forward->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-5"));
        QVERIFY(forward->isEnabled());
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-2"));
        QTest::mouseClick(viewer->findChild<QToolButton *>(QStringLiteral("helpHome")),
                          Qt::LeftButton);
        QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-0"));
    }

    void theTextIsFrenchFromUtf8()
    {
        HelpSystem help;
        help.openTopic(HelpContext::EuroRate);
        const QString text =
            help.viewer()->findChild<QTextBrowser *>(QStringLiteral("helpText"))->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Le taux de l'euro")));
        QVERIFY(text.contains(QStringLiteral("Paramètre Général")));
    }

    void anUnreadableFileIsIgnoredSilently()
    {
        // A folder under the file's name: nothing can be written nor read.
        QVERIFY(QDir().mkdir(QStringLiteral("helvane.hlp")));
        HelpSystem help;
        help.openContents();
        help.designate();
        help.openTopic(HelpContext::Converter);
        QVERIFY(!help.viewer());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestHelpSystem)
#include "tst_helpsystem.moc"
