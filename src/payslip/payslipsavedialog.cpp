#include "payslipsavedialog.h"

#include "errordialog.h"
#include "messagebox.h"
#include "payhistory.h"
#include "payslipfilename.h"
#include "payslipreport.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

PayslipSaveDialog::PayslipSaveDialog(PayslipReport &report, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_existing(new QListWidget)
    , m_name(new QLineEdit)
    , m_type(new QComboBox)
{
    setObjectName(QStringLiteral("PayslipSaveDialog"));
    setWindowTitle(QStringLiteral("Enregistrer la fiche de paie sous"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    // Only to show which names are taken: choosing one does nothing.
    m_existing->setObjectName(QStringLiteral("ExistingPayslips"));
    m_existing->setSelectionMode(QAbstractItemView::NoSelection);
    m_existing->setFocusPolicy(Qt::NoFocus);
    m_name->setObjectName(QStringLiteral("PayslipName"));
    m_type->setObjectName(QStringLiteral("PayslipType"));
    m_type->addItem(QLatin1String(PayslipFileName::Pattern));
    m_save = button(QStringLiteral("Save"), QStringLiteral("&Enregistrer"));
    m_save->setDefault(true);
    m_cancel = button(QStringLiteral("Cancel"), QStringLiteral("A&nnuler"));
    connect(m_save, &QPushButton::clicked, this, &PayslipSaveDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *nameCaption = new QLabel(QStringLiteral("Nom :"));
    nameCaption->setBuddy(m_name);
    auto *typeCaption = new QLabel(QStringLiteral("Type :"));
    typeCaption->setBuddy(m_type);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(new QLabel(QStringLiteral("Dans la liste des fiches de paie.")), 0, 0, 1, 3);
    grid->addWidget(m_existing, 1, 0, 1, 3);
    grid->addWidget(nameCaption, 2, 0);
    grid->addWidget(m_name, 2, 1);
    grid->addWidget(m_save, 2, 2);
    grid->addWidget(typeCaption, 3, 0);
    grid->addWidget(m_type, 3, 1);
    grid->addWidget(m_cancel, 3, 2);
    grid->setColumnStretch(1, 1);

    refreshList();
    m_name->setFocus();
    resize(400, 320);
}

QPushButton *PayslipSaveDialog::button(const QString &name, const QString &text)
{
    auto *pushButton = new QPushButton(text);
    pushButton->setObjectName(name);
    pushButton->setMinimumWidth(96);
    return pushButton;
}

void PayslipSaveDialog::proposeName(const QString &name)
{
    m_name->setText(name);
    m_name->selectAll();
}

void PayslipSaveDialog::refreshList()
{
    m_existing->clear();
    m_existing->addItems(PayslipFileName::savedPayslips(QDir::current()));
}

// Saved pay slips are the clerk's record of past months: one is replaced
// only when the clerk says so, "Non" being the answer by default.
void PayslipSaveDialog::save()
{
    const QString name = m_name->text();
    if (name.isEmpty())
        return;
    if (const QString refusal = PayslipFileName::refusal(name); !refusal.isEmpty()) {
        ErrorDialog::report(QStringLiteral("Nom refusé"), refusal);
        return;
    }
    const QString file = PayslipFileName::fileName(name);
    const bool replacing = QFileInfo(QDir::current().filePath(file)).isFile();
    if (replacing
        && MessageBox::show(this, QStringLiteral("Une fiche de paie de ce nom existe déjà. La remplacer ?"),
                            MessageBox::YesNoInformationNo, windowTitle())
               != MessageBox::Yes)
        return;
    m_report.set_destination(ReportEngine::File);
    m_report.set_output_file(file);
    // A file that appeared since the question is kept, not replaced unasked.
    m_report.setReplaceExisting(replacing);
    const ReportError error = m_report.run();
    m_report.setReplaceExisting(true);
    if (error.failed()) {
        // The dialog stays open with the name, to try another one.
        ErrorDialog::report(QStringLiteral("Enregistrement impossible"),
            PayslipReport::failureText(
                QStringLiteral("La fiche de paie « %1 » n'a pas été enregistrée.").arg(file), error));
        refreshList();
        return;
    }
    recordInHistory(file);
    close();
}

// The saved pay slip joins the pay history of the working folder; what the
// history has to say (a slip found changed, a history it could not write)
// is told without stopping the clerk: the slip itself is saved.
void PayslipSaveDialog::recordInHistory(const QString &file)
{
    const PayHistory::Outcome recorded = PayHistory::recordIn(QDir::currentPath(), {file});
    if (!recorded.messages.isEmpty())
        ErrorDialog::report(QStringLiteral("Historique des paies"), recorded.messages.join(u'\n'));
}
