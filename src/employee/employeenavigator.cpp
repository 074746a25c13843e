#include "employeenavigator.h"

#include "employeebuttons.h"
#include "employeetabs.h"
#include "employeeviews.h"
#include "identitypanel.h"
#include "messagebox.h"
#include "recordbinding.h"
#include "recordview.h"
#include "searchframe.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Key = QStringLiteral("IDENTIFICATION");

} // namespace

EmployeeNavigator::EmployeeNavigator(const Parts &parts, const EmployeeMessages &messages, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
    , m_messages(messages)
{
    IdentityPanel *identity = m_parts.tabs->identity();
    connect(identity->previousButton(), &QPushButton::clicked, this, [this] { move(false); });
    connect(identity->nextButton(), &QPushButton::clicked, this, [this] { move(true); });
}

void EmployeeNavigator::showCurrent()
{
    m_parts.binding->load();
    m_parts.tabs->updateHeaders();
}

void EmployeeNavigator::showMirror()
{
    const RecordView &mirror = m_views->mirror();
    m_parts.mirrorSurname->setText(mirror.fieldText(QStringLiteral("NOM")));
    m_parts.mirrorFirstName->setText(mirror.fieldText(QStringLiteral("PRENOM")));
}

void EmployeeNavigator::setPositionIndicator(bool noneWhenEmpty)
{
    const RecordView &edit = m_views->edit();
    const QString text = QStringLiteral("%1/%2").arg(edit.position() + 1).arg(edit.count());
    m_parts.tabs->identity()->positionIndicator()->setText(
        noneWhenEmpty && text == QLatin1String("0/0") ? QStringLiteral("aucun") : text);
}

void EmployeeNavigator::sync()
{
    if (!m_views)
        return;
    RecordView &edit = m_views->edit();
    RecordView &mirror = m_views->mirror();
    m_views->settle(mirror);
    if (mirror.count() > 0 && edit.position() >= 0)
        m_views->reported(mirror.setPosition(edit.position()));
    showMirror();

    IdentityPanel *identity = m_parts.tabs->identity();
    QPushButton *previous = identity->previousButton();
    QPushButton *next = identity->nextButton();
    previous->setEnabled(true);
    next->setEnabled(true);
    const int position = mirror.position();
    const int count = mirror.count();
    if (position == 0)
        previous->setEnabled(false);
    else if (position == count - 1 || mirror.atEnd())
        next->setEnabled(false);
    else if (mirror.atStart())
        previous->setEnabled(false);
    setPositionIndicator(false);

    const EmployeeButtons *b = m_parts.buttons;
    if (count == 1) {
        for (QPushButton *button : {previous, next, b->validate(), b->cancel()})
            button->setEnabled(false);
        identity->searchFrame()->setImpossible();
        identity->positionIndicator()->setText(QStringLiteral("1/1"));
    } else if (count == 0) {
        for (QPushButton *button : {b->modify(), previous, next, b->validate(), b->cancel(), b->remove(), b->pay()})
            button->setEnabled(false);
        identity->searchFrame()->setImpossible();
        identity->positionIndicator()->setText(QStringLiteral("aucun"));
    }
}

void EmployeeNavigator::rereadMirror()
{
    RecordView &mirror = m_views->mirror();
    if (mirror.position() >= 0)
        mirror.setPosition(mirror.position());
    showMirror();
}

bool EmployeeNavigator::findKey(const QString &key)
{
    // A bound value: a name with an apostrophe is found like any other.
    if (m_views->reported(m_views->edit().findFirst(Key, key)))
        return false;
    showCurrent();
    return true;
}

void EmployeeNavigator::reloadKeepingCurrent()
{
    RecordView &edit = m_views->edit();
    const int position = edit.position();
    const QString key = edit.fieldText(Key);
    m_views->refresh(edit);
    if (position > 0 && !returnTo(position, key))
        m_views->settle(edit);
    showCurrent();
}

// The same place when the same employee is still there (another program
// may have added or deleted records meanwhile), else the first with his key.
bool EmployeeNavigator::returnTo(int position, const QString &key)
{
    RecordView &edit = m_views->edit();
    if (position < edit.count() && !m_views->reported(edit.setPosition(position)) && edit.fieldText(Key) == key)
        return true;
    return !m_views->reported(edit.findFirst(Key, key)) && !edit.noMatch();
}

// The record moved to is shown as browsing shows it: normalised, with the
// buttons and the indicator of its position.
void EmployeeNavigator::move(bool forward)
{
    if (!m_views)
        return;
    IdentityPanel *identity = m_parts.tabs->identity();
    QPushButton *pressed = forward ? identity->nextButton() : identity->previousButton();
    sync();
    if (!pressed->isEnabled()) {
        endOfList();
        return;
    }
    RecordView &edit = m_views->edit();
    if (m_views->reported(forward ? edit.moveNext() : edit.movePrevious()))
        return;
    showCurrent();
    identity->markNoSsn();
    identity->maskEntryDate();
    identity->upperCaseAll();
    m_parts.tabs->browseFigures();
    m_parts.tabs->updateHeaders();
    setPositionIndicator(false);
    sync();
    if (!pressed->isEnabled())
        endOfList();
    identity->focusEditorOrFirstField();
}

void EmployeeNavigator::endOfList()
{
    m_messages.ask(QStringLiteral("Fin de la liste"), MessageBox::Information, QStringLiteral("TERMINER"));
    m_parts.tabs->identity()->focusEditorOrFirstField();
}
