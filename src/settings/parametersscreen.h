#pragma once

#include "settingsrecord.h"
#include "settingsrules.h"

#include <QHash>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The general parameters (table PARMETRE): social security ceiling, overtime
// bands, CSG/RDS base and paid-leave accrual. The pay calculation reads the
// texts currently shown here, validated or not.
class ParametersScreen : public QWidget
{
    Q_OBJECT

public:
    explicit ParametersScreen(QWidget *parent = nullptr);
    ~ParametersScreen() override;

    // The current text of a field by its column name; the options give "1" or "0".
    QString fieldText(const QString &columnName) const;
    bool optionA() const;
    bool optionB() const;

private:
    void buildTabs();
    QWidget *ceilingTab();
    QWidget *overtimeTab();
    QWidget *csgTab();
    QWidget *leaveTab();
    QLineEdit *makeField(const QString &column, int width);
    QCheckBox *makeOption(const QString &column);
    void openRecord();
    void validate();
    bool refuseNonNumberThreshold(const SettingsRules::ParameterEntry &entry);

    SettingsRecord m_record;
    QTabWidget *m_tabs = nullptr;
    QHash<QString, QLineEdit *> m_fields;
    QCheckBox *m_optionA = nullptr;
    QCheckBox *m_optionB = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_validate = nullptr;
};
