#include "floatingeditor.h"

#include "numericentryfilter.h"

#include <QFocusEvent>
#include <QKeyEvent>

FloatingEditor::FloatingEditor(QWidget *panel, Entry entry)
    : QLineEdit(panel)
{
    QPalette white = palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    setPalette(white);
    hide();

    if (entry == Entry::Numeric) {
        m_numeric = NumericEntryFilter::install(this, NumericEntryFilter::Variant::WithSelection);
        connect(m_numeric, &NumericEntryFilter::beeped, this, &FloatingEditor::beeped);
    }
    // Installed last, so it sees each key before the numeric rule does.
    installEventFilter(this);
    connect(this, &QLineEdit::textChanged, this, &FloatingEditor::editorEdited);
}

void FloatingEditor::serve(const QVector<QLineEdit *> &fields)
{
    m_fields = fields;
    for (QLineEdit *field : fields) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, field] { fieldChanged(field); });
    }
}

bool FloatingEditor::liesOver(const QLineEdit *field) const
{
    return m_current >= 0 && pos() == field->pos();
}

void FloatingEditor::setLocked(bool locked)
{
    m_locked = locked;
    // Read-only also stops what types no character (Delete, a paste).
    setReadOnly(locked);
}

bool FloatingEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this) {
        if (event->type() == QEvent::KeyPress)
            return filterOwnKey(static_cast<QKeyEvent *>(event));
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        const int index = m_fields.indexOf(qobject_cast<QLineEdit *>(watched));
        if (index >= 0) {
            // The field hands its focus straight to the editor.
            placeOver(index);
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

bool FloatingEditor::filterOwnKey(QKeyEvent *key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (m_locked) {
        // Keys that type nothing (Tab, arrows, function keys) keep their use.
        if (key->text().isEmpty() && !enter)
            return false;
        emit lockedKeyPressed();
        return true;
    }
    if (enter) {
        moveToNextField();
        return true;
    }
    // Once typing has begun, a click places the cursor.
    m_clickSelectsAll = false;
    return false;
}

void FloatingEditor::placeOver(int index)
{
    if (index < 0 || index >= m_fields.size())
        return;
    QLineEdit *field = m_fields.at(index);
    hide();
    parentWidget()->update();
    raise();

    m_current = index;
    setGeometry(field->x(), field->y(), 0, field->height());
    setAlignment(field->alignment());
    // Only now, lying over the field, does the editor take its text, so the
    // copy never lands in the field it served before.
    setText(field->text());
    show();
    setFocus(Qt::OtherFocusReason);
    selectAll();
    m_clickSelectsAll = true;
    unroll(field);
    emit placed(index);
}

void FloatingEditor::unroll(const QLineEdit *field)
{
    const double target = field->width();
    const double step = target / UnrollSteps;
    double width = this->width();
    while (width < target) {
        width += step;
        if (width >= target)
            width = target;
        resize(static_cast<int>(width), field->height());
    }
}

void FloatingEditor::moveToNextField()
{
    if (m_fields.isEmpty())
        return;
    const int next = m_current + 1 >= m_fields.size() ? 0 : m_current + 1;
    m_fields.at(next)->setFocus(Qt::TabFocusReason);
}

void FloatingEditor::takeFocus()
{
    setFocus(Qt::OtherFocusReason);
    selectAll();
    m_clickSelectsAll = true;
}

void FloatingEditor::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // A click that gives the editor the focus is its first click.
    if (event->reason() == Qt::MouseFocusReason)
        m_clickSelectsAll = true;
    // The window coming back (a message box closed) is not a move.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusReceived();
}

void FloatingEditor::mousePressEvent(QMouseEvent *event)
{
    if (m_clickSelectsAll && event->button() == Qt::LeftButton) {
        m_clickSelectsAll = false;
        m_selectingClick = true;
        selectAll();
        event->accept();
        return;
    }
    m_clickSelectsAll = false;
    QLineEdit::mousePressEvent(event);
}

// The press that selected everything is not the start of a drag.
void FloatingEditor::mouseMoveEvent(QMouseEvent *event)
{
    if (m_selectingClick) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void FloatingEditor::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_selectingClick) {
        m_selectingClick = false;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FloatingEditor::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void FloatingEditor::editorEdited(const QString &text)
{
    for (QLineEdit *field : std::as_const(m_fields)) {
        if (liesOver(field) && field->text() != text)
            field->setText(text);
    }
}

void FloatingEditor::fieldChanged(QLineEdit *field)
{
    if (liesOver(field) && text() != field->text())
        setText(field->text());
}
