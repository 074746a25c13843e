#pragma once

#include <QObject>
#include <QRect>
#include <array>

class BasePanel;
class EmployeePanel;
class IdentityPanel;
class QWidget;
class RatesPanel;
class TabButton;

// The three panels of the employee screen under their tabs "Salarié",
// "Taux des Cotisations" and "Base" (keys F2 to F4): one panel in front at a
// time, its tab caption bold, and what the screen does to all three panels
// at once.
class EmployeeTabs : public QObject
{
    Q_OBJECT

public:
    enum class Panel { Identity, Rates, Base };

    // Builds the panels and their tabs on `screen`.
    explicit EmployeeTabs(QWidget *screen);

    // Where the panels lie on the screen.
    static QRect panelArea() { return {12, 46, 756, 440}; }

    IdentityPanel *identity() const { return m_identity; }
    RatesPanel *rates() const { return m_rates; }
    BasePanel *base() const { return m_base; }
    EmployeePanel *panel(Panel which) const;
    Panel active() const;

    // Brings `which` to the front after the browsing checks: "<Rien>" for
    // a missing social security number when an employee is on view, the
    // browsing form of the rates and the bases. The panel gets the focus.
    void show(Panel which, bool employeeOnView);
    // The focus rule of the panel in front.
    void focusRule();
    // What browsing does to the rates and the bases.
    void browseFigures();
    // The header lines of every panel: the surname and first name on view.
    void updateHeaders();
    void setEditorsLocked(bool locked);
    void clearFields();

signals:
    // A tab was clicked, or its key F2, F3 or F4 pressed.
    void tabChosen(EmployeeTabs::Panel which);

private:
    void buildTab(QWidget *screen, int index, const char *name, const char *caption, const char *icon);

    IdentityPanel *m_identity;
    RatesPanel *m_rates;
    BasePanel *m_base;
    std::array<TabButton *, 3> m_tabs{};
};
