#pragma once

// What the employee screen tests share: a fresh working directory, employees
// written straight into SALARIE as an earlier session left them, the stored
// texts read back through a connection of their own, and the answers to the
// modal message boxes the screen raises.

#include "database.h"
#include "employeescreen.h"
#include "recordview.h"
#include "schema.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDir>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

namespace EmployeeTest {

using TestSupport::flushDeletes;
using TestSupport::WorkingDirectory;

// A fresh employee screen, shown and made the active window, its cue timers
// stopped: the tests drive the cues by firing their handlers.
inline void openScreen(QPointer<EmployeeScreen> &screen)
{
    screen = new EmployeeScreen;
    screen->show();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    for (QTimer *timer : screen->findChildren<QTimer *>())
        timer->stop();
}

inline std::shared_ptr<Database> openMain()
{
    return TestSupport::openDatabase(Schema::mainDatabase());
}

// One employee as the screen would have stored it; `texts` overrides.
inline QMap<QString, QString> employee(const QString &surname, const QString &firstName,
                                       const QMap<QString, QString> &texts = {})
{
    QMap<QString, QString> record{
        {"NOM", surname}, {"PRENOM", firstName}, {"IDENTIFICATION", surname + " , " + firstName},
        {"NUMSECU", "1 70 01 75 001 001"}, {"TEL", "01 40 00 00 00"}, {"ADRESSE", "1 RUE DES LILAS"},
        {"CODEPOSTAL", "75011"}, {"VILLE", "PARIS"}, {"POSTE", "OUVRIER"},
        {"Entré le", "LUNDI 15 JANV. 2001"}, {"BASEHORAIRE", "169,0"}, {"TAUXHORAIRE", "45,0"},
        {"MDLBAC1", "0,0"}, {"PP1", "0,0"}, {"RAPPLS1", "0,0"}, {"PAR3", ""}};
    for (const QString &rate : Schema::rateColumns())
        record.insert(rate, "1,0");
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        record.insert(it.key(), it.value());
    return record;
}

inline void store(const QList<QMap<QString, QString>> &records)
{
    RecordView view(openMain(), "SALARIE");
    for (const auto &record : records) {
        QVERIFY(!view.addNew());
        for (auto it = record.cbegin(); it != record.cend(); ++it) {
            if (it.key() == "PHOTO")
                view.setFieldData(it.key(), it.value().toLatin1());
            else
                view.setFieldText(it.key(), it.value());
        }
        const StoreError error = view.writeCurrent();
        QVERIFY2(!error, qPrintable(error.message()));
    }
}

// The stored text of a column of the record at `position`.
inline QString stored(int position, const QString &column)
{
    RecordView view(openMain(), "SALARIE");
    if (view.setPosition(position))
        return "<absent>";
    return view.fieldText(column);
}

inline QByteArray storedData(int position, const QString &column)
{
    RecordView view(openMain(), "SALARIE");
    view.setPosition(position);
    return view.fieldData(column);
}

inline int storedCount()
{
    RecordView view(openMain(), "SALARIE");
    return view.count();
}

// From now on the file refuses every change of SALARIE.
inline void refuseWrites()
{
    TestSupport::refuseWrites(Schema::mainDatabase(), QStringLiteral("SALARIE"));
}

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool yesNo = false;
    bool noByDefault = false;
};

// Answers every modal message box as it appears: with the next queued
// answer, or OK / No when none is queued, and keeps what each box said.
class Boxes : public QObject
{
public:
    Boxes()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
        m_timer.start();
    }

    void answer(std::initializer_list<QMessageBox::StandardButton> answers) { m_answers += answers; }
    QList<SeenBox> seen;
    void clear() { seen.clear(); m_answers.clear(); }
    QStringList texts() const
    {
        QStringList all;
        for (const SeenBox &box : seen)
            all << box.text;
        return all;
    }
    SeenBox last() const { return seen.isEmpty() ? SeenBox() : seen.last(); }

private:
    void check()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == m_answered)
            return;
        m_answered = box;
        SeenBox seenBox{box->windowTitle(), box->text(), box->icon(),
                        box->button(QMessageBox::Yes) != nullptr, false};
        seenBox.noByDefault = seenBox.yesNo && static_cast<QAbstractButton *>(box->defaultButton()) == box->button(QMessageBox::No);
        seen << seenBox;
        QMessageBox::StandardButton answer = seenBox.yesNo ? QMessageBox::No : QMessageBox::Ok;
        if (!m_answers.isEmpty())
            answer = m_answers.takeFirst();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QPointer<QMessageBox> m_answered;
};

} // namespace EmployeeTest
