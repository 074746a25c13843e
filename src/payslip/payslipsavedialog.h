#pragma once

#include <QDialog>

class PayslipReport;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Enregistrer la fiche de paie sous": the clerk names the pay slip just
// prepared and the preparation screen's report object writes it as
// name + ".rpt" in the working directory; a pay slip already saved under
// that name is replaced only after the clerk has said "Oui".
// Not modal: the preparation screen stays usable, and the file written
// carries the entries of the last pay slip action done before "Enregistrer".
class PayslipSaveDialog : public QDialog
{
    Q_OBJECT

public:
    // The dialog lives inside `parent`, the preparation screen that owns
    // `report`, so it never outlives the report it writes with.
    PayslipSaveDialog(PayslipReport &report, QWidget *parent);

    // Reads the saved pay slips of the working directory again.
    void refreshList();
    // Puts `name` in the name field, selected, so that typing replaces it
    // and Enter takes it as it stands.
    void proposeName(const QString &name);

private:
    void save();
    void recordInHistory(const QString &file);
    QPushButton *button(const QString &name, const QString &text);

    PayslipReport &m_report;
    QListWidget *m_existing;
    QLineEdit *m_name;
    QComboBox *m_type;
    QPushButton *m_save;
    QPushButton *m_cancel;
};
