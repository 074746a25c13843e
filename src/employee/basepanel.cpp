#include "basepanel.h"

#include "calculatorpicture.h"
#include "dotleaderlabel.h"
#include "employeerules.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int CaptionX = 48;
constexpr int FieldX = 372;
constexpr int FieldWidth = 130;

QGroupBox *frame(const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setGeometry(geometry);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    return box;
}

} // namespace

BasePanel::BasePanel(QWidget *parent)
    : EmployeePanel(QStringLiteral("Picture3"), parent)
{
    frame(QStringLiteral("Base  et Taux horaire"), QRect(16, 64, 540, 110), this)
        ->setObjectName(QStringLiteral("Frame2"));
    frame(QStringLiteral("Mutuelle / Assurance..."), QRect(16, 192, 540, 146), this)
        ->setObjectName(QStringLiteral("Frame3"));

    addBaseRow(0, QStringLiteral("Base Horaire................................"), 96);
    addBaseRow(1, QStringLiteral("Taux Horaire................................"), 132);
    addBaseRow(2, QStringLiteral("Montant de la base a calculer ............."), 224);
    addBaseRow(3, QStringLiteral("Part patronale ..................................."), 260);
    field(2)->setToolTip(QStringLiteral("exemple : montant d'une mutuelle personnel"));

    const QRect remaining(FieldX, 296, FieldWidth, FieldHeight);
    auto *caption = new DotLeaderLabel(QStringLiteral("Reste a payer par le salarié................."), this);
    caption->setGeometry(CaptionX, remaining.y(), FieldX + FieldWidth - CaptionX, FieldHeight);
    caption->setFieldSlots({remaining});
    m_remaining = new QLabel(this);
    m_remaining->setObjectName(QStringLiteral("label38"));
    m_remaining->setGeometry(remaining);
    m_remaining->setAutoFillBackground(true);
    m_remaining->setFrameShape(QFrame::Panel);
    m_remaining->setFrameShadow(QFrame::Sunken);
    m_remaining->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_remaining->setContentsMargins(0, 0, 4, 0);
    QPalette white = m_remaining->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_remaining->setPalette(white);

    createEditor(FloatingEditor::Entry::Numeric);
    editor()->setObjectName(QStringLiteral("Txtmove2"));
    editor()->setGeometry(16, 56, 0, FieldHeight);

    m_calculator = new CalculatorPicture(QStringLiteral("PicCal2"), editor(), this);
    // After the editor has carried its text into the field beneath.
    connect(editor(), &QLineEdit::textChanged, this, &BasePanel::recomputeRemainingShare);
}

void BasePanel::addBaseRow(int index, const QString &caption, int y)
{
    const QRect place(FieldX, y, FieldWidth, FieldHeight);
    auto *label = new DotLeaderLabel(caption, this);
    label->setObjectName(QStringLiteral("Label3_%1").arg(index));
    label->setGeometry(CaptionX, y, FieldX + FieldWidth - CaptionX, FieldHeight);
    label->setFieldSlots({place});
    addField(QStringLiteral("base_%1").arg(index), place, Qt::AlignRight);
}

void BasePanel::normaliseBases()
{
    for (QLineEdit *base : fields())
        base->setText(EmployeeRules::baseForm(base->text()));
}

void BasePanel::recomputeRemainingShare()
{
    const QString text = EmployeeRules::remainingShare(field(2)->text(), field(3)->text()).value_or(QString());
    if (text == m_remaining->text())
        return;
    m_remaining->setText(text);
    emit remainingShareChanged(text);
}
