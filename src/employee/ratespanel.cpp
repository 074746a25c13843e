#include "ratespanel.h"

#include "calculatorpicture.h"
#include "contributionlines.h"
#include "dotleaderlabel.h"
#include "employeerules.h"
#include "messagebox.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int BlockWidth = 352;
constexpr int EmployerColumn = 184; // within a block
constexpr int EmployeeColumn = 278;
constexpr int RateWidth = 58;
constexpr int FirstRowY = 84;
constexpr int RowStep = 32;

int blockX(int row)
{
    return row < 10 ? 16 : 388;
}

int rowY(int row)
{
    return FirstRowY + (row % 10) * RowStep;
}

} // namespace

RatesPanel::RatesPanel(QWidget *parent)
    : EmployeePanel(QStringLiteral("Picture2"), parent)
{
    for (int block = 0; block < 2; ++block) {
        const int x = blockX(block * 10);
        for (const auto &[title, column] : {std::pair{"Patronales", EmployerColumn},
                                            std::pair{"Salariales", EmployeeColumn}}) {
            QLabel *label = addLabel(QString::fromUtf8(title), x + column - 10, 56, RateWidth + 20);
            label->setAlignment(Qt::AlignCenter);
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
    }
    // The last row's name is the PAR3 field laid over its caption.
    for (int row = 0; row < ContributionLines::Count; ++row)
        addRow(row, row != ContributionLines::Param3 ? ContributionLines::rowCaption(row)
                                                      : QStringLiteral("..%     ..%"));

    m_par3 = new QLineEdit(this);
    m_par3->setObjectName(QStringLiteral("Text45"));
    m_par3->setGeometry(blockX(ContributionLines::Param3), rowY(ContributionLines::Param3), EmployerColumn - 8, FieldHeight);
    QPalette white = m_par3->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_par3->setPalette(white);

    createEditor(FloatingEditor::Entry::Numeric);
    editor()->setObjectName(QStringLiteral("txtmove1"));
    editor()->setGeometry(16, 56, 0, FieldHeight);

    m_calculator = new CalculatorPicture(QStringLiteral("PicCal1"), editor(), this);
}

void RatesPanel::addRow(int row, const QString &caption)
{
    const int x = blockX(row);
    const int y = rowY(row);
    auto *label = new DotLeaderLabel(caption, this);
    label->setObjectName(row != ContributionLines::Param3 ? QStringLiteral("Label2_%1").arg(row) : QStringLiteral("Label2_par3"));
    label->setGeometry(x, y, BlockWidth, FieldHeight);
    const QRect employer(x + EmployerColumn, y, RateWidth, FieldHeight);
    const QRect employee(x + EmployeeColumn, y, RateWidth, FieldHeight);
    addField(QStringLiteral("TauxCot_%1").arg(2 * row), employer, Qt::AlignRight);
    addField(QStringLiteral("TauxCot_%1").arg(2 * row + 1), employee, Qt::AlignRight);
    label->setFieldSlots({employer, employee});
}

void RatesPanel::browseRates()
{
    for (QLineEdit *rate : fields())
        rate->setText(EmployeeRules::browsedRate(rate->text()));
}

void RatesPanel::checkRates()
{
    for (QLineEdit *rate : fields()) {
        const EmployeeRules::RateCheck check = EmployeeRules::checkRate(rate->text());
        if (check.lowered) {
            rate->setText(QStringLiteral("100,00"));
            MessageBox::show(window(), QStringLiteral("Vous devriez vérifier que les taux soient aussi élevés"),
                             MessageBox::Question, QStringLiteral("Conseil"));
            if (!window()->isActiveWindow())
                window()->activateWindow();
            editor()->takeFocus();
        }
        rate->setText(check.text);
    }
}

void RatesPanel::saveRates()
{
    for (QLineEdit *rate : fields())
        rate->setText(EmployeeRules::checkRate(rate->text()).text);
}
