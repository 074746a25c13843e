#include "numericentryfilter.h"

#include "mask.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

NumericEntryFilter::NumericEntryFilter(QLineEdit *field, Variant variant)
    : QObject(field)
    , m_field(field)
    , m_variant(variant)
{
    field->installEventFilter(this);
}

NumericEntryFilter *NumericEntryFilter::install(QLineEdit *field, Variant variant)
{
    return new NumericEntryFilter(field, variant);
}

bool NumericEntryFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);

    auto *key = static_cast<QKeyEvent *>(event);
    // Keys that type no character (Tab, arrows, Delete, function keys,
    // modifiers) are not the rule's business.
    switch (key->key()) {
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Delete:
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
        return false;
    case Qt::Key_Backspace:
        return m_guard && !m_guard(key);
    case Qt::Key_Return: case Qt::Key_Enter:
        break;
    default:
        if (key->text().isEmpty())
            return false;
    }

    if (m_guard && !m_guard(key))
        return true;
    const QChar c = key->text().isEmpty() ? QChar(u'\r') : key->text().at(0);
    return !apply(c);
}

bool NumericEntryFilter::apply(QChar c)
{
    if (c.isDigit() && c.unicode() < 128)
        return true;
    if (c == u'\b')
        return true;
    if (c == u'.' || c == u',') {
        decimalKey();
        return false;
    }
    QApplication::beep();
    emit beeped();
    return false;
}

void NumericEntryFilter::decimalKey()
{
    if (m_variant == Variant::WithSelection && m_field->hasSelectedText())
        m_field->del();
    if (m_field->text().isEmpty())
        m_field->setText(QStringLiteral("0"));
    m_field->setText(Mask::apply(m_field->text(), QString::fromLatin1(Mask::DecimalKey)));
    m_field->setCursorPosition(m_field->text().size());
}
