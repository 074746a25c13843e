#pragma once

#include <QLineEdit>
#include <QVector>

class NumericEntryFilter;

// The single-line editor that a panel moves over whichever of its fields
// takes the focus: the fields are never typed into, the editor unrolls over
// the field, takes its text and carries every change back into it. Enter
// moves on to the next field (the last one wraps to the first). A locked
// editor swallows every typed key and reports it, so the screen can point
// the user to the button that unlocks it.
class FloatingEditor : public QLineEdit
{
    Q_OBJECT

public:
    enum class Entry {
        FreeText, // any key is typed
        Numeric,  // digits, backspace and the decimal key; other keys beep
    };

    // The editor unrolls over a field in this many equal steps.
    static constexpr int UnrollSteps = 850;

    FloatingEditor(QWidget *panel, Entry entry = Entry::FreeText);

    // The fields served, children of the same panel, in Enter order.
    void serve(const QVector<QLineEdit *> &fields);
    const QVector<QLineEdit *> &fields() const { return m_fields; }

    // Index of the field last served; -1 before the first one.
    int currentIndex() const { return m_current; }
    bool hasBeenPlaced() const { return m_current >= 0; }
    // True when the editor lies exactly over the field (same left and top).
    bool liesOver(const QLineEdit *field) const;

    // Moves over field `index`, takes its text and the focus, and unrolls to
    // the field's width.
    void placeOver(int index);
    // Gives the focus to the field after the current one (wrapping).
    void moveToNextField();
    // The focus, with the whole text selected.
    void takeFocus();

    bool isLocked() const { return m_locked; }
    void setLocked(bool locked);

signals:
    // The editor received the focus from a move, not from its window coming
    // back to the front: the screen's normalisation hook.
    void focusReceived();
    // The editor has been placed over field `index` and unrolled.
    void placed(int index);
    // A key was typed while the editor is locked; it was swallowed.
    void lockedKeyPressed();
    void doubleClicked();
    // A key refused by the numeric entry (after the beep).
    void beeped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool filterOwnKey(QKeyEvent *key);
    void unroll(const QLineEdit *field);
    void editorEdited(const QString &text);
    void fieldChanged(QLineEdit *field);

    QVector<QLineEdit *> m_fields;
    NumericEntryFilter *m_numeric = nullptr;
    int m_current = -1;
    bool m_locked = false;
    // The editor lying over a field looks like the field: the first click on
    // it after it took a field or the focus selects the whole text, as taking
    // the field did, instead of placing the cursor in front of the value.
    bool m_clickSelectsAll = false;
    bool m_selectingClick = false; // that click's press seen, its release not yet
};
