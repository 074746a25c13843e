#include "employeescreen.h"
#include "employeetestsupport.h"

#include "floatingeditor.h"
#include "frenchlocale.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace EmployeeTest;

// The employee screen driven through its controls: the edit cycle, the
// normalisations, the navigation, the search, the editors and the cues.
class TestEmployeeScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void grabEachTab();

private:
    void open()
    {
        m_screen = new EmployeeScreen;
        m_screen->show();
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
    }
    template<class T = QWidget> T *child(const QString &name) const
    {
        return m_screen->findChild<T *>(name);
    }
    QLineEdit *identity(int i) const { return child<QLineEdit>(QString("Text1_%1").arg(i)); }
    QLineEdit *rate(int i) const { return child<QLineEdit>(QString("TauxCot_%1").arg(i)); }
    QLineEdit *base(int i) const { return child<QLineEdit>(QString("base_%1").arg(i)); }
    FloatingEditor *editor(const char *name) const { return child<FloatingEditor>(name); }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    QString position() const { return child<QLabel>("Label24")->text(); }
    void click(const QString &name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Gives the field the focus by a click and types through the editor.
    void typeInto(QLineEdit *field, FloatingEditor *over, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QVERIFY(over->liesOver(field));
        over->selectAll();
        QTest::keyClick(over, Qt::Key_Backspace);
        QTest::keyClicks(over, text);
    }

    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<Boxes> m_boxes;
    QPointer<EmployeeScreen> m_screen;
};

void TestEmployeeScreen::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<Boxes>();
}

void TestEmployeeScreen::cleanup()
{
    delete m_screen;
    m_boxes.reset();
    m_dir.reset();
}

void TestEmployeeScreen::grabEachTab()
{
    store({employee("DUPONT", "MARIE"), employee("DE L’ORME", "JEAN")});
    open();
    const QString out = qEnvironmentVariable("EMPLOYEE_SCREENSHOTS", "/tmp");
    m_screen->grab().save(out + "/fiche-salarie.png");
    QTest::keyClick(m_screen, Qt::Key_F3);
    m_screen->grab().save(out + "/fiche-taux.png");
    QTest::keyClick(m_screen, Qt::Key_F4);
    m_screen->grab().save(out + "/fiche-base.png");
}

QTEST_MAIN(TestEmployeeScreen)
#include "tst_employeescreen.moc"
