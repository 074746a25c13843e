#include "employeepanel.h"

#include <QLabel>
#include <QLineEdit>

EmployeePanel::EmployeePanel(const QString &name, QWidget *parent)
    : QFrame(parent)
    , m_surname(new QLabel(this))
    , m_firstName(new QLabel(this))
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(246, 248, 252));
    setPalette(background);

    m_surname->setObjectName(QStringLiteral("headerNom"));
    m_firstName->setObjectName(QStringLiteral("headerPrenom"));
    // The names as stored, whatever they hold: never read as markup.
    m_surname->setTextFormat(Qt::PlainText);
    m_firstName->setTextFormat(Qt::PlainText);
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.35);
    big.setBold(true);
    m_surname->setFont(big);
    QFont medium = font();
    medium.setPointSizeF(medium.pointSizeF() * 1.15);
    m_firstName->setFont(medium);
    QPalette navy = m_surname->palette();
    navy.setColor(QPalette::WindowText, QColor(20, 40, 100));
    m_surname->setPalette(navy);
    m_firstName->setPalette(navy);
    m_surname->setGeometry(16, 6, 600, 26);
    m_firstName->setGeometry(16, 32, 600, 20);
}

void EmployeePanel::setHeaders(const QString &surname, const QString &firstName)
{
    m_surname->setText(surname);
    m_firstName->setText(firstName);
}

QString EmployeePanel::surnameHeader() const
{
    return m_surname->text();
}

QString EmployeePanel::firstNameHeader() const
{
    return m_firstName->text();
}

QStringList EmployeePanel::fieldTexts() const
{
    QStringList texts;
    for (const QLineEdit *field : m_fields)
        texts << field->text();
    return texts;
}

QLineEdit *EmployeePanel::addField(const QString &objectName, const QRect &geometry,
                                   Qt::Alignment alignment)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(objectName);
    field->setGeometry(geometry);
    field->setAlignment(alignment | Qt::AlignVCenter);
    // Never typed into: the editor takes the focus from it at once.
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    QPalette white = field->palette();
    white.setColor(QPalette::Base, Qt::white);
    field->setPalette(white);
    m_fields.append(field);
    return field;
}

QLabel *EmployeePanel::addLabel(const QString &text, int x, int y, int width)
{
    auto *label = new QLabel(text, this);
    label->adjustSize();
    label->setGeometry(x, y, width < 0 ? label->width() : width, FieldHeight);
    return label;
}

void EmployeePanel::createEditor(FloatingEditor::Entry entry)
{
    m_editor = new FloatingEditor(this, entry);
    m_editor->serve(m_fields);
}

void EmployeePanel::focusFirstField()
{
    if (!m_fields.isEmpty())
        m_fields.first()->setFocus(Qt::OtherFocusReason);
}

void EmployeePanel::focusEditorOrFirstField()
{
    if (!m_editor->isHidden())
        m_editor->takeFocus();
    else
        focusFirstField();
}
