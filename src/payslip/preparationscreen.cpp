#include "preparationscreen.h"

#include "errordialog.h"
#include "helpcontext.h"
#include "messagebox.h"
#include "numericentryfilter.h"
#include "payhistory.h"
#include "payinputscreens.h"
#include "paycalculation.h"
#include "payslipformulaset.h"
#include "payslipreport.h"
#include "payrunslipname.h"
#include "payslipsavedialog.h"
#include "screennames.h"
#include "screenregistry.h"
#include "slipsubject.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <tuple>

namespace {

// Columns of the results: the row caption, the hours of an overtime band
// with its "à" and percentage, then the amount in francs and in euros; the
// last one only keeps the amounts off the frame of the box "SALAIRE".
enum Column { Caption, Hours, At, Percent, PercentSign, Francs, Euros, Margin, ColumnCount };

constexpr int AmountWidth = 112;
constexpr int HoursWidth = 56;
constexpr int InputWidth = 104;

QLabel *caption(const QString &text)
{
    return new QLabel(text);
}

QFont boldFont(QFont font)
{
    font.setBold(true);
    return font;
}

QLabel *heading(const QString &text)
{
    auto *label = new QLabel(text);
    label->setFont(boldFont(label->font()));
    return label;
}

} // namespace

PreparationScreen *PreparationScreen::open(ScreenRegistry &registry, const PrinterChoice *printers)
{
    const PayInputScreens screens(registry);
    const EmployeeFigures employee = screens.employee();
    auto opened = PayCalculation::open(employee, screens.parameters(), screens.euroRate());
    if (const auto *error = std::get_if<CalculationError>(&opened)) {
        MessageBox::show(registry.find(ScreenName::Employee), error->message, MessageBox::Exclamation,
                         QStringLiteral("Préparation impossible"));
        return nullptr;
    }
    auto &[sheet, shown] = std::get<PayCalculation::OpenedSheet>(opened);
    screens.showEmployeeDefaults(employee, shown);
    return new PreparationScreen(registry, std::move(sheet), screens.employeeShown(), printers);
}

void PreparationScreen::prepareForEmployeeShown(ScreenRegistry &registry)
{
    if (auto *open = registry.find<PreparationScreen>(ScreenName::Preparation)) {
        const PayInputScreens::EmployeeShown shown = PayInputScreens(registry).employeeShown();
        if (open->m_employee.key != shown.key) {
            if (!open->giveWayTo(shown))
                return;
            // At once, so that the registry builds the new one.
            delete open;
        }
    }
    registry.show(ScreenName::Preparation);
}

bool PreparationScreen::giveWayTo(const PayInputScreens::EmployeeShown &other) const
{
    if (!hasTypedFigures())
        return true;
    return MessageBox::show(m_registry.find(ScreenName::Employee),
                            QStringLiteral("Des éléments ont été saisis sur la fiche de paie de %1. Les "
                                           "abandonner pour préparer la fiche de paie de %2 ?")
                                .arg(m_employee.names, other.names),
                            MessageBox::YesNoQuestionNo, QStringLiteral("ATTENTION"))
           == MessageBox::Yes;
}

bool PreparationScreen::hasTypedFigures() const
{
    return std::any_of(m_inputs.begin(), m_inputs.end(), [](const auto &input) {
        const QString typed = input.first->text().trimmed();
        return !typed.isEmpty() && typed != QLatin1String("0");
    });
}

PreparationScreen::PreparationScreen(ScreenRegistry &registry, PaySheet sheet,
                                     PayInputScreens::EmployeeShown employee, const PrinterChoice *printers)
    : m_registry(registry)
    , m_sheet(std::move(sheet))
    , m_employee(std::move(employee))
    , m_report(std::make_unique<PayslipReport>(printers))
{
    setObjectName(ScreenName::Preparation);
    setWindowTitle(QStringLiteral("Quorvan 2000"));
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Preparation, true);

    auto *title = new QHBoxLayout;
    title->addWidget(heading(QStringLiteral("Préparation de la fiche de paie de")));
    QLabel *name = result("Label2", &PaySheet::employee_name, 0);
    name->setFont(boldFont(name->font()));
    name->setFrameShape(QFrame::NoFrame);
    name->setAutoFillBackground(false);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    title->addWidget(name, 1);

    auto *columns = new QHBoxLayout;
    columns->setSpacing(28);
    columns->addWidget(buildInputs(), 0, Qt::AlignTop);
    columns->addWidget(buildResults(), 1, Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(title);
    layout->addLayout(columns);
    layout->addStretch(1);
    layout->addLayout(buildButtons());

    showSheet();
    m_inputs.first().first->setFocus();
}

PreparationScreen::~PreparationScreen() = default;

// The inputs, from top to bottom in the order the clerk fills them.
QWidget *PreparationScreen::buildInputs()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int row = 0;
    const auto addRow = [grid, &row](QWidget *left, QWidget *right) {
        grid->addWidget(left, row, 0);
        grid->addWidget(right, row++, 1, Qt::AlignLeft);
    };

    addRow(caption(QStringLiteral("Heures absences.........")),
           numericInput("Text1", &PaySheet::absence_hours, QStringLiteral("Taper les heures d'absences")));
    grid->addWidget(caption(QStringLiteral("ou")), row++, 0, 1, 2, Qt::AlignCenter);
    addRow(caption(QStringLiteral("Heures complèmentaires.")),
           numericInput("Text2", &PaySheet::complementary_hours,
                        QStringLiteral("Taper les heures complèmentaires")));
    addRow(caption(QStringLiteral("Congés payés ( Hres)...")),
           numericInput("Text3", &PaySheet::leave_hours_taken,
                        QStringLiteral("Taper le nombre d'heures de congés payés ")));

    // The percentage, then what it applies to: the caption stands between.
    auto *commission = new QHBoxLayout;
    commission->setSpacing(4);
    QLineEdit *percent = numericInput("Text59", &PaySheet::commission_rate,
                                      QStringLiteral("Taper le pourcentage sur une commission."));
    percent->setFixedWidth(HoursWidth);
    commission->addWidget(percent);
    commission->addWidget(caption(QStringLiteral(" % Sur...............")));
    commission->addStretch(1);
    grid->addLayout(commission, row, 0);
    grid->addWidget(numericInput("Text58", &PaySheet::commission_base), row++, 1, Qt::AlignLeft);

    addRow(caption(QStringLiteral("Acompte reçu...............")),
           numericInput("Text5", &PaySheet::advance,
                        QStringLiteral("Taper le montant de l'accompte reçu par le salarié")));
    addRow(caption(QStringLiteral("Prime..........................")),
           numericInput("Text4", &PaySheet::bonus, QStringLiteral("Taper le montant de la prime")));

    grid->addWidget(caption(QStringLiteral("Période du")), row, 0);
    grid->addLayout(periodLine({"Text71", "Text72", "Text73"},
                               {&PaySheet::period_start_day, &PaySheet::period_start_month,
                                &PaySheet::period_start_year}),
                    row++, 1);
    grid->addWidget(caption(QStringLiteral("au")), row, 0);
    grid->addLayout(periodLine({"Text74", "Text75", "Text76"},
                               {&PaySheet::period_end_day, &PaySheet::period_end_month,
                                &PaySheet::period_end_year}),
                    row++, 1);

    grid->setRowMinimumHeight(row++, 10);
    grid->addWidget(heading(QStringLiteral("Renseignement sur la derniere fiche de paie")), row++, 0, 1, 2);
    QLabel *due = caption(QStringLiteral("Heures de congés dûes"));
    due->setToolTip(QStringLiteral("SUR LA DERNIERE FICHE DE PAIE"));
    addRow(due, numericInput("Text78", &PaySheet::previous_leave_balance));
    addRow(caption(QStringLiteral("Dernier Cumul Imposable")),
           numericInput("Text77", &PaySheet::previous_cumulative_taxable));
    addRow(caption(QStringLiteral("Dernier Cumul Brut")),
           numericInput("Text79", &PaySheet::previous_cumulative_gross));
    grid->addWidget(buildLastSlipRows(panel->sizeHint().width()), row++, 0, 1, 2);
    return panel;
}

// Under the three figures of the previous slip: the button that takes them
// from the pay history, the line that says from which slip, and the cue
// shown when the figures typed differ from that slip. The two lines wrap
// within the width of the inputs above them, so the window grows to show
// them whole instead of squeezing them.
QWidget *PreparationScreen::buildLastSlipRows(int width)
{
    auto *rows = new QWidget;
    auto *layout = new QVBoxLayout(rows);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(4);
    QPushButton *take = button("Reprendre", QStringLiteral("Reprendre la dernière fiche"));
    withKey(take, Qt::Key_F9);
    connect(take, &QPushButton::clicked, this, &PreparationScreen::takeLastSlip);
    layout->addWidget(take, 0, Qt::AlignLeft);
    for (QLabel **label : {&m_lastSlip, &m_lastSlipCue}) {
        *label = new QLabel;
        // File names are shown as they stand, never as markup.
        (*label)->setTextFormat(Qt::PlainText);
        (*label)->setWordWrap(true);
        (*label)->setFixedWidth(width);
        QFont small = (*label)->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        (*label)->setFont(small);
        layout->addWidget(*label);
    }
    m_lastSlip->setObjectName(QStringLiteral("DerniereFiche"));
    m_lastSlipCue->setObjectName(QStringLiteral("EcartDerniereFiche"));
    m_lastSlipCue->setStyleSheet(QStringLiteral("color: #9a5b00;"));
    m_lastSlipCue->hide();
    return rows;
}

// The results, one row per component, francs and euros in two columns.
QWidget *PreparationScreen::buildResults()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(Caption, 1);
    grid->setColumnMinimumWidth(Margin, 8);

    int row = 0;
    grid->addWidget(heading(QStringLiteral("Francs")), row, Francs, Qt::AlignCenter);
    grid->addWidget(heading(QStringLiteral("Euros")), row++, Euros, Qt::AlignCenter);
    addAmountRow(grid, row++, QStringLiteral("SALAIRE DE BASE ( Taux horaire X Base horaire ) "),
                 "Label11_0", &PaySheet::base_salary, "Label11_1", &PaySheet::base_salary_euro);
    addAmountRow(grid, row++, QStringLiteral("Heures complémentaires non majorées"), "Label12_0",
                 &PaySheet::plain_comp_amount, "Label12_1", &PaySheet::plain_comp_amount_euro);
    addOvertimeRow(grid, row++, QStringLiteral("Heures supplémentaires majorées  "), "Label37",
                   &PaySheet::band1_hours, "Label29", &PaySheet::band1_percent, "Label16",
                   &PaySheet::band1_amount, "Label21", &PaySheet::band1_amount_euro);
    addOvertimeRow(grid, row++, QStringLiteral("Heures supplémentaires majorées "), "Label39",
                   &PaySheet::band2_hours, "Label33", &PaySheet::band2_percent, "Label19",
                   &PaySheet::band2_amount, "Label20", &PaySheet::band2_amount_euro);
    addAmountRow(grid, row++, QStringLiteral("Congés payés"), "Label25", &PaySheet::leave_amount,
                 "Label28", &PaySheet::leave_amount_euro);
    addAmountRow(grid, row++, QStringLiteral("Commission sur chiffre"), "Label27",
                 &PaySheet::commission_amount, "Label35", &PaySheet::commission_amount_euro);
    addAmountRow(grid, row++, QStringLiteral("ABSENCES"), "Label26", &PaySheet::absence_amount,
                 "Label34", &PaySheet::absence_amount_euro);

    grid->addWidget(caption(QStringLiteral("Congés payés restant dûs")), row, Caption);
    grid->addWidget(result("conb", &PaySheet::leave_balance, HoursWidth), row, Hours);
    grid->addWidget(caption(QStringLiteral("Heure(s)")), row++, At, 1, 3);

    // The box is laid under its rows, so that its amounts share the columns
    // of the rows above and below it. It goes into the grid before them: a
    // cell then counts as holding the row's controls, and the rows inside
    // the box keep their spacing.
    grid->setRowMinimumHeight(row++, 4);
    auto *box = new QGroupBox(QStringLiteral("SALAIRE"));
    box->setFont(boldFont(box->font()));
    grid->addWidget(box, row, 0, 6, ColumnCount);
    grid->setRowMinimumHeight(row++, 16);
    // Captions inside the box stand off its frame.
    addAmountRow(grid, row++, QStringLiteral("Salaire Brut"), "Label45", &PaySheet::gross_pay, "Label49",
                 &PaySheet::gross_pay_euro)->setIndent(10);
    // What the employee receives stands out.
    QLabel *net = addAmountRow(grid, row++, QStringLiteral("Net à Payer "), "Label46", &PaySheet::net_to_pay,
                               "Label50", &PaySheet::net_to_pay_euro);
    net->setIndent(10);
    for (QLabel *label : {net, m_results.at(m_results.size() - 2).first, m_results.last().first})
        label->setFont(boldFont(label->font()));
    addAmountRow(grid, row++, QStringLiteral("Net Imposable"), "Label47", &PaySheet::taxable_net,
                 "Label51", &PaySheet::taxable_net_euro)->setIndent(10);
    addAmountRow(grid, row++, QStringLiteral("Cumul Imposable"), "Label48", &PaySheet::cumulative_taxable,
                 "Label52", &PaySheet::cumulative_taxable_euro)->setIndent(10);
    grid->setRowMinimumHeight(row++, 4);

    grid->setRowMinimumHeight(row++, 10);
    addAmountRow(grid, row++, QStringLiteral("Total des retenues Patronales"), "Label54",
                 &PaySheet::employer_total, "Label55", &PaySheet::employer_total_euro);
    addAmountRow(grid, row++, QStringLiteral("Total des retenues Salariales"), "Label57",
                 &PaySheet::employee_total, "Label58", &PaySheet::employee_total_euro);

    return panel;
}

QLayout *PreparationScreen::buildButtons()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    QPushButton *run = button("Lancer", QStringLiteral("Lancer le calcul"));
    withKey(run, Qt::Key_F5);
    connect(run, &QPushButton::clicked, this, &PreparationScreen::calculate);
    row->addWidget(run);
    for (const auto &[name, text, output, key] :
         {std::tuple{"Aperçu", "Aperçu avant impression", Output::Preview, Qt::Key_F6},
          std::tuple{"Imprimer", "Imprimer la fiche de Paie", Output::Print, Qt::Key_F7},
          std::tuple{"Enregistrement", "Enregistrement de la fiche", Output::Save, Qt::Key_F8}}) {
        QPushButton *outputButton = button(name, QString::fromUtf8(text));
        withKey(outputButton, key);
        connect(outputButton, &QPushButton::clicked, this, [this, which = output] { produce(which); });
        row->addWidget(outputButton);
    }
    QPushButton *back = button("Retour", QStringLiteral("Retour au fichier salariés"));
    connect(back, &QPushButton::clicked, this, &PreparationScreen::backToEmployees);
    row->addWidget(back);
    QPushButton *out = button("Sortie", QStringLiteral("Sortie"));
    connect(out, &QPushButton::clicked, this, &PreparationScreen::leave);
    row->addWidget(out);
    return row;
}

// Day, month and year, of any characters: the calculation joins them and
// makes a date of them when it can.
QHBoxLayout *PreparationScreen::periodLine(const std::array<const char *, 3> &names,
                                           const std::array<SheetText, 3> &values)
{
    auto *line = new QHBoxLayout;
    line->setSpacing(3);
    const std::array<QString, 3> tips = {QStringLiteral("Jour"), QStringLiteral("Mois"),
                                         QStringLiteral("Année")};
    const std::array<int, 3> lengths = {2, 2, 4};
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            line->addWidget(caption(QStringLiteral("/")));
        QLineEdit *field = input(names[i], values[i], tips[i], lengths[i] == 2 ? 30 : 46);
        field->setMaxLength(lengths[i]);
        field->setAlignment(Qt::AlignCenter);
        line->addWidget(field);
    }
    line->addStretch(1);
    return line;
}

QLineEdit *PreparationScreen::input(const char *name, SheetText value, const QString &tip, int width)
{
    auto *field = new QLineEdit;
    field->setObjectName(QString::fromUtf8(name));
    field->setToolTip(tip);
    field->setFixedWidth(width);
    m_inputs.append({field, value});
    return field;
}

QLineEdit *PreparationScreen::numericInput(const char *name, SheetText value, const QString &tip)
{
    QLineEdit *field = input(name, value, tip, InputWidth);
    field->setAlignment(Qt::AlignRight);
    NumericEntryFilter::install(field, NumericEntryFilter::Variant::WithoutSelection);
    return field;
}

QLabel *PreparationScreen::result(const char *name, SheetText value, int width)
{
    auto *label = new QLabel;
    label->setObjectName(QString::fromUtf8(name));
    // The employee's name and the figures as they stand, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMargin(2);
    label->setBackgroundRole(QPalette::Base);
    label->setAutoFillBackground(true);
    if (width > 0)
        label->setFixedWidth(width);
    m_results.append({label, value});
    return label;
}

QLabel *PreparationScreen::addAmountRow(QGridLayout *grid, int row, const QString &text, const char *francs,
                                        SheetText francsValue, const char *euros, SheetText eurosValue)
{
    QLabel *rowCaption = caption(text);
    grid->addWidget(rowCaption, row, Caption, 1, Francs - Caption);
    grid->addWidget(result(francs, francsValue, AmountWidth), row, Francs);
    grid->addWidget(result(euros, eurosValue, AmountWidth), row, Euros);
    return rowCaption;
}

void PreparationScreen::addOvertimeRow(QGridLayout *grid, int row, const QString &text, const char *hours,
                                       SheetText hoursValue, const char *percent, SheetText percentValue,
                                       const char *francs, SheetText francsValue, const char *euros,
                                       SheetText eurosValue)
{
    grid->addWidget(caption(text), row, Caption);
    grid->addWidget(result(hours, hoursValue, HoursWidth), row, Hours);
    grid->addWidget(caption(QStringLiteral("à")), row, At, Qt::AlignCenter);
    grid->addWidget(result(percent, percentValue, HoursWidth), row, Percent);
    grid->addWidget(caption(QStringLiteral("%")), row, PercentSign);
    grid->addWidget(result(francs, francsValue, AmountWidth), row, Francs);
    grid->addWidget(result(euros, eurosValue, AmountWidth), row, Euros);
}

QPushButton *PreparationScreen::button(const char *name, const QString &text)
{
    auto *pushButton = new QPushButton(text);
    pushButton->setObjectName(QString::fromUtf8(name));
    pushButton->setAutoDefault(false);
    return pushButton;
}

// The key acts as a click and is told in the tooltip, as on the employee
// screen. "Retour" and "Sortie" have none: a stray key would drop the
// figures typed.
void PreparationScreen::withKey(QPushButton *button, Qt::Key key)
{
    const QKeySequence sequence(key);
    button->setShortcut(sequence);
    button->setToolTip(QStringLiteral("Raccourci  [%1]").arg(sequence.toString(QKeySequence::PortableText)));
}

// A pay slip carries one employee: the figures of the screen were typed for
// this pay slip's employee, the employee screen's record is read for it.
bool PreparationScreen::refuseOtherEmployee(const PayInputScreens &screens)
{
    const PayInputScreens::EmployeeShown shown = screens.employeeShown();
    if (shown.key == m_employee.key)
        return false;
    const QString onView = shown.names.isEmpty()
        ? QStringLiteral("la fiche salarié ne montre aucun salarié")
        : QStringLiteral("la fiche salarié montre %1").arg(shown.names);
    QString advice = QStringLiteral("Affichez %1 sur la fiche salarié pour calculer, imprimer ou enregistrer "
                                    "cette fiche de paie")
                         .arg(m_employee.names);
    if (!shown.names.isEmpty())
        advice += QStringLiteral(", ou appuyez sur « Paie » de la fiche salarié pour préparer celle de %1")
                      .arg(shown.names);
    MessageBox::show(this,
                     QStringLiteral("Cette fiche de paie est celle de %1, mais %2 : rien n’a été calculé. %3.")
                         .arg(m_employee.names, onView, advice),
                     MessageBox::Exclamation, QStringLiteral("Calcul impossible"));
    return true;
}

bool PreparationScreen::calculate()
{
    const PayInputScreens screens(m_registry);
    if (refuseOtherEmployee(screens))
        return false;
    PaySheet sheet = m_sheet;
    readInputs(sheet);
    showCarryOverCue(sheet);
    if (const auto error = PayCalculation::calculate(sheet, screens.employee(), screens.parameters(),
                                                     screens.euroRate())) {
        MessageBox::show(this, error->message, MessageBox::Exclamation, QStringLiteral("Calcul impossible"));
        return false;
    }
    m_sheet = std::move(sheet);
    showSheet();
    // The calculation's last step: the cumulative gross goes to the pay slip.
    m_report->set_formula(m_sheet.cumulative_gross_formula.number, m_sheet.cumulative_gross_formula.text);
    return true;
}

// A failed attempt is tried once more from the first entry, once the
// clerk has acknowledged the printer warning; when the second fails as well
// the clerk is told so and the screen stays as it is.
void PreparationScreen::produce(Output output)
{
    if (!calculate())
        return;
    const PayInputScreens screens(m_registry);
    const QList<FormulaEntry> entries =
        PayslipFormulaSet::build(m_sheet, screens.employeeRecord(), screens.employer());
    // A saved slip says whose it is and for which period, for the pay history.
    m_report->setProperties(SlipSubject::properties(m_employee.key, m_sheet));
    const ReportError error = m_report->deliver(
        entries, [this, output](PayslipReport &report) { return finish(report, output); },
        [](const ReportError &first) {
            // Read before the second attempt, whose failure would replace it.
            if (first.number == ReportError::PrintFailed)
                ErrorDialog::acknowledge(QStringLiteral("Erreur d'impression"),
                                         QStringLiteral("VERIFIER VOS PARAMETRES IMPRIMANTE"));
        });
    if (!error.failed())
        return;
    const bool printing = output == Output::Print;
    const QString what = printing
        ? QStringLiteral("La fiche de paie n'a pas été imprimée, même à la seconde tentative.")
        : QStringLiteral("L'aperçu de la fiche de paie n'a pas pu être affiché, même à la seconde "
                         "tentative.");
    QString text = PayslipReport::failureText(what, error);
    if (error.number == ReportError::PrintFailed)
        text += QStringLiteral("\nVérifiez l'imprimante choisie dans Paramètrage > Configuration de "
                               "l'impression.");
    ErrorDialog::report(printing ? QStringLiteral("Impression impossible") : QStringLiteral("Aperçu impossible"),
                        text);
}

ReportError PreparationScreen::finish(PayslipReport &report, Output output)
{
    switch (output) {
    case Output::Preview:
        report.set_destination(ReportEngine::Window);
        return report.run();
    case Output::Print:
        report.set_destination(ReportEngine::Printer);
        return report.run();
    case Output::Save:
        openSaveDialog();
        return ReportError::success();
    }
    return ReportError::success();
}

PayslipSaveDialog *PreparationScreen::saveDialog() const
{
    return m_saveDialog;
}

// One dialog at a time: asked again, it comes forward with the name typed so far.
// A new one proposes the name the month's pay run gives the same slip.
void PreparationScreen::openSaveDialog()
{
    if (m_saveDialog) {
        m_saveDialog->refreshList();
    } else {
        m_saveDialog = new PayslipSaveDialog(*m_report, this);
        if (const std::optional<QString> name = systematicName())
            m_saveDialog->proposeName(*name);
    }
    m_saveDialog->show();
    m_saveDialog->raise();
    m_saveDialog->activateWindow();
}

// Nothing when the period typed is no period: a name made of it would
// mislead more than an empty field.
std::optional<QString> PreparationScreen::systematicName() const
{
    const std::optional<QDate> start = SlipSubject::periodStart(m_sheet);
    const std::optional<QDate> end = SlipSubject::periodEnd(m_sheet);
    if (!start || !end)
        return std::nullopt;
    const PayRunPeriod period(*start, *end);
    if (!period.isValid())
        return std::nullopt;
    return PayRunSlipName::name(period, m_employee.names);
}

void PreparationScreen::typeInputs(const PaySheet &typed)
{
    for (const auto &[field, value] : m_inputs)
        field->setText(typed.*value);
}

// The carry-over for the period typed on `sheet`: the one looked up last
// when the period is the same, else read from the working folder's pay
// history. Without `createHistory`, a folder with no history yet is left
// without one. Empty, with `why` set, when there is nothing to go by.
std::optional<CarryOver> PreparationScreen::carryOverFor(const PaySheet &sheet, bool createHistory, QString *why)
{
    const std::optional<QDate> start = SlipSubject::periodStart(sheet);
    if (!start) {
        *why = QStringLiteral("Tapez d'abord le premier jour de la période (« Période du ») : la dernière "
                              "fiche est celle qui se termine avant lui.");
        return std::nullopt;
    }
    if (m_carried && m_carried->periodStart == *start && !createHistory)
        return m_carried;
    const QString directory = QDir::currentPath();
    if (!createHistory && !QFileInfo::exists(QDir(directory).filePath(QLatin1String(PayHistory::FileName))))
        return std::nullopt;
    const PayHistory::Opening opening = PayHistory::open(directory);
    if (!opening.notices.isEmpty())
        ErrorDialog::report(QStringLiteral("Historique des paies"), opening.notices.join(u'\n'));
    if (!opening.history) {
        *why = opening.failure;
        return std::nullopt;
    }
    m_carried = opening.history->carryOver(m_employee.key, *start);
    return m_carried;
}

void PreparationScreen::takeLastSlip()
{
    PaySheet sheet = m_sheet;
    readInputs(sheet);
    QString why;
    const std::optional<CarryOver> carried = carryOverFor(sheet, true, &why);
    m_lastSlipCue->hide();
    if (!carried) {
        showLine(m_lastSlip, why);
        return;
    }
    showLine(m_lastSlip, carried->description());
    if (!carried->carried())
        return;
    const std::pair<const char *, QString> figures[] = {{"Text78", carried->previous_leave_balance},
                                                        {"Text77", carried->previous_cumulative_taxable},
                                                        {"Text79", carried->previous_cumulative_gross}};
    for (const auto &[name, text] : figures)
        findChild<QLineEdit *>(QString::fromLatin1(name))->setText(text);
}

// The line takes the height its wrapped text needs, which the window then
// makes room for.
void PreparationScreen::showLine(QLabel *line, const QString &text)
{
    line->setText(text);
    line->setMinimumHeight(line->heightForWidth(line->width()));
}

// A discreet word, not a refusal: the clerk may know better than the
// history (a slip of before the program, a correction on paper).
void PreparationScreen::showCarryOverCue(const PaySheet &sheet)
{
    QString why;
    const std::optional<CarryOver> carried = carryOverFor(sheet, false, &why);
    const bool differs = carried && !carried->agreesWith(sheet.previous_leave_balance,
                                                         sheet.previous_cumulative_taxable,
                                                         sheet.previous_cumulative_gross);
    m_lastSlipCue->setVisible(differs);
    if (!differs)
        return;
    const auto shown = [](const QString &text) { return text.isEmpty() ? QStringLiteral("vide") : text; };
    showLine(m_lastSlipCue, QStringLiteral("Ces trois chiffres diffèrent de la dernière fiche enregistrée, %1 : "
                                           "%2 heures, %3, %4.")
                                .arg(carried->source->description(), shown(carried->previous_leave_balance),
                                     shown(carried->previous_cumulative_taxable),
                                     shown(carried->previous_cumulative_gross)));
}

void PreparationScreen::readInputs(PaySheet &sheet) const
{
    for (const auto &[field, value] : m_inputs)
        sheet.*value = field->text();
}

// The typed fields show the calculation's "0" in what was left empty.
void PreparationScreen::showSheet()
{
    for (const auto &[field, value] : m_inputs)
        if (field->text() != m_sheet.*value)
            field->setText(m_sheet.*value);
    for (const auto &[label, value] : m_results)
        label->setText(m_sheet.*value);
}

// The sheet is discarded with the screen.
void PreparationScreen::backToEmployees()
{
    close();
    m_registry.show(ScreenName::Employee);
}

void PreparationScreen::leave()
{
    close();
    if (QWidget *employees = m_registry.find(ScreenName::Employee))
        employees->close();
}
