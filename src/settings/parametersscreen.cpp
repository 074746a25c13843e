#include "parametersscreen.h"

#include "errordialog.h"
#include "helpcontext.h"
#include "messagebox.h"
#include "numericentryfilter.h"
#include "schema.h"
#include "settingsmessages.h"
#include "settingsrules.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QColor LightYellow(255, 255, 192);

// A tab reads as sentences: each row is a line of labels and fields.
QHBoxLayout *sentence(QVBoxLayout *tab)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    tab->addLayout(row);
    return row;
}

QVBoxLayout *tabLayout(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(16, 20, 16, 16);
    layout->setSpacing(14);
    return layout;
}

void finish(QVBoxLayout *tab)
{
    for (int i = 0; i < tab->count(); ++i)
        if (auto *row = qobject_cast<QHBoxLayout *>(tab->itemAt(i)->layout()))
            row->addStretch(1);
    tab->addStretch(1);
}

} // namespace

ParametersScreen::ParametersScreen(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("PARAM");
    setWindowTitle("Paramètre");
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Parameters, true);

    buildTabs();

    m_cancel = new QPushButton("Annuler");
    m_cancel->setObjectName("Annuler");
    m_validate = new QPushButton("Valider");
    m_validate->setObjectName("Valider");
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_validate, &QPushButton::clicked, this, &ParametersScreen::validate);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_validate);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    openRecord();
}

ParametersScreen::~ParametersScreen() = default;

void ParametersScreen::buildTabs()
{
    m_tabs = new QTabWidget;
    m_tabs->addTab(ceilingTab(), "Plafond par tranche");
    m_tabs->addTab(overtimeTab(), "Taux heures sup");
    m_tabs->addTab(csgTab(), "Calcul CSG RDS");
    m_tabs->addTab(leaveTab(), "Congés Payés");
    m_tabs->setCurrentIndex(1);

    connect(m_optionA, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            m_optionB->setChecked(false);
    });
    connect(m_optionB, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            m_optionA->setChecked(false);
    });
}

QWidget *ParametersScreen::ceilingTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    QHBoxLayout *row = sentence(layout);
    row->addWidget(new QLabel("Plafond Sécurité Social "));
    row->addWidget(makeField("PLAFONTRAADEBUT", 110));
    finish(layout);
    return tab;
}

QWidget *ParametersScreen::overtimeTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    QHBoxLayout *band1 = sentence(layout);
    band1->addWidget(makeField("PRETRANCHEH", 60));
    band1->addWidget(new QLabel("% Pour les heures effectuées au delà de la "));
    band1->addWidget(makeField("HEURSUP1", 50));
    band1->addWidget(new QLabel("Jusqu'à la"));
    band1->addWidget(makeField("HEURSUP2", 50));
    band1->addWidget(new QLabel("mensuel."));
    QHBoxLayout *band2 = sentence(layout);
    band2->addWidget(makeField("DEUTRANCHEH", 60));
    band2->addWidget(new QLabel("% au delà."));
    finish(layout);
    return tab;
}

QWidget *ParametersScreen::csgTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    QHBoxLayout *a = sentence(layout);
    a->addWidget(m_optionA = makeOption("OPTIONA"));
    a->addWidget(new QLabel("Base CSG et RDS ="));
    a->addWidget(new QLabel("( Gain total après déduction"));
    a->addWidget(makeField("POURCENTCSGRDS", 60));
    a->addWidget(new QLabel("% sur le salaire brut )"));
    QHBoxLayout *b = sentence(layout);
    b->addWidget(m_optionB = makeOption("OPTIONB"));
    b->addWidget(new QLabel("Base CSG et RDS = ( Brut + Prévoyance Employeur + Part Patronale "
                            "PARAMETRE 1 ) X "));
    b->addWidget(makeField("POURCENTCSGROPTIOB", 60));
    finish(layout);
    return tab;
}

QWidget *ParametersScreen::leaveTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    QHBoxLayout *row = sentence(layout);
    row->addWidget(new QLabel("Nombre d'heure(s) de congés payés dù "));
    row->addWidget(makeField("conge1", 50));
    row->addWidget(new QLabel("sur la base  total de "));
    row->addWidget(makeField("conge2", 50));
    row->addWidget(new QLabel("heures."));
    for (const char *column : {"conge1", "conge2"})
        m_fields[column]->setToolTip("Exemple : 20 heures sur la base de 169 heures");
    finish(layout);
    return tab;
}

QLineEdit *ParametersScreen::makeField(const QString &column, int width)
{
    auto *field = new QLineEdit;
    field->setObjectName(column);
    field->setFixedWidth(width);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, LightYellow);
    field->setPalette(palette);
    // The hour thresholds take any text; every other field is a number.
    if (column != "HEURSUP1" && column != "HEURSUP2")
        NumericEntryFilter::install(field, NumericEntryFilter::Variant::WithoutSelection);
    m_fields.insert(column, field);
    return field;
}

QCheckBox *ParametersScreen::makeOption(const QString &column)
{
    auto *option = new QCheckBox;
    option->setObjectName(column);
    return option;
}

void ParametersScreen::openRecord()
{
    const StoreError error = m_record.open(Schema::mainDatabase(), "PARMETRE");
    if (error) {
        ErrorDialog::report("Ouverture impossible", error.message());
        m_tabs->setEnabled(false);
        m_validate->setEnabled(false);
        return;
    }
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        it.value()->setText(m_record.text(it.key()));
    // Options are set A then B so that a damaged record with both ticked
    // still shows at most one.
    m_optionA->setChecked(m_record.text("OPTIONA") == "1");
    m_optionB->setChecked(m_record.text("OPTIONB") == "1");
}

// Refused here rather than at the next pay calculation; nothing is changed
// or written, and the field waits on its tab, its text selected.
bool ParametersScreen::refuseNonNumberThreshold(const SettingsRules::ParameterEntry &entry)
{
    const QString column = SettingsRules::firstNonNumberThreshold(entry);
    if (column.isEmpty())
        return false;
    QLineEdit *field = m_fields.value(column);
    MessageBox::show(this, SettingsRules::thresholdNotANumber(column, field->text()),
                     MessageBox::Exclamation, QStringLiteral("ERREUR DE SAISIE "));
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i)->isAncestorOf(field))
            m_tabs->setCurrentIndex(i);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return true;
}

QString ParametersScreen::fieldText(const QString &columnName) const
{
    if (columnName == "OPTIONA")
        return optionA() ? "1" : "0";
    if (columnName == "OPTIONB")
        return optionB() ? "1" : "0";
    const QLineEdit *field = m_fields.value(columnName);
    return field ? field->text() : QString();
}

bool ParametersScreen::optionA() const
{
    return m_optionA->isChecked();
}

bool ParametersScreen::optionB() const
{
    return m_optionB->isChecked();
}

void ParametersScreen::validate()
{
    SettingsRules::ParameterEntry entry;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        entry.texts.insert(it.key(), it.value()->text());
    entry.optionA = optionA();
    entry.optionB = optionB();
    if (refuseNonNumberThreshold(entry))
        return;

    entry = SettingsRules::validatedParameters(entry);
    // The defaults show on the screen, and stay there if the write is refused.
    m_optionA->setChecked(entry.optionA);
    m_optionB->setChecked(entry.optionB);
    for (auto it = entry.texts.cbegin(); it != entry.texts.cend(); ++it)
        m_fields[it.key()]->setText(it.value());

    QMap<QString, QString> record = entry.texts;
    record.insert("OPTIONA", entry.optionA ? "1" : "0");
    record.insert("OPTIONB", entry.optionB ? "1" : "0");
    if (const StoreError error = m_record.write(record)) {
        MessageBox::show(this,
                         SettingsMessages::refusedWrite(
                             QStringLiteral("ERREUR N°524 : ENREGISTREMENT IMPOSSIBLE"),
                             QStringLiteral("Les paramètres généraux n’ont pas été enregistrés."),
                             error),
                         MessageBox::Exclamation, QStringLiteral("ERREUR DE SAISIE "));
        return;
    }
    close();
}
