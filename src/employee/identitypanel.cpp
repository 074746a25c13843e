#include "identitypanel.h"

#include "employeerules.h"
#include "photoframe.h"
#include "searchframe.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton *arrowButton(const QString &name, const QString &icon, const QString &tip, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(40, 40));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

IdentityPanel::IdentityPanel(QWidget *parent)
    : EmployeePanel(QStringLiteral("Picture1"), parent)
    , m_photo(new PhotoFrame(this))
    , m_position(new QLabel(this))
    , m_search(new SearchFrame(this))
{
    m_photo->setObjectName(QStringLiteral("Image1"));
    m_photo->setGeometry(16, 62, 140, 196);

    addLabel(QStringLiteral("N° Salarié :"), 172, 62);
    m_position->setObjectName(QStringLiteral("Label24"));
    m_position->setGeometry(262, 62, 96, FieldHeight);
    m_position->setFrameShape(QFrame::Panel);
    m_position->setFrameShadow(QFrame::Sunken);
    m_position->setAlignment(Qt::AlignCenter);
    QFont bold = m_position->font();
    bold.setBold(true);
    m_position->setFont(bold);

    // Created in index order, so that the editor serves them in that order.
    const int labels = 172;
    const int fields = 272;
    addIdentityField(0, QStringLiteral("N°  S.social :"), labels, fields, 100, 468);
    addIdentityField(1, QStringLiteral("Nom :"), labels, fields, 134, 468);
    addIdentityField(2, QStringLiteral("Prénom :"), labels, fields, 168, 200);
    addIdentityField(3, QStringLiteral("Téléphone :"), 488, 566, 168, 174);
    addIdentityField(4, QStringLiteral("Adresse :"), labels, fields, 202, 468);
    addIdentityField(5, QStringLiteral("Code Postal :"), labels, fields, 236, 90);
    addIdentityField(6, QStringLiteral("Ville :"), 378, 424, 236, 316);
    addIdentityField(7, QStringLiteral("Poste  :"), 16, 92, 270, 648);
    addIdentityField(8, QStringLiteral("Entré le :"), 380, 452, 62, 288);
    createEditor(FloatingEditor::Entry::FreeText);
    editor()->setObjectName(QStringLiteral("TxtMove"));

    m_search->setGeometry(16, 304, 470, 128);

    auto *moves = new QGroupBox(QStringLiteral("Précédent / Suivant"), this);
    moves->setObjectName(QStringLiteral("FrameNavigation"));
    moves->setGeometry(500, 304, 240, 128);
    m_previous = arrowButton(QStringLiteral("Command2"), QStringLiteral(":/icons/previous.svg"),
                             QStringLiteral("Salarié précédent"), moves);
    m_next = arrowButton(QStringLiteral("Command5"), QStringLiteral(":/icons/next.svg"),
                         QStringLiteral("Salarié suivant"), moves);
    m_previous->setGeometry(36, 34, 72, 64);
    m_next->setGeometry(132, 34, 72, 64);
}

void IdentityPanel::addIdentityField(int index, const QString &label, int labelX, int fieldX, int y,
                                     int width)
{
    QLabel *caption = addLabel(label, labelX, y);
    caption->setObjectName(QStringLiteral("Label1_%1").arg(index));
    addField(QStringLiteral("Text1_%1").arg(index), QRect(fieldX, y, width, FieldHeight));
}

QString IdentityPanel::identityText(int index) const
{
    const QLineEdit *identity = field(index);
    return identity ? identity->text() : QString();
}

void IdentityPanel::setIdentity(int index, const QString &text)
{
    QLineEdit *identity = field(index);
    if (identity->text() != text)
        identity->setText(text);
}

void IdentityPanel::markNoSsn()
{
    setIdentity(EmployeeRules::Ssn, EmployeeRules::noSsn(identityText(EmployeeRules::Ssn)));
}

void IdentityPanel::maskEntryDate()
{
    setIdentity(EmployeeRules::EntryDate, EmployeeRules::dateMask(identityText(EmployeeRules::EntryDate)));
}

void IdentityPanel::storeEntryDateForm()
{
    maskEntryDate();
    setIdentity(EmployeeRules::EntryDate, EmployeeRules::upperCase(identityText(EmployeeRules::EntryDate)));
}

void IdentityPanel::upperCaseAll()
{
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        setIdentity(i, EmployeeRules::upperCase(identityText(i)));
}

void IdentityPanel::replaceApostrophes()
{
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        setIdentity(i, EmployeeRules::apostrophes(identityText(i)));
}
