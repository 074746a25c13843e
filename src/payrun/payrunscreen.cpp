#include "payrunscreen.h"

#include "errordialog.h"
#include "messagebox.h"
#include "payrun.h"
#include "payruncsv.h"
#include "payrundelegate.h"
#include "payrundraft.h"
#include "payrunhistory.h"
#include "payrunmodel.h"
#include "payrunoutputs.h"
#include "screennames.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString workingDirectory()
{
    return QDir::currentPath();
}

QString shortcutTip(const QString &tip, const QKeySequence &key)
{
    return key.isEmpty() ? tip : QStringLiteral("%1  Raccourci  [%2]").arg(tip, key.toString(QKeySequence::NativeText));
}

} // namespace

PayRunScreen::PayRunScreen(const PrinterChoice *printers, QWidget *parent)
    : QWidget(parent)
    , m_model(std::make_unique<PayRunModel>())
    , m_outputs(std::make_unique<PayRunOutputs>(this, printers))
    , m_grid(new QTableView)
    , m_status(new QLabel)
{
    setObjectName(ScreenName::PayRun);
    setWindowTitle(QStringLiteral("Paie du mois"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_grid->setObjectName(QStringLiteral("GrillePaie"));
    m_grid->setModel(m_model.get());
    m_grid->setItemDelegate(new PayRunDelegate(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!PayRunModel::figureOf(index.column()))
            openRow(index.row());
    });
    connect(m_model.get(), &PayRunModel::figuresEdited, this, &PayRunScreen::keepDraft);

    m_status->setObjectName(QStringLiteral("EtatPaie"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addLayout(buildPeriod());
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    layout->addLayout(buildButtons());
    resize(1270, 560);

    openPeriod(nextMonthToPay(workingDirectory()));
}

PayRunPeriod PayRunScreen::nextMonthToPay(const QString &directory)
{
    const std::optional<QDate> paid = PayRunHistory(directory).lastPaidDay();
    const QDate next = paid ? paid->addDays(1) : QDate::currentDate();
    return PayRunPeriod::month(next.year(), next.month());
}

PayRunScreen::~PayRunScreen() = default;

QLayout *PayRunScreen::buildPeriod()
{
    m_month = new QComboBox;
    m_month->setObjectName(QStringLiteral("MoisPaie"));
    const QLocale french(QLocale::French, QLocale::France);
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(french.standaloneMonthName(month));
    m_year = new QSpinBox;
    m_year->setObjectName(QStringLiteral("AnneePaie"));
    m_year->setRange(1990, 2099);
    m_year->setGroupSeparatorShown(false);
    m_first = new QLineEdit;
    m_first->setObjectName(QStringLiteral("DebutPeriode"));
    m_first->setToolTip(QStringLiteral("Premier jour de la période (JJ/MM/AAAA)"));
    m_last = new QLineEdit;
    m_last->setObjectName(QStringLiteral("FinPeriode"));
    m_last->setToolTip(QStringLiteral("Dernier jour de la période (JJ/MM/AAAA)"));
    for (QLineEdit *day : {m_first, m_last}) {
        day->setFixedWidth(96);
        day->setMaxLength(10);
        day->setAlignment(Qt::AlignCenter);
        connect(day, &QLineEdit::returnPressed, this, &PayRunScreen::typedPeriod);
    }
    connect(m_month, &QComboBox::activated, this, &PayRunScreen::monthChosen);
    connect(m_year, &QSpinBox::editingFinished, this, &PayRunScreen::monthChosen);
    auto *show = new QPushButton(QStringLiteral("Afficher la période"));
    show->setObjectName(QStringLiteral("AfficherPeriode"));
    show->setAutoDefault(false);
    connect(show, &QPushButton::clicked, this, &PayRunScreen::typedPeriod);

    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(new QLabel(QStringLiteral("Mois")));
    row->addWidget(m_month);
    row->addWidget(m_year);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("Période du")));
    row->addWidget(m_first);
    row->addWidget(new QLabel(QStringLiteral("au")));
    row->addWidget(m_last);
    row->addWidget(show);
    row->addStretch(1);
    return row;
}

QPushButton *PayRunScreen::button(const char *name, const QString &caption, const QString &tip,
                                  const QKeySequence &key)
{
    auto *pushButton = new QPushButton(caption);
    pushButton->setObjectName(QString::fromUtf8(name));
    pushButton->setAutoDefault(false);
    pushButton->setToolTip(shortcutTip(tip, key));
    if (!key.isEmpty()) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, pushButton, &QPushButton::click);
    }
    return pushButton;
}

QLayout *PayRunScreen::buildButtons()
{
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    const auto add = [this, row](const char *name, const QString &caption, const QString &tip,
                                 const QKeySequence &key, auto action) {
        QPushButton *pushButton = button(name, caption, tip, key);
        connect(pushButton, &QPushButton::clicked, this, action);
        row->addWidget(pushButton);
    };
    add("Calculer", QStringLiteral("Calculer"), QStringLiteral("Calculer la paie de chaque salarié"),
        QKeySequence(Qt::Key_F9), &PayRunScreen::calculate);
    add("Detail", QStringLiteral("Fiche détaillée"),
        QStringLiteral("Ouvrir la préparation de la fiche de paie du salarié choisi, ses chiffres tapés"),
        QKeySequence(Qt::Key_F4), &PayRunScreen::openCurrentRow);
    add("Apercu", QStringLiteral("Aperçu"), QStringLiteral("Afficher toutes les fiches calculées, une page chacune"),
        QKeySequence(Qt::Key_F5), &PayRunScreen::preview);
    add("Imprimer", QStringLiteral("Imprimer"), QStringLiteral("Imprimer toutes les fiches calculées"),
        QKeySequence(), &PayRunScreen::print);
    add("Enregistrer", QStringLiteral("Enregistrer"),
        QStringLiteral("Enregistrer une fiche de paie par salarié calculé"), QKeySequence(Qt::Key_F6),
        &PayRunScreen::save);
    add("Pdf", QStringLiteral("PDF"), QStringLiteral("Écrire toutes les fiches calculées dans un fichier PDF"),
        QKeySequence(), &PayRunScreen::askPdf);
    add("Importer", QStringLiteral("Importer…"),
        QStringLiteral("Lire les chiffres du mois dans un fichier CSV (point-virgule, virgule décimale)"),
        QKeySequence(), &PayRunScreen::askImport);
    row->addStretch(1);
    add("Fermer", QStringLiteral("Fermer"), QStringLiteral("Fermer la paie du mois ; les chiffres tapés sont gardés"),
        QKeySequence(Qt::Key_Escape), &QWidget::close);
    return row;
}

bool PayRunScreen::openPeriod(const PayRunPeriod &period)
{
    m_period = period;
    showPeriodFields();
    const PayRunHistory history(workingDirectory());
    auto opened = PayRun::open(workingDirectory(), period, history);
    if (const QString *error = std::get_if<QString>(&opened)) {
        m_model->setRun(PayRun(StoredStaff(), period));
        setStatus(*error);
        MessageBox::show(this, *error, MessageBox::Exclamation, QStringLiteral("Paie du mois"));
        return false;
    }
    PayRun &run = std::get<PayRun>(opened);
    const QString notice = PayRunDraft::restore(workingDirectory(), run);
    m_model->setRun(std::move(run));
    showRefusals();
    m_grid->resizeColumnsToContents();
    showOpened();
    if (!history.notices().isEmpty())
        MessageBox::show(this, history.notices().join(QStringLiteral("\n\n")), MessageBox::Exclamation,
                         QStringLiteral("Historique des paies"));
    if (!notice.isEmpty())
        MessageBox::show(this, notice, MessageBox::Exclamation, QStringLiteral("Brouillon de la paie"));
    return true;
}

// A period already paid says so: « Enregistrer » would replace its slips.
void PayRunScreen::showOpened()
{
    const PayRun &run = m_model->run();
    int saved = 0;
    for (int row = 0; row < run.size(); ++row)
        saved += run.row(row).savedFile.isEmpty() ? 0 : 1;
    QString text = QStringLiteral("Période %1 : %2 salarié(s).").arg(run.period().text(), QString::number(run.size()));
    if (saved == 1)
        text += QStringLiteral(" 1 salarié a déjà sa fiche de la période (colonne « Fiche enregistrée ») : "
                               "« Enregistrer » la remplacerait, après confirmation.");
    else if (saved > 1)
        text += QStringLiteral(" %1 salariés ont déjà leur fiche de la période (colonne « Fiche enregistrée ») : "
                               "« Enregistrer » les remplacerait, après confirmation.").arg(saved);
    else
        text += QStringLiteral(" Tapez les chiffres du mois, puis « Calculer ».");
    setStatus(text);
}

void PayRunScreen::showPeriodFields()
{
    m_month->setCurrentIndex(m_period.first().month() - 1);
    m_year->setValue(m_period.first().year());
    m_first->setText(PayRunPeriod::dayText(m_period.first()));
    m_last->setText(PayRunPeriod::dayText(m_period.last()));
}

void PayRunScreen::monthChosen()
{
    const PayRunPeriod month = PayRunPeriod::month(m_year->value(), m_month->currentIndex() + 1);
    if (!(month == m_period))
        openPeriod(month);
}

void PayRunScreen::typedPeriod()
{
    auto read = PayRunPeriod::read(m_first->text(), m_last->text());
    if (const QString *error = std::get_if<QString>(&read)) {
        MessageBox::show(this, *error, MessageBox::Exclamation, QStringLiteral("Période refusée"));
        return;
    }
    if (!(std::get<PayRunPeriod>(read) == m_period))
        openPeriod(std::get<PayRunPeriod>(read));
}

void PayRunScreen::keepDraft()
{
    const QString failure = PayRunDraft::save(workingDirectory(), m_model->run());
    if (!failure.isEmpty())
        ErrorDialog::report(QStringLiteral("Brouillon non gardé"), failure);
    showRefusals();
}

// A refused row says why across its four results.
void PayRunScreen::showRefusals()
{
    m_grid->clearSpans();
    const PayRun &run = m_model->run();
    for (int row = 0; row < run.size(); ++row) {
        if (!run.row(row).refusal.isEmpty())
            m_grid->setSpan(row, PayRunModel::GrossPay, 1, PayRunModel::NetToPay - PayRunModel::GrossPay + 1);
    }
}

// A figure still in its editor (a shortcut pressed while typing) is part
// of what is computed.
void PayRunScreen::commitEditedFigure()
{
    if (QWidget *editor = m_grid->indexWidget(m_grid->currentIndex())) {
        emit m_grid->itemDelegate()->commitData(editor);
        emit m_grid->itemDelegate()->closeEditor(editor);
    }
}

void PayRunScreen::calculate()
{
    commitEditedFigure();
    m_model->run().calculate();
    m_model->refresh();
    showRefusals();
    showComputed();
    m_grid->resizeColumnsToContents();
}

void PayRunScreen::showComputed()
{
    const PayRunTotals totals = m_model->run().totals();
    QString text = QStringLiteral("%1 fiche(s) calculée(s)").arg(totals.computed);
    if (totals.refused > 0)
        text += QStringLiteral(", %1 refusée(s) : le message de la ligne dit quoi corriger").arg(totals.refused);
    setStatus(text + u'.');
}

void PayRunScreen::openRow(int row)
{
    const PayRun &run = m_model->run();
    if (!m_openPreparation || row < 0 || row >= run.size())
        return;
    const PayRunRow &chosen = run.row(row);
    PaySheet typed;
    const auto &definitions = PayRunFigures::definitions();
    for (int figure = 0; figure < PayRunFigures::Count; ++figure)
        typed.*definitions[figure].field = chosen.figures[figure];
    typed.period_start_day = m_period.first().toString(QStringLiteral("dd"));
    typed.period_start_month = m_period.first().toString(QStringLiteral("MM"));
    typed.period_start_year = m_period.first().toString(QStringLiteral("yyyy"));
    typed.period_end_day = m_period.last().toString(QStringLiteral("dd"));
    typed.period_end_month = m_period.last().toString(QStringLiteral("MM"));
    typed.period_end_year = m_period.last().toString(QStringLiteral("yyyy"));
    m_employeeRequest = chosen.identification;
    m_openPreparation(chosen.identification, typed);
}

void PayRunScreen::openCurrentRow()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || m_model->isTotalsRow(current.row())) {
        MessageBox::show(this, QStringLiteral("Choisissez d’abord le salarié dans la grille."),
                         MessageBox::Information, QStringLiteral("Fiche détaillée"));
        return;
    }
    openRow(current.row());
}

// Every output computes first, so that the slips match the grid.
void PayRunScreen::preview()
{
    calculate();
    setStatus(m_outputs->preview(m_model->run()));
}

void PayRunScreen::print()
{
    calculate();
    setStatus(m_outputs->print(m_model->run()));
}

void PayRunScreen::save()
{
    calculate();
    const QString outcome = m_outputs->save(m_model->run());
    m_model->refresh();
    // The saved figures are the slips' now; what was not saved stays drafted.
    keepDraft();
    if (!outcome.isEmpty())
        setStatus(outcome);
}

void PayRunScreen::writePdf(const QString &path)
{
    calculate();
    setStatus(m_outputs->writePdf(m_model->run(), path));
}

bool PayRunScreen::importFile(const QString &path)
{
    auto content = PayRunCsv::readFile(path);
    if (const QString *error = std::get_if<QString>(&content)) {
        MessageBox::show(this, *error, MessageBox::Exclamation, QStringLiteral("Import refusé"));
        return false;
    }
    auto read = PayRunCsv::read(std::get<QByteArray>(content), m_model->run());
    if (const QStringList *refusals = std::get_if<QStringList>(&read)) {
        MessageBox::show(this, PayRunCsv::refusalReport(QFileInfo(path).fileName(), *refusals),
                         MessageBox::Exclamation, QStringLiteral("Import refusé"));
        return false;
    }
    const PayRunCsv::Import &import = std::get<PayRunCsv::Import>(read);
    PayRunCsv::apply(import, m_model->run());
    m_model->refresh();
    keepDraft();
    setStatus(QStringLiteral("« %1 » importé : les chiffres de %2 salarié(s). Appuyez sur « Calculer ».")
                  .arg(QFileInfo(path).fileName(), QString::number(import.size())));
    return true;
}

void PayRunScreen::askPdf()
{
    const QString suggested = QDir::current().filePath(QStringLiteral("fiches de paie %1.pdf").arg(m_period.key()));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Fiches de paie en PDF"), suggested,
                                                QStringLiteral("Documents PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    writePdf(path);
}

void PayRunScreen::askImport()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Importer les chiffres du mois"),
                                                      QDir::currentPath(),
                                                      QStringLiteral("Fichiers CSV (*.csv);;Tous les fichiers (*)"));
    if (!path.isEmpty())
        importFile(path);
}

ReportPreview *PayRunScreen::previewWindow() const
{
    return m_outputs->previewWindow();
}

QString PayRunScreen::statusText() const
{
    return m_status->text();
}

void PayRunScreen::setStatus(const QString &text)
{
    m_status->setText(text);
}
