#include "aboutbox.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>

// The about box and its system information.
class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void showsNameVersionAndPurpose()
    {
        AboutBox box;
        QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Quorvan"));
        QVERIFY(box.findChild<QLabel *>(QStringLiteral("lblVersion"))->text().contains(QStringLiteral("1.0")));
        QVERIFY(!box.findChild<QLabel *>(QStringLiteral("lblDescription"))->text().isEmpty());
        QVERIFY(!box.findChild<QLabel *>(QStringLiteral("picIcon"))->pixmap().isNull());
        QVERIFY(!box.isModal());
    }

    void systemInformationListsTheMachine()
    {
        const QString text = AboutBox::systemInformation();
        QVERIFY(text.contains(QSysInfo::prettyProductName()));
        QVERIFY(text.contains(QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()));
        QVERIFY(text.contains(QSysInfo::currentCpuArchitecture()));
        QVERIFY(text.contains(QString::fromLatin1(qVersion())));
    }

    void buttonOpensTheInformationWithoutBlocking()
    {
        QPointer<AboutBox> box = new AboutBox;
        box->show();
        auto *button = box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
        QCOMPARE(button->text(), QStringLiteral("Informations système..."));
        QTest::mouseClick(button, Qt::LeftButton);
        QDialog *information = box->systemInformationWindow();
        QVERIFY(information);
        QVERIFY(information->isVisible());
        QVERIFY(!information->isModal());
        QCOMPARE(information->findChild<QLabel *>(QStringLiteral("lblSystem"))->text(),
                 AboutBox::systemInformation());
        // A second click brings the same window back rather than a new one.
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(box->systemInformationWindow(), information);

        QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!box->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull());
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
