#include "errordialog.h"
#include "messagebox.h"
#include "screenregistry.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The registry, the error dialog and the message-box styles.
class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void registryCreatesAScreenOnceAndForgetsItWhenDestroyed()
    {
        ScreenRegistry registry;
        int created = 0;
        registry.registerScreen(QStringLiteral("A"), [&created] {
            ++created;
            return new QWidget;
        });
        QWidget *loaded = registry.load(QStringLiteral("A"));
        QVERIFY(loaded);
        QVERIFY(!loaded->isVisible());
        QCOMPARE(registry.show(QStringLiteral("A")), loaded);
        QVERIFY(loaded->isVisible());
        QCOMPARE(created, 1);

        delete loaded;
        QCOMPARE(registry.find(QStringLiteral("A")), nullptr);
        QVERIFY(registry.load(QStringLiteral("A")) != nullptr);
        QCOMPARE(created, 2);
        QCOMPARE(registry.load(QStringLiteral("unknown")), nullptr);
    }

    void registryClosesEveryScreenWithoutClosingSteps()
    {
        ScreenRegistry registry;
        registry.registerScreen(QStringLiteral("A"), [] { return new QWidget; });
        QPointer<QWidget> screen = registry.show(QStringLiteral("A"));
        registry.closeAll();
        QVERIFY(screen.isNull());
    }

    void secondErrorReplacesTheFirst()
    {
        ErrorDialog *first = ErrorDialog::report(QStringLiteral("Premier"), QStringLiteral("Un"));
        ErrorDialog *second = ErrorDialog::report(QStringLiteral("Second"), QStringLiteral("Deux"));
        QCOMPARE(first, second);
        QCOMPARE(second->windowTitle(), QStringLiteral("Second"));
        QCOMPARE(second->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Deux"));
        QVERIFY(second->isVisible());
        QVERIFY(!second->isModal());

        QTest::mouseClick(second->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        QTRY_VERIFY(ErrorDialog::current() == nullptr);
    }

    // A message to be read before the caller goes on: the same single
    // dialog, taken over when open, modal until its "OK"; the dialog after
    // it is modeless again.
    void acknowledgedErrorWaitsForItsOk_data()
    {
        QTest::addColumn<bool>("alreadyOpen");
        QTest::newRow("no dialog open") << false;
        QTest::newRow("dialog open with another message") << true;
    }

    void acknowledgedErrorWaitsForItsOk()
    {
        QFETCH(bool, alreadyOpen);
        QPointer<ErrorDialog> before;
        if (alreadyOpen)
            before = ErrorDialog::report(QStringLiteral("Avant"), QStringLiteral("Rien"));

        TestSupport::ModalDialog answer;
        QPointer<ErrorDialog> shown;
        bool modal = false;
        answer.whileShown = [&shown, &modal, &before] {
            shown = ErrorDialog::current();
            modal = shown && QApplication::activeModalWidget() == shown.data();
            // An open dialog is taken over, not doubled.
            if (before)
                QCOMPARE(shown.data(), before.data());
        };
        answer.expect();
        ErrorDialog::acknowledge(QStringLiteral("Premier"), QStringLiteral("À lire d'abord"));

        QVERIFY(answer.seen);
        QVERIFY(modal);
        QCOMPARE(answer.title, QStringLiteral("Premier"));
        QCOMPARE(answer.text, QStringLiteral("À lire d'abord"));
        QVERIFY2(shown.isNull(), "the acknowledged dialog is gone once the caller goes on");
        QVERIFY(before.isNull());
        QCOMPARE(ErrorDialog::current(), nullptr);

        ErrorDialog *after = ErrorDialog::report(QStringLiteral("Second"), QStringLiteral("Deux"));
        QVERIFY(after->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        delete after;
    }

    void messageBoxStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("yesNo");
        QTest::addColumn<bool>("noByDefault");
        QTest::newRow("48") << 48 << int(QMessageBox::Warning) << false << false;
        QTest::newRow("16") << 16 << int(QMessageBox::Critical) << false << false;
        QTest::newRow("64") << 64 << int(QMessageBox::Information) << false << false;
        QTest::newRow("32") << 32 << int(QMessageBox::Question) << false << false;
        QTest::newRow("0") << 0 << int(QMessageBox::NoIcon) << false << false;
        QTest::newRow("68") << 68 << int(QMessageBox::Information) << true << false;
        QTest::newRow("324") << 324 << int(QMessageBox::Information) << true << true;
        QTest::newRow("276") << 276 << int(QMessageBox::Critical) << true << true;
    }

    void messageBoxStyles()
    {
        QFETCH(int, style);
        QFETCH(int, icon);
        QFETCH(bool, yesNo);
        QFETCH(bool, noByDefault);

        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("Titre"));
            QCOMPARE(box->text(), QStringLiteral("Texte"));
            QCOMPARE(int(box->icon()), icon);
            QCOMPARE(box->button(QMessageBox::Yes) != nullptr, yesNo);
            if (yesNo)
                QCOMPARE(box->defaultButton(), box->button(noByDefault ? QMessageBox::No : QMessageBox::Yes));
            checked = true;
            box->defaultButton() ? box->defaultButton()->click() : box->button(QMessageBox::Ok)->click();
        });
        const int answer = MessageBox::show(nullptr, QStringLiteral("Texte"), style, QStringLiteral("Titre"));
        QVERIFY(checked);
        QCOMPARE(answer, !yesNo ? MessageBox::Ok : (noByDefault ? MessageBox::No : MessageBox::Yes));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
