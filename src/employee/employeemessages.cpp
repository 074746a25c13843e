#include "employeemessages.h"

#include "messagebox.h"

EmployeeMessages::EmployeeMessages(QWidget *screen)
    : m_screen(screen)
{
}

int EmployeeMessages::ask(const QString &message, int style, const QString &title) const
{
    const int answer = MessageBox::show(m_screen, message, style, title);
    if (m_screen && m_screen->isVisible() && !m_screen->isActiveWindow())
        m_screen->activateWindow();
    return answer;
}

bool EmployeeMessages::reported(const StoreError &error) const
{
    if (!error)
        return false;
    ask(error.message(), MessageBox::Exclamation, QStringLiteral("Fichier des salariés"));
    return true;
}
