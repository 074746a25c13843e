#include "euroratescreen.h"

#include "errordialog.h"
#include "helpcontext.h"
#include "messagebox.h"
#include "numericentryfilter.h"
#include "schema.h"
#include "settingsmessages.h"
#include "settingsrules.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const char *RateColumn = "Taux de L'euro";
}

EuroRateScreen::EuroRateScreen(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("TEUR");
    setWindowTitle("Taux de l'euro");
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::EuroRate, true);

    auto *label = new QLabel("TAUX DE L'EURO");
    QFont labelFont = label->font();
    labelFont.setBold(true);
    label->setFont(labelFont);

    m_rate = new QLineEdit;
    m_rate->setObjectName("Text1");
    QFont rateFont = m_rate->font();
    rateFont.setPointSize(18);
    rateFont.setBold(true);
    m_rate->setFont(rateFont);
    m_rate->setFixedWidth(170);
    QPalette palette = m_rate->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 192));
    m_rate->setPalette(palette);
    NumericEntryFilter::install(m_rate, NumericEntryFilter::Variant::WithSelection);

    m_validate = new QPushButton;
    m_validate->setObjectName("Command1");
    m_validate->setIcon(QIcon(":/icons/validate.svg"));
    m_validate->setIconSize(QSize(32, 32));
    m_validate->setFixedSize(48, 48);
    m_validate->setToolTip("Valider");
    connect(m_validate, &QPushButton::clicked, this, &EuroRateScreen::validate);

    // Hidden unless the stored rate could not be read.
    m_failure = new QLabel;
    m_failure->setObjectName(QStringLiteral("ReadFailure"));
    m_failure->setWordWrap(true);
    m_failure->setFixedWidth(330);
    m_failure->setTextFormat(Qt::PlainText);
    m_failure->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    m_failure->setVisible(false);

    auto *row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(label);
    row->addWidget(m_rate);
    row->addWidget(m_validate);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 14, 14);
    layout->addLayout(row);
    layout->addWidget(m_failure);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    openRecord();
}

EuroRateScreen::~EuroRateScreen() = default;

void EuroRateScreen::openRecord()
{
    const StoreError error = m_record.open(Schema::mainDatabase(), "TEURO");
    if (error) {
        // No dialog here: a screen loaded unseen would raise it only for the
        // reader's own message to replace it at once.
        m_readFailure = error.message();
        m_failure->setText(QStringLiteral("Le taux de l’euro n’a pas pu être lu dans son fichier : "
                                          "il ne peut être ni montré ni enregistré.\n")
                           + m_readFailure);
        m_failure->setVisible(true);
        m_rate->setEnabled(false);
        m_validate->setEnabled(false);
        return;
    }
    m_rate->setText(m_record.text(RateColumn));
}

QString EuroRateScreen::rateText() const
{
    return m_rate->text();
}

bool EuroRateScreen::store()
{
    m_rate->setText(SettingsRules::validatedEuroRate(m_rate->text()));
    if (const StoreError error = m_record.write({{RateColumn, m_rate->text()}})) {
        MessageBox::show(this, SettingsMessages::refusedEuroRate(m_rate->text(), error),
                         MessageBox::Exclamation, QStringLiteral("ATTENTION "));
        return false;
    }
    return true;
}

void EuroRateScreen::validate()
{
    if (!store())
        return;
    m_stored = true;
    close();
}

void EuroRateScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_readFailure.isEmpty())
        ErrorDialog::report(QStringLiteral("Ouverture impossible"), m_readFailure);
}

void EuroRateScreen::closeEvent(QCloseEvent *event)
{
    // Closing by the window control stores the rate too; a refusal has been
    // told and does not hold the window.
    if (!m_stored && m_record.isOpen())
        store();
    event->accept();
}
