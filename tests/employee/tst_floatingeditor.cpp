#include "floatingeditor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The editor that moves over the focused field of a panel and carries the
// typing into it.
class TestFloatingEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        delete m_panel;
        m_panel = nullptr;
    }

    void placedExactlyOverTheField_data();
    void placedExactlyOverTheField();
    void typingReachesTheFieldBeneath();
    void fieldChangeShownInEditor();
    void enterMovesOnAndWraps();
    void numericEntry_data();
    void numericEntry();
    void lockedEditorSwallowsKeys_data();
    void lockedEditorSwallowsKeys();
    void focusReceivedOnEveryMove();
    void firstClickKeepsTheWholeTextSelected_data();
    void firstClickKeepsTheWholeTextSelected();

private:
    void build(FloatingEditor::Entry entry, const QList<int> &widths);
    QWidget *m_panel = nullptr;
    FloatingEditor *m_editor = nullptr;
    QVector<QLineEdit *> m_fields;
};

void TestFloatingEditor::init()
{
    build(FloatingEditor::Entry::FreeText, {200, 120, 300});
}

void TestFloatingEditor::build(FloatingEditor::Entry entry, const QList<int> &widths)
{
    delete m_panel;
    m_panel = new QWidget;
    m_panel->resize(1200, 200);
    m_fields.clear();
    for (int i = 0; i < widths.size(); ++i) {
        auto *field = new QLineEdit(m_panel);
        field->setObjectName(QString("field%1").arg(i));
        field->setGeometry(10, 10 + 30 * i, widths[i], 24);
        field->setText(QString("texte %1").arg(i));
        m_fields << field;
    }
    m_editor = new FloatingEditor(m_panel, entry);
    m_editor->serve(m_fields);
    m_panel->show();
    m_panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_panel));
}

void TestFloatingEditor::placedExactlyOverTheField_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("narrow") << 7;
    QTest::newRow("850") << 850;
    QTest::newRow("wide") << 1001;
}

void TestFloatingEditor::placedExactlyOverTheField()
{
    QFETCH(int, width);
    build(FloatingEditor::Entry::FreeText, {120, width});
    QSignalSpy placed(m_editor, &FloatingEditor::placed);
    QTest::mouseClick(m_fields[1], Qt::LeftButton);
    QCOMPARE(m_editor->geometry(), m_fields[1]->geometry());
    QVERIFY(m_editor->isVisible());
    QVERIFY(m_editor->hasFocus());
    QCOMPARE(m_editor->text(), "texte 1");
    QCOMPARE(m_editor->selectedText(), "texte 1");
    QCOMPARE(m_editor->currentIndex(), 1);
    QCOMPARE(placed.count(), 1);
    QCOMPARE(placed.at(0).at(0).toInt(), 1);
}

void TestFloatingEditor::typingReachesTheFieldBeneath()
{
    QTest::mouseClick(m_fields[2], Qt::LeftButton);
    QTest::keyClicks(m_editor, "paris");
    QCOMPARE(m_fields[2]->text(), "paris");
    QCOMPARE(m_fields[0]->text(), "texte 0");
    QTest::mouseClick(m_fields[0], Qt::LeftButton);
    QCOMPARE(m_editor->text(), "texte 0");
    QCOMPARE(m_fields[2]->text(), "paris");
}

void TestFloatingEditor::fieldChangeShownInEditor()
{
    QTest::mouseClick(m_fields[1], Qt::LeftButton);
    m_fields[1]->setText("PARIS");
    QCOMPARE(m_editor->text(), "PARIS");
    m_fields[0]->setText("autre");
    QCOMPARE(m_editor->text(), "PARIS");
}

void TestFloatingEditor::enterMovesOnAndWraps()
{
    QTest::mouseClick(m_fields[1], Qt::LeftButton);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_editor->currentIndex(), 2);
    QCOMPARE(m_editor->geometry(), m_fields[2]->geometry());
    QTest::keyClick(m_editor, Qt::Key_Enter);
    QCOMPARE(m_editor->currentIndex(), 0);
    QCOMPARE(m_editor->text(), "texte 0");
}

void TestFloatingEditor::numericEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("decimal comma") << "19,6" << "19,6" << 0;
    QTest::newRow("period") << "19.6" << "19,6" << 0;
    QTest::newRow("letter") << "1a" << "1" << 1;
    QTest::newRow("minus") << "-5" << "5" << 1;
}

void TestFloatingEditor::numericEntry()
{
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    build(FloatingEditor::Entry::Numeric, {100, 100});
    QSignalSpy beeped(m_editor, &FloatingEditor::beeped);
    QTest::mouseClick(m_fields[0], Qt::LeftButton);
    QTest::keyClick(m_editor, Qt::Key_Backspace); // the whole text is selected
    QTest::keyClicks(m_editor, keys);
    QCOMPARE(m_fields[0]->text(), expected);
    QCOMPARE(beeped.count(), beeps);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_editor->currentIndex(), 1);
}

void TestFloatingEditor::lockedEditorSwallowsKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("reported");
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << 1;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << 1;
    QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << 1;
    QTest::newRow("delete") << int(Qt::Key_Delete) << "" << 0;
}

void TestFloatingEditor::lockedEditorSwallowsKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, reported);
    m_editor->setLocked(true);
    QSignalSpy locked(m_editor, &FloatingEditor::lockedKeyPressed);
    QTest::mouseClick(m_fields[0], Qt::LeftButton);
    m_editor->setCursorPosition(2);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(m_editor, &press);
    QCOMPARE(m_fields[0]->text(), "texte 0");
    QCOMPARE(m_editor->currentIndex(), 0);
    QCOMPARE(locked.count(), reported);
}

void TestFloatingEditor::focusReceivedOnEveryMove()
{
    QSignalSpy received(m_editor, &FloatingEditor::focusReceived);
    QTest::mouseClick(m_fields[0], Qt::LeftButton);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(received.count(), 2);
}

// The editor lies over the field, so a click on "the field" lands on the
// editor: the first one after the editor took the field or the focus keeps
// the whole value selected, and typing replaces it; later clicks place the
// cursor as usual.
void TestFloatingEditor::firstClickKeepsTheWholeTextSelected_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("field clicked") << "field";
    QTest::newRow("moved on by Enter") << "enter";
    QTest::newRow("focus handed back") << "takeFocus";
    QTest::newRow("focus back from another control") << "button";
}

void TestFloatingEditor::firstClickKeepsTheWholeTextSelected()
{
    QFETCH(QString, how);
    build(FloatingEditor::Entry::Numeric, {300, 300});
    auto *button = new QPushButton(QStringLiteral("Modifier"), m_panel);
    button->setGeometry(10, 120, 100, 24);
    button->show();
    m_fields[1]->setText(QStringLiteral("169,0"));
    QTest::mouseClick(m_fields[how == QLatin1String("enter") ? 0 : 1], Qt::LeftButton);
    if (how == QLatin1String("enter"))
        QTest::keyClick(m_editor, Qt::Key_Return);
    if (how == QLatin1String("takeFocus"))
        m_editor->takeFocus();
    if (how == QLatin1String("button"))
        QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(m_editor->liesOver(m_fields[1]));

    // Where the value is not: in front of it, as a click left of the text.
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, QPoint(m_editor->width() - 150, m_editor->height() / 2));
    QVERIFY(m_editor->hasFocus());
    QCOMPARE(m_editor->selectedText(), QStringLiteral("169,0"));
    QTest::keyClicks(m_editor, "1500");
    QCOMPARE(m_fields[1]->text(), QStringLiteral("1500"));

    // A second click places the cursor.
    QTest::mouseClick(m_editor, Qt::LeftButton, {}, QPoint(2, m_editor->height() / 2));
    QVERIFY(!m_editor->hasSelectedText());
    QCOMPARE(m_editor->cursorPosition(), 0);
    QTest::keyClicks(m_editor, "9");
    QCOMPARE(m_fields[1]->text(), QStringLiteral("91500"));
}

QTEST_MAIN(TestFloatingEditor)
#include "tst_floatingeditor.moc"
