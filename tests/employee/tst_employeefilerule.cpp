#include "calculatorscreen.h"
#include "employeelistscreen.h"
#include "employeescreen.h"
#include "employeetestsupport.h"
#include "floatingeditor.h"
#include "frenchlocale.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "photopicker.h"
#include "printerchoice.h"
#include "screencatalog.h"
#include "screennames.h"
#include "screenregistry.h"

#include "wiredprogram.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace EmployeeTest;

// The rule the clerk relies on, held as a whole: while the employee file is
// only browsed nothing the clerk does stores anything, and during an add or
// a modification nothing reaches the file before « Valider »; « Annuler »
// leaves every record exactly as it was. Each row is a sequence of actions
// on the employee screen and on the windows that write into it (the
// calculator, the employee list, the photo picker, another window turned to
// and away from), run on the program as it is wired; the whole of SALARIE,
// every row and every column, is compared before and after.
class TestEmployeeFileRule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FrenchLocale::install(); }
    void init();
    void cleanup();

    void onlyValiderStores_data();
    void onlyValiderStores();

private:
    using Program = TestSupport::WiredProgram;

    void run(const QString &step);
    void front();
    void click(const QString &name);
    void type(const QString &panel, int index, const QString &text);
    void handToCalculator(const QString &digits);
    void sendFromList(const QString &key);
    void openPicker();
    void keepPickedPhoto();
    void turnAwayAndBack();

    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<Boxes> m_boxes;
    std::unique_ptr<Program> m_program;
    QPointer<EmployeeScreen> m_employee;
};

namespace {

const QString Moreau = "MOREAU , CÉLINE";
const QString Almeida = "D’ALMEIDA , JOSÉ";
const QString Lambert = "LAMBERT , ÉLISE";

QByteArray pictureBytes(Qt::GlobalColor color)
{
    QImage image(6, 8, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Three employees as the screen stores them, the first with a photo.
void storeStaff()
{
    store({employee("MOREAU", "CÉLINE",
                    {{"PHOTO", QString::fromLatin1(pictureBytes(Qt::red))}, {"MDLBAC1", "200,0"},
                     {"PP1", "120,0"}, {"RAPPLS1", "80,0"}, {"Entré le", "VENDREDI 03 AVR. 1998"}}),
           employee("D’ALMEIDA", "JOSÉ", {{"VILLE", "TOURS"}, {"TAUXHORAIRE", "58,5"}}),
           employee("LAMBERT", "ÉLISE", {{"NUMSECU", "2 81 01 75 056 118 78"}, {"TAUXHORAIRE", "85,0"}})});
}

// Every row of SALARIE in record order, each column by name; a blob as hex.
using Table = QList<QMap<QString, QString>>;

Table readTable()
{
    Table rows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2("Bdrk.rkv", &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, * FROM SALARIE ORDER BY rowid", -1, &statement, nullptr);
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        QMap<QString, QString> row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            const QString name = QString::fromUtf8(sqlite3_column_name(statement, c));
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_NULL:
                row.insert(name, "NULL");
                break;
            case SQLITE_BLOB:
                row.insert(name, "x'" + QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, c)),
                                                   sqlite3_column_bytes(statement, c)).toHex() + "'");
                break;
            default:
                row.insert(name, QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
                break;
            }
        }
        rows << row;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

// An expected change: "KEY|COLUMN=value" (the column of that record now
// holds value), "KEY|COLUMN!=" (it holds anything but what it held), or
// "+|COLUMN=value|..." (one record added, holding at least these values).
struct Expected
{
    QMap<QString, QMap<QString, QString>> changed; // key -> column -> value
    QMap<QString, QStringList> differs;            // key -> columns
    QList<QMap<QString, QString>> added;
};

Expected parse(const QStringList &changes)
{
    Expected expected;
    for (const QString &change : changes) {
        QStringList parts = change.split('|');
        const QString key = parts.takeFirst();
        QMap<QString, QString> values;
        for (const QString &part : parts) {
            if (part.endsWith("!="))
                expected.differs[key] << part.chopped(2);
            else
                values.insert(part.section('=', 0, 0), part.section('=', 1));
        }
        if (key == "+")
            expected.added << values;
        else if (!values.isEmpty())
            expected.changed[key].insert(values);
    }
    return expected;
}

// A photo's hex is long: a digest of it tells two pictures apart.
QString shortened(const QString &value)
{
    if (value.size() <= 60)
        return value;
    const QByteArray digest = QCryptographicHash::hash(value.toUtf8(), QCryptographicHash::Md5).toHex();
    return value.left(24) + "… (empreinte " + QString::fromLatin1(digest.left(8)) + ")";
}

// What differs from the expectation, one line per difference; empty when
// the table is exactly as expected.
QStringList differences(const Table &before, const Table &after, const Expected &expected)
{
    QStringList found;
    for (const QMap<QString, QString> &old : before) {
        const QString key = old.value("IDENTIFICATION");
        const auto now = std::find_if(after.begin(), after.end(), [&old](const QMap<QString, QString> &row) {
            return row.value("rowid") == old.value("rowid");
        });
        if (now == after.end()) {
            found << key + " : l’enregistrement a disparu";
            continue;
        }
        for (auto column = old.cbegin(); column != old.cend(); ++column) {
            const QString was = column.value();
            const QString is = now->value(column.key());
            const QMap<QString, QString> changed = expected.changed.value(key);
            if (changed.contains(column.key())) {
                if (is != changed.value(column.key()))
                    found << QString("%1 %2 : « %3 » attendu, « %4 » trouvé")
                                 .arg(key, column.key(), changed.value(column.key()), is);
            } else if (expected.differs.value(key).contains(column.key())) {
                if (is == was)
                    found << QString("%1 %2 : inchangé").arg(key, column.key());
            } else if (is != was) {
                found << QString("%1 %2 : « %3 » devenu « %4 »").arg(key, column.key(), shortened(was), shortened(is));
            }
        }
    }
    const Table added = after.mid(before.size());
    if (added.size() != expected.added.size())
        found << QString("%1 enregistrement(s) ajouté(s), %2 attendu(s)").arg(added.size()).arg(expected.added.size());
    for (int i = 0; i < std::min(added.size(), expected.added.size()); ++i) {
        const QMap<QString, QString> &values = expected.added.at(i);
        for (auto column = values.cbegin(); column != values.cend(); ++column) {
            if (added.at(i).value(column.key()) != column.value())
                found << QString("ajouté %1 : « %2 » attendu, « %3 » trouvé")
                             .arg(column.key(), column.value(), added.at(i).value(column.key()));
        }
    }
    return found;
}

} // namespace

void TestEmployeeFileRule::init()
{
    m_dir = std::make_unique<WorkingDirectory>();
    QVERIFY(m_dir->isValid());
    m_boxes = std::make_unique<Boxes>();
    storeStaff();
    m_program = std::make_unique<Program>();
    m_employee = qobject_cast<EmployeeScreen *>(m_program->registry.show(ScreenName::Employee));
    QVERIFY(m_employee);
    QVERIFY(QTest::qWaitForWindowActive(m_employee));
    for (QTimer *timer : m_employee->findChildren<QTimer *>())
        timer->stop();
}

void TestEmployeeFileRule::cleanup()
{
    m_program.reset();
    flushDeletes();
    m_boxes.reset();
    m_dir.reset();
}

void TestEmployeeFileRule::front()
{
    if (m_employee && !m_employee->isActiveWindow()) {
        m_employee->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_employee));
    }
}

void TestEmployeeFileRule::click(const QString &name)
{
    front();
    QTest::mouseClick(m_employee->findChild<QPushButton *>(name), Qt::LeftButton);
    front();
}

// Through the panel's floating editor, as the clerk types.
void TestEmployeeFileRule::type(const QString &panel, int index, const QString &text)
{
    front();
    const QString field = panel == "identity" ? "Text1_%1" : panel == "rate" ? "TauxCot_%1" : "base_%1";
    const char *editorName = panel == "identity" ? "TxtMove" : panel == "rate" ? "txtmove1" : "Txtmove2";
    auto *target = m_employee->findChild<QLineEdit *>(field.arg(index));
    auto *editor = m_employee->findChild<FloatingEditor *>(editorName);
    QTest::mouseClick(target, Qt::LeftButton);
    QVERIFY(editor->liesOver(target));
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    editor->insert(text);
}

// The calculator from the main menu: digits, then Enter.
void TestEmployeeFileRule::handToCalculator(const QString &digits)
{
    QPointer<CalculatorScreen> calculator =
        qobject_cast<CalculatorScreen *>(m_program->registry.show(ScreenName::Calculator));
    QVERIFY(calculator);
    QVERIFY(QTest::qWaitForWindowActive(calculator));
    for (QChar digit : digits)
        QTest::mouseClick(calculator->findChild<QPushButton *>(QString("Number_%1").arg(digit)), Qt::LeftButton);
    QTest::keyClick(calculator, Qt::Key_Return);
    QTRY_VERIFY(calculator.isNull());
}

// "Liste Salarié": the name clicked, then "Envoi"; the employee screen then
// comes to the front (or the list says why not).
void TestEmployeeFileRule::sendFromList(const QString &key)
{
    auto *list = qobject_cast<EmployeeListScreen *>(m_program->registry.show(ScreenName::EmployeeList));
    QVERIFY(list);
    QVERIFY(QTest::qWaitForWindowActive(list));
    auto *names = list->findChild<QListWidget *>("List1");
    const QList<QListWidgetItem *> items = names->findItems(key, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualItemRect(items.first()).center());
    QTest::mouseClick(list->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTest::qWait(20);
    front();
}

void TestEmployeeFileRule::openPicker()
{
    front();
    QWidget *photo = m_employee->findChild<QWidget *>("Image1");
    const QPoint middle = photo->rect().center();
    QTest::mousePress(photo, Qt::LeftButton, {}, middle);
    QTest::mouseRelease(photo, Qt::LeftButton, {}, middle);
    QTest::mouseDClick(photo, Qt::LeftButton, {}, middle);
}

// The picker as the clerk finds it again, a blue picture previewed, "&Valider";
// nothing to press when it went with the edit that opened it.
void TestEmployeeFileRule::keepPickedPhoto()
{
    QPointer<PhotoPicker> picker = m_program->registry.find<PhotoPicker>(ScreenName::Photo);
    if (!picker)
        return;
    if (picker->isMinimized())
        picker->showNormal();
    picker->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(picker));
    picker->setPhoto(pictureBytes(Qt::blue));
    QTest::mouseClick(picker->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTRY_VERIFY(picker.isNull());
}

void TestEmployeeFileRule::turnAwayAndBack()
{
    QWidget other;
    other.setWindowTitle("autre");
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    front();
}

// One action of a row: a button by its word, a tab key, typing into a
// panel ("identity:6:nantes"), or one of the other windows.
void TestEmployeeFileRule::run(const QString &step)
{
    const QString word = step.section(':', 0, 0);
    const QString argument = step.section(':', 1);
    if (word == "modify")
        click("Modifier");
    else if (word == "add")
        click("Ajouter");
    else if (word == "validate") {
        m_boxes->answer({QMessageBox::Yes});
        click("Valider");
    } else if (word == "cancel") {
        m_boxes->answer({QMessageBox::Yes});
        click("Annuler");
    } else if (word == "next")
        click("Command5");
    else if (word == "previous")
        click("Command2");
    else if (word == "F2" || word == "F3" || word == "F4") {
        front();
        QTest::keyClick(m_employee, word == "F2" ? Qt::Key_F2 : word == "F3" ? Qt::Key_F3 : Qt::Key_F4);
    } else if (word == "identity" || word == "rate" || word == "base")
        type(word, argument.section(':', 0, 0).toInt(), argument.section(':', 1));
    else if (word == "calculator")
        handToCalculator(argument);
    else if (word == "send")
        sendFromList(argument);
    else if (word == "picker")
        openPicker();
    else if (word == "keepPhoto")
        keepPickedPhoto();
    else if (word == "away")
        turnAwayAndBack();
    else
        QFAIL(qPrintable("unknown step " + step));
}

void TestEmployeeFileRule::onlyValiderStores_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("changes");

    // The calculator reaches a field only during an add or a modification.
    QTest::newRow("calculator into the hourly base while browsing")
        << QStringList{"F4", "calculator:999", "next", "previous"} << QStringList{};
    QTest::newRow("calculator into a rate while browsing")
        << QStringList{"F3", "calculator:999", "next", "previous"} << QStringList{};
    QTest::newRow("calculator during a modification, then Annuler")
        << QStringList{"modify", "F4", "calculator:999", "cancel", "next", "previous"} << QStringList{};
    QTest::newRow("calculator during a modification, then Valider")
        << QStringList{"modify", "F4", "calculator:175", "validate", "next"}
        << QStringList{Moreau + "|BASEHORAIRE=175,0"};

    // The list's "Envoi" while an edit is under way touches nothing.
    QTest::newRow("send during a modification, then Annuler")
        << QStringList{"next", "next", "modify", "identity:6:nantes", "send:" + Moreau, "cancel", "previous",
                       "previous", "next"}
        << QStringList{};
    QTest::newRow("send during an add, then Annuler")
        << QStringList{"add", "identity:1:durand", "send:" + Moreau, "cancel", "next"} << QStringList{};
    QTest::newRow("send while browsing")
        << QStringList{"send:" + Lambert, "previous", "next"} << QStringList{};

    // The picker hands its photo only to the edit that opened it.
    QTest::newRow("picker kept after Annuler, on another employee")
        << QStringList{"modify", "picker", "cancel", "next", "keepPhoto", "previous", "next"} << QStringList{};
    QTest::newRow("picker kept after Valider")
        << QStringList{"modify", "picker", "validate", "keepPhoto", "next", "previous"} << QStringList{};
    QTest::newRow("picker kept during the modification, then Annuler")
        << QStringList{"modify", "picker", "keepPhoto", "cancel", "next", "previous"} << QStringList{};
    QTest::newRow("picker kept during the modification, then Valider")
        << QStringList{"modify", "picker", "keepPhoto", "validate", "next"} << QStringList{Moreau + "|PHOTO!="};
    QTest::newRow("picker asked for while browsing")
        << QStringList{"picker", "next", "previous"} << QStringList{};

    // "Annuler" leaves the record on view as stored.
    QTest::newRow("Annuler after an add")
        << QStringList{"add", "identity:1:durand", "identity:8:01/02/2001", "cancel", "next", "previous"}
        << QStringList{};
    QTest::newRow("Annuler after an add, from the rates tab")
        << QStringList{"add", "F3", "rate:4:7", "cancel", "next", "previous"} << QStringList{};
    QTest::newRow("Annuler after a modification of every tab")
        << QStringList{"modify", "identity:6:lyon", "identity:8:01/02/2001", "F3", "rate:4:7", "F4", "base:0:150",
                       "F2", "cancel", "next", "previous"}
        << QStringList{};
    QTest::newRow("Annuler after a modification, from the base tab")
        << QStringList{"next", "modify", "identity:1:autre", "F4", "base:3:50", "cancel", "next", "previous"}
        << QStringList{};

    // Turning to another window and back.
    QTest::newRow("activation while browsing")
        << QStringList{"next", "away", "next", "away", "previous"} << QStringList{};
    QTest::newRow("activation during a modification, then Annuler")
        << QStringList{"next", "modify", "identity:6:nantes", "away", "cancel", "next"} << QStringList{};
    QTest::newRow("activation during an add, then Annuler")
        << QStringList{"add", "identity:1:durand", "away", "cancel", "next"} << QStringList{};

    // Browsing alone, and what "Valider" does store.
    QTest::newRow("navigation through the file")
        << QStringList{"next", "next", "next", "previous", "previous", "F3", "next", "F4", "previous"}
        << QStringList{};
    QTest::newRow("modification stored by Valider")
        << QStringList{"next", "modify", "identity:6:lyon", "validate", "next"}
        << QStringList{Almeida + "|VILLE=LYON"};
    QTest::newRow("add without the Base tab, Valider")
        << QStringList{"add", "identity:1:durand", "identity:2:anne", "validate", "previous"}
        << QStringList{"+|IDENTIFICATION=DURAND , ANNE|BASEHORAIRE=0,0|MDLBAC1=0,0|PP1=0,0|RAPPLS1=0,0"};
    QTest::newRow("add with a mutual insurance typed, Valider")
        << QStringList{"add", "identity:1:durand", "identity:2:anne", "F4", "base:2:300", "base:3:120",
                       "validate", "previous"}
        << QStringList{"+|IDENTIFICATION=DURAND , ANNE|MDLBAC1=300,0|PP1=120,0|RAPPLS1=180,0"};
}

void TestEmployeeFileRule::onlyValiderStores()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, changes);
    const Table before = readTable();
    QCOMPARE(before.size(), 3);
    for (const QString &step : steps) {
        run(step);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY2(!m_employee->isEditing(), "the row must end browsing");
    // The rows end with a move: what the record left held has reached the file.
    m_program.reset();
    flushDeletes();
    const QStringList found = differences(before, readTable(), parse(changes));
    QVERIFY2(found.isEmpty(), qPrintable("\n" + found.join('\n') + "\nboxes: " + m_boxes->texts().join(" / ")));
}

QTEST_MAIN(TestEmployeeFileRule)
#include "tst_employeefilerule.moc"
