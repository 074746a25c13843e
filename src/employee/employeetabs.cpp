#include "employeetabs.h"

#include "basepanel.h"
#include "employeerules.h"
#include "identitypanel.h"
#include "ratespanel.h"
#include "tabbutton.h"

#include <QLineEdit>
#include <QShortcut>

EmployeeTabs::EmployeeTabs(QWidget *screen)
    : QObject(screen)
    , m_identity(new IdentityPanel(screen))
    , m_rates(new RatesPanel(screen))
    , m_base(new BasePanel(screen))
{
    for (EmployeePanel *each : {panel(Panel::Identity), panel(Panel::Rates), panel(Panel::Base)})
        each->setGeometry(panelArea());
    buildTab(screen, 0, "Picture4", "Salarié", ":/icons/tab-employee.svg");
    buildTab(screen, 1, "Picture5", "Taux des Cotisations", ":/icons/tab-rates.svg");
    buildTab(screen, 2, "Picture6", "Base", ":/icons/tab-base.svg");
}

void EmployeeTabs::buildTab(QWidget *screen, int index, const char *name, const char *caption,
                            const char *icon)
{
    auto *tab = new TabButton(QString::fromUtf8(caption), QString::fromLatin1(icon), screen);
    tab->setObjectName(QString::fromLatin1(name));
    tab->setGeometry(panelArea().x() + 6 + index * 214, 10, 208, 37);
    tab->setToolTip(QStringLiteral("Raccourci  [F%1]").arg(index + 2));
    const auto which = Panel(index);
    connect(tab, &TabButton::clicked, this, [this, which] { emit tabChosen(which); });
    // The screen sees the key before its fields do.
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_F2 + index), screen);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, which] { emit tabChosen(which); });
    m_tabs[index] = tab;
}

EmployeePanel *EmployeeTabs::panel(Panel which) const
{
    switch (which) {
    case Panel::Rates: return m_rates;
    case Panel::Base: return m_base;
    case Panel::Identity: break;
    }
    return m_identity;
}

EmployeeTabs::Panel EmployeeTabs::active() const
{
    if (m_tabs[1]->isActive())
        return Panel::Rates;
    if (m_tabs[2]->isActive())
        return Panel::Base;
    return Panel::Identity;
}

void EmployeeTabs::show(Panel which, bool employeeOnView)
{
    if (employeeOnView && m_identity->identityText(EmployeeRules::Ssn).isEmpty())
        m_identity->setIdentity(EmployeeRules::Ssn, EmployeeRules::noSsn(QString()));
    browseFigures();
    for (Panel each : {Panel::Identity, Panel::Rates, Panel::Base})
        panel(each)->setVisible(each == which);
    panel(which)->raise();
    for (int i = 0; i < 3; ++i)
        m_tabs[i]->setActive(i == int(which));
    panel(which)->focusEditorOrFirstField();
}

void EmployeeTabs::focusRule()
{
    panel(active())->focusEditorOrFirstField();
}

void EmployeeTabs::browseFigures()
{
    m_rates->browseRates();
    m_base->normaliseBases();
}

void EmployeeTabs::updateHeaders()
{
    const QString surname = m_identity->identityText(EmployeeRules::Surname);
    const QString firstName = m_identity->identityText(EmployeeRules::FirstName);
    for (Panel each : {Panel::Identity, Panel::Rates, Panel::Base})
        panel(each)->setHeaders(surname, firstName);
}

void EmployeeTabs::setEditorsLocked(bool locked)
{
    m_identity->editor()->setLocked(locked);
    m_rates->editor()->setLocked(locked);
    m_base->editor()->setLocked(locked);
}

void EmployeeTabs::clearFields()
{
    for (Panel each : {Panel::Identity, Panel::Rates, Panel::Base})
        for (QLineEdit *field : panel(each)->fields())
            field->clear();
}
