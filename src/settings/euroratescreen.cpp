#include "euroratescreen.h"

#include "errordialog.h"
#include "helpcontext.h"
#include "messagebox.h"
#include "numericentryfilter.h"
#include "schema.h"
#include "settingsrules.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 14, 14, 14);
    layout->setSpacing(12);
    layout->addWidget(label);
    layout->addWidget(m_rate);
    layout->addWidget(m_validate);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    openRecord();
}

EuroRateScreen::~EuroRateScreen() = default;

void EuroRateScreen::openRecord()
{
    const StoreError error = m_record.open(Schema::mainDatabase(), "TEURO");
    if (error) {
        ErrorDialog::report("Ouverture impossible", error.message());
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
    if (m_record.write({{RateColumn, m_rate->text()}})) {
        MessageBox::show(this, "TAPER LE TAUX DE L'EURO", MessageBox::Exclamation, "ATTENTION ");
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

void EuroRateScreen::closeEvent(QCloseEvent *event)
{
    // Closing by the window control stores the rate too; a refusal has been
    // told and does not hold the window.
    if (!m_stored && m_record.isOpen())
        store();
    event->accept();
}
