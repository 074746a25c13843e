#include "recordbinding.h"

#include "photoframe.h"
#include "recordview.h"

#include <QLabel>
#include <QLineEdit>

RecordBinding::RecordBinding(QObject *parent)
    : QObject(parent)
{
}

void RecordBinding::bind(QLineEdit *field, const QString &column)
{
    m_fields.append({field, column});
    connect(field, &QLineEdit::textChanged, this,
            [this, column](const QString &text) { fieldChanged(column, text); });
}

void RecordBinding::bind(QLabel *display, const QString &column)
{
    // A stored text is shown as it stands, never read as markup.
    display->setTextFormat(Qt::PlainText);
    m_displays.append({display, column});
}

void RecordBinding::bind(PhotoFrame *photo, const QString &column)
{
    m_photo = photo;
    m_photoColumn = column;
}

void RecordBinding::load()
{
    if (!m_view)
        return;
    m_loading = true;
    for (const auto &[field, column] : std::as_const(m_fields))
        field->setText(m_view->fieldText(column));
    for (const auto &[display, column] : std::as_const(m_displays))
        display->setText(m_view->fieldText(column));
    if (m_photo)
        m_photo->setPhotoData(m_view->fieldData(m_photoColumn));
    m_loading = false;
}

void RecordBinding::fieldChanged(const QString &column, const QString &text)
{
    if (!m_loading && m_view)
        m_view->setFieldText(column, text);
}

void RecordBinding::displayChanged(QLabel *display)
{
    if (m_loading || !m_view)
        return;
    for (const auto &[bound, column] : std::as_const(m_displays)) {
        if (bound == display)
            m_view->setFieldText(column, display->text());
    }
}

void RecordBinding::photoChanged()
{
    if (!m_loading && m_view && m_photo)
        m_view->setFieldData(m_photoColumn, m_photo->photoData());
}
