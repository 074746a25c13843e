#include "calculatorscreen.h"
#include "database.h"
#include "employeelistscreen.h"
#include "employeescreen.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "photopicker.h"
#include "printerchoice.h"
#include "recordview.h"
#include "schema.h"
#include "screencatalog.h"
#include "screennames.h"
#include "screenregistry.h"
#include "toolstestsupport.h"

#include <QBuffer>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The tools as the program puts them together: the list sends an employee
// to the employee screen, the calculator feeds its active editor, the photo
// picker hands the chosen photo back.
class TestToolsWiring : public QObject
{
    Q_OBJECT

    struct Program
    {
        ScreenRegistry registry;
        HelpSystem help;
        PrinterChoice printers;
        MainWindow window{registry, help, printers};

        Program()
        {
            ScreenCatalog::registerScreens(registry);
            ScreenCatalog::wire(window, registry);
        }

        // Shows a screen and waits until the platform has made it the active window.
        template<class T> T *show(const QString &name)
        {
            QWidget *screen = registry.show(name);
            if (!QTest::qWaitForWindowActive(screen))
                qWarning("%s was not activated", qPrintable(name));
            return qobject_cast<T *>(screen);
        }
    };

    static void addEmployees(const QStringList &surnames)
    {
        StoreError error;
        RecordView view(Database::open(QStringLiteral("."), Schema::mainDatabase(), &error),
                        QStringLiteral("SALARIE"));
        for (const QString &surname : surnames) {
            QVERIFY(!view.addNew());
            view.setFieldText(QStringLiteral("NOM"), surname);
            view.setFieldText(QStringLiteral("PRENOM"), QStringLiteral("JEAN"));
            view.setFieldText(QStringLiteral("IDENTIFICATION"), surname + QStringLiteral(" , JEAN"));
            QVERIFY(!view.writeCurrent());
        }
    }

    template<class T> static T *control(QWidget *screen, const char *name)
    {
        auto *found = screen->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    static void click(QWidget *screen, const char *name)
    {
        QTest::mouseClick(control<QAbstractButton>(screen, name), Qt::LeftButton);
    }

    static void doubleClick(QWidget *widget)
    {
        const QPoint middle = widget->rect().center();
        QTest::mousePress(widget, Qt::LeftButton, {}, middle);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, middle);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, middle);
    }

private slots:
    void listSendsTheChosenEmployee()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN", "LEROY", "DUBOIS"});
        Program program;
        auto *employee = program.show<EmployeeScreen>(ScreenName::Employee);
        QVERIFY(employee);
        QCOMPARE(employee->keyText(), QStringLiteral("MARTIN , JEAN"));

        QPointer<EmployeeListScreen> list = program.show<EmployeeListScreen>(ScreenName::EmployeeList);
        QVERIFY(list);
        auto *names = control<QListWidget>(list, "List1");
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualItemRect(names->item(2)).center());
        click(list, "Command1");
        QVERIFY(list->sendRequested());
        // "Envoi" brings the employee screen forward; its activation reads the request.
        QTRY_VERIFY(employee->isActiveWindow());
        QTRY_VERIFY(list.isNull());
        QCOMPARE(employee->keyText(), QStringLiteral("DUBOIS , JEAN"));
    }

    // During a modification the list says why it cannot send and stays; the
    // employee screen keeps its record and what was typed on it.
    void listRefusesToSendDuringAnEdit()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN", "LEROY", "DUBOIS"});
        Program program;
        auto *employee = program.show<EmployeeScreen>(ScreenName::Employee);
        click(employee, "Modifier");
        auto *town = control<QLineEdit>(employee, "Text1_6");
        QTest::mouseClick(town, Qt::LeftButton);
        QTest::keyClicks(control<QLineEdit>(employee, "TxtMove"), QStringLiteral("nantes"));

        QPointer<EmployeeListScreen> list = program.show<EmployeeListScreen>(ScreenName::EmployeeList);
        auto *names = control<QListWidget>(list, "List1");
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualItemRect(names->item(2)).center());
        ToolsTest::ModalBox box;
        box.expect();
        click(list, "Command1");
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("La fiche de MARTIN JEAN est en cours de modification : appuyez sur "
                                          "« Valider » ou « Annuler » sur la fiche salarié avant d’en afficher "
                                          "un autre."));
        QVERIFY(list);
        QVERIFY(!list->sendRequested());
        QVERIFY(employee->isEditing());
        QCOMPARE(employee->keyText(), QStringLiteral("MARTIN , JEAN"));
        QCOMPARE(town->text(), QStringLiteral("nantes"));
    }

    // The picker serves the edit that opened it: "Annuler" closes it.
    void pickerGoesWithItsEdit()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN", "LEROY"});
        Program program;
        auto *employee = program.show<EmployeeScreen>(ScreenName::Employee);
        click(employee, "Modifier");
        doubleClick(control<QWidget>(employee, "Image1"));
        QPointer<PhotoPicker> picker = program.registry.find<PhotoPicker>(ScreenName::Photo);
        QVERIFY(picker);
        QVERIFY(picker->isVisible());
        // The question, then « Modification annuler ».
        QTimer answers;
        QObject::connect(&answers, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes) : box->button(QMessageBox::Ok))->click();
        });
        answers.start(5);
        click(employee, "Annuler");
        QVERIFY(!employee->isEditing());
        QTRY_VERIFY(picker.isNull());
    }

    void calculatorFeedsTheRatesEditor()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN"});
        Program program;
        auto *employee = program.show<EmployeeScreen>(ScreenName::Employee);
        click(employee, "Modifier");
        QTest::keyClick(employee, Qt::Key_F3);
        auto *picture = control<QToolButton>(employee, "PicCal1");
        QTRY_VERIFY(picture->isVisible());
        click(employee, "PicCal1");

        QPointer<CalculatorScreen> calculator = program.registry.find<CalculatorScreen>(ScreenName::Calculator);
        QVERIFY(calculator);
        QCOMPARE(control<QPushButton>(calculator, "Command1")->text(), QStringLiteral("Valider"));
        for (const char *key : {"Number_1", "Number_2", "Operator_1", "Number_3"})
            click(calculator, key);
        QTest::keyClick(calculator, Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(employee, "txtmove1")->text(), QStringLiteral("15,0"));
        QTRY_VERIFY(calculator.isNull());
    }

    void calculatorWithoutTheEmployeeScreenOnlyCloses()
    {
        ToolsTest::WorkingDirectory dir;
        Program program;
        QPointer<CalculatorScreen> calculator = program.show<CalculatorScreen>(ScreenName::Calculator);
        click(calculator, "Number_4");
        click(calculator, "Command1");
        QTRY_VERIFY(calculator.isNull());
        QVERIFY(!program.registry.find(ScreenName::Employee));
    }

    void pickerHandsThePhotoBackAndComesBackAsLeft()
    {
        ToolsTest::WorkingDirectory dir;
        addEmployees({"MARTIN"});
        Program program;
        auto *employee = program.show<EmployeeScreen>(ScreenName::Employee);
        click(employee, "Modifier");
        doubleClick(control<QWidget>(employee, "Image1"));
        QPointer<PhotoPicker> picker = program.registry.find<PhotoPicker>(ScreenName::Photo);
        QVERIFY(picker);
        QVERIFY(picker->isVisible());
        QVERIFY(picker->preview().isNull());

        // Put aside, then asked for again: back as it was left.
        QImage red(30, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            red.save(&buffer, "PNG");
        }
        picker->setPhoto(png);
        picker->setWindowState(Qt::WindowMinimized);
        doubleClick(control<QWidget>(employee, "Image1"));
        QCOMPARE(program.registry.find<PhotoPicker>(ScreenName::Photo), picker.data());
        QVERIFY(!picker->isMinimized());
        QVERIFY(!picker->preview().isNull());

        click(picker, "Command1");
        QTRY_VERIFY(picker.isNull());
        const QImage stored = QImage::fromData(employee->photoData(), "PNG");
        QCOMPARE(stored.pixelColor(15, 20), QColor(Qt::red));
    }
};

QTEST_MAIN(TestToolsWiring)
#include "tst_toolswiring.moc"
