#include "payrunprogress.h"

#include <QProgressDialog>

PayRunProgress::PayRunProgress(QWidget *parent, const QString &label, int total)
{
    if (total <= FewSlips)
        return;
    m_dialog = new QProgressDialog(label, QStringLiteral("Annuler"), 0, total, parent);
    m_dialog->setObjectName(QStringLiteral("ProgressionPaie"));
    m_dialog->setWindowTitle(QStringLiteral("Paie du mois"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

PayRunProgress::~PayRunProgress()
{
    delete m_dialog;
}

void PayRunProgress::setLabel(const QString &label)
{
    if (!m_dialog)
        return;
    m_dialog->setLabelText(label);
    m_dialog->setValue(0);
}

bool PayRunProgress::advance(int done)
{
    if (!m_dialog)
        return true;
    // A modal dialog's new value lets the window answer, the "Annuler" included.
    m_dialog->setValue(done);
    m_cancelled = m_cancelled || m_dialog->wasCanceled();
    return !m_cancelled;
}

QProgressDialog *PayRunProgress::dialog() const
{
    return m_dialog;
}

std::function<bool(int)> PayRunProgress::callback()
{
    return [this](int done) { return advance(done); };
}
