#include "editcycle.h"

#include "attentioncues.h"
#include "basepanel.h"
#include "cueblinker.h"
#include "employeebuttons.h"
#include "employeenavigator.h"
#include "employeerules.h"
#include "employeetable.h"
#include "employeetabs.h"
#include "employeeviews.h"
#include "identitypanel.h"
#include "messagebox.h"
#include "ratespanel.h"
#include "recordview.h"
#include "searchframe.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString EditAdd = QStringLiteral("ajout");
const QString EditModify = QStringLiteral("Modif");

} // namespace

EditCycle::EditCycle(const Parts &parts, const EmployeeMessages &messages, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
    , m_messages(messages)
{
    const EmployeeButtons *b = m_parts.buttons;
    connect(b->remove(), &QPushButton::clicked, this, &EditCycle::remove);
    connect(b->add(), &QPushButton::clicked, this, &EditCycle::add);
    connect(b->modify(), &QPushButton::clicked, this, &EditCycle::modify);
    connect(b->validate(), &QPushButton::clicked, this, &EditCycle::validate);
    connect(b->cancel(), &QPushButton::clicked, this, &EditCycle::cancel);
}

int EditCycle::ask(const QString &message, int style, const QString &title) const
{
    return m_messages.ask(message, style, title);
}

void EditCycle::switchToIdentity()
{
    m_parts.tabs->show(EmployeeTabs::Panel::Identity, m_views->hasEmployees());
}

void EditCycle::add()
{
    if (!m_views)
        return;
    switchToIdentity();
    m_parts.cues->setTarget(AttentionCues::NoBlink);
    RecordView &edit = m_views->edit();
    if (!m_views->reload(edit))
        return;
    m_views->settle(edit);
    if (m_views->reported(edit.addNew()))
        return;
    m_parts.navigator->showCurrent();
    IdentityPanel *identity = m_parts.tabs->identity();
    identity->setIdentity(EmployeeRules::EntryDate, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    identity->storeEntryDateForm();
    const int count = edit.count() + 1;
    identity->positionIndicator()->setText(QStringLiteral("%1/%1").arg(count));

    const EmployeeButtons *b = m_parts.buttons;
    for (QPushButton *button : {identity->previousButton(), identity->nextButton(), b->add(), b->modify(),
                                b->remove(), b->pay(), b->leave()})
        button->setEnabled(false);
    b->validate()->setEnabled(true);
    b->cancel()->setEnabled(true);
    m_parts.tabs->setEditorsLocked(false);
    identity->focusEditorOrFirstField();
    identity->searchFrame()->setImpossible();
    begin(EditAdd);
}

void EditCycle::modify()
{
    m_parts.cues->setTarget(AttentionCues::NoBlink);
    const EmployeeTabs *tabs = m_parts.tabs;
    IdentityPanel *identity = tabs->identity();
    m_snapshot.take(*identity, *tabs->rates(), *tabs->base());
    // Not the order of "Ajouter": a button disabled while it has the focus
    // hands the focus to the next enabled one, and "Modifier" still has it.
    const EmployeeButtons *b = m_parts.buttons;
    for (QPushButton *button : {b->add(), b->modify(), identity->previousButton(), identity->nextButton(),
                                b->leave(), b->remove(), b->pay()})
        button->setEnabled(false);
    b->validate()->setEnabled(true);
    b->cancel()->setEnabled(true);
    identity->searchFrame()->clearResults();
    identity->searchFrame()->setImpossible();
    m_parts.tabs->setEditorsLocked(false);
    m_modifiedNames = identity->identityText(EmployeeRules::Surname) + u' '
                      + identity->identityText(EmployeeRules::FirstName);
    begin(EditModify);
    m_parts.tabs->focusRule();
}

bool EditCycle::isAdding() const
{
    return m_mode == EditAdd;
}

void EditCycle::begin(const QString &mode)
{
    m_mode = mode;
    m_openEdit = ++m_editsBegun;
}

void EditCycle::end()
{
    m_mode.clear();
    m_openEdit = 0;
    m_modifiedNames.clear();
    emit ended();
}

void EditCycle::validate()
{
    if (!m_views)
        return;
    EmployeeTabs *tabs = m_parts.tabs;
    IdentityPanel *identity = tabs->identity();
    identity->replaceApostrophes();
    if (ask(QStringLiteral("Etes vous certain de vouloir enregistrer"), MessageBox::YesNoInformationNo,
            EmployeeMessages::Attention) != MessageBox::Yes) {
        tabs->focusRule();
        return;
    }
    for (int required : {int(EmployeeRules::Surname), int(EmployeeRules::FirstName)}) {
        if (identity->identityText(required).isEmpty()) {
            ask(QStringLiteral("Le nouveau salarié doit avoir au moins :nom et prénom"),
                MessageBox::Stop, EmployeeMessages::ActionImpossible);
            switchToIdentity();
            identity->field(required)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (refuseNonNumbers())
        return;
    const QString surname = EmployeeRules::upperCase(identity->identityText(EmployeeRules::Surname));
    const QString firstName = EmployeeRules::upperCase(identity->identityText(EmployeeRules::FirstName));
    if (refuseDuplicate(surname, firstName))
        return;

    const QStringList saved = EmployeeRules::savedIdentity(identity->fieldTexts());
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        identity->setIdentity(i, saved.at(i));
    tabs->rates()->saveRates();
    tabs->base()->normaliseBases();
    // A new record, or one stored without it, gets its remaining share as
    // the "Base" tab computes it, whether the tab was visited or not.
    if (isAdding() || tabs->base()->remainingShare()->text().isEmpty())
        tabs->base()->recomputeRemainingShare();
    m_parts.key->setText(EmployeeRules::key(identity->identityText(EmployeeRules::Surname),
                                            identity->identityText(EmployeeRules::FirstName)));
    tabs->updateHeaders();
    if (!storeRecord())
        return;

    endEditLayout();
    ask(QStringLiteral("Enregistrement effectuer"), MessageBox::Information,
        QStringLiteral("Enregistrement"));
    end();
    m_parts.cues->setTarget(AttentionCues::NoBlink);
    m_parts.navigator->sync();
    tabs->focusRule();
}

// A pasted text is the only way a rate or a base can hold something that is
// not a number; it is refused rather than stored as if it were one.
bool EditCycle::refuseNonNumbers()
{
    const RatesPanel *ratesPanel = m_parts.tabs->rates();
    QStringList rates;
    for (const QString &rate : ratesPanel->fieldTexts())
        rates << EmployeeRules::checkRate(rate).text;
    QStringList bases;
    for (const QString &base : m_parts.tabs->base()->fieldTexts())
        bases << EmployeeRules::baseForm(base);

    QString message;
    EmployeeTabs::Panel where = EmployeeTabs::Panel::Rates;
    int index = EmployeeRules::firstNonNumber(rates);
    if (index >= 0) {
        message = EmployeeRules::rateNotANumber(index, ratesPanel->par3Field()->text());
    } else if ((index = EmployeeRules::firstNonNumber(bases)) >= 0) {
        message = EmployeeRules::baseNotANumber(index);
        where = EmployeeTabs::Panel::Base;
    } else {
        return false;
    }
    ask(message, MessageBox::Stop, EmployeeMessages::ActionImpossible);
    m_parts.tabs->show(where, m_views->hasEmployees());
    m_parts.tabs->panel(where)->field(index)->setFocus(Qt::OtherFocusReason);
    return true;
}

// The names of every other employee are also stored in upper case on the
// way, as the check compares them in upper case.
bool EditCycle::refuseDuplicate(const QString &surname, const QString &firstName)
{
    const EmployeeTable &table = m_views->table();
    QVector<EmployeeRules::NamePair> names;
    if (m_views->reported(table.readNames(&names)))
        return true;
    const int own = m_views->edit().position();
    const int duplicate = EmployeeRules::findNames(names, surname, firstName, own);
    const int last = duplicate >= 0 ? duplicate : int(names.size()) - 1;
    if (m_views->reported(table.storeNamesInUpperCase(&names, last, own)))
        return true;
    m_parts.navigator->rereadMirror();
    if (duplicate < 0)
        return false;
    const IdentityPanel *identity = m_parts.tabs->identity();
    ask(QStringLiteral("Vous avez déjà un salarié ") + identity->identityText(EmployeeRules::Surname) + u' '
            + identity->identityText(EmployeeRules::FirstName),
        MessageBox::Stop, EmployeeMessages::Attention);
    return true;
}

// Stores the record by reloading the views, then shows it again. A refusal
// is reported and leaves the record and the edit as they were.
bool EditCycle::storeRecord()
{
    RecordView &edit = m_views->edit();
    const bool storing = edit.isNew() || edit.hasPendingChanges();
    const int unchanged = edit.position();
    // With nothing to store, the record must still be there for "Valider"
    // to say it is stored.
    if (!storing && m_views->reported(edit.checkCurrentStillStored()))
        return false;
    if (!m_views->reload(edit))
        return false;
    m_views->reload(m_views->mirror());
    m_views->settle(edit);
    m_views->settle(m_views->mirror());
    // The duplicate check left every other name in upper case, so the first
    // record with these names is the one just written.
    m_views->reported(storing ? edit.goToLastModified() : edit.setPosition(unchanged));
    m_parts.navigator->showCurrent();
    m_parts.navigator->setPositionIndicator(false);
    return true;
}

void EditCycle::cancel()
{
    if (m_mode != EditModify && m_mode != EditAdd)
        return;
    EmployeeTabs *tabs = m_parts.tabs;
    if (ask(QStringLiteral("Etes vous certain de vouloir annuler la modification"),
            MessageBox::YesNoInformation, EmployeeMessages::Attention) != MessageBox::Yes) {
        tabs->focusRule();
        return;
    }
    m_parts.cues->setTarget(AttentionCues::NoBlink);
    const bool adding = isAdding();
    if (adding) {
        tabs->clearFields();
        m_views->edit().dropNew();
        m_views->refresh(m_views->edit());
        m_views->refresh(m_views->mirror());
        m_parts.navigator->showCurrent();
    } else {
        m_snapshot.restore(*tabs->identity(), *tabs->rates(), *tabs->base(), *m_parts.binding);
    }
    endEditLayout();
    showCancelledRecord(adding);
    m_parts.navigator->sync();
    ask(QStringLiteral("Modification annuler"), MessageBox::Information, QStringLiteral("Annulation"));
    end();
    tabs->focusRule();
}

// After an add the record on view has just been read from the file: it is
// shown as stored, untouched. After a modification the snapshot is back,
// the entry date in its stored form (masked, then in capitals): the mask
// alone would write it in lower case, stored at the next move.
void EditCycle::showCancelledRecord(bool adding)
{
    EmployeeTabs *tabs = m_parts.tabs;
    if (!adding) {
        IdentityPanel *identity = tabs->identity();
        identity->storeEntryDateForm();
        identity->markNoSsn();
        tabs->browseFigures();
    }
    tabs->updateHeaders();
}

void EditCycle::remove()
{
    if (!m_views)
        return;
    EmployeeTabs *tabs = m_parts.tabs;
    const IdentityPanel *identity = tabs->identity();
    if (ask(QStringLiteral("Voulez vous vraiment effacer le Salarié ")
                + identity->identityText(EmployeeRules::Surname) + u' '
                + identity->identityText(EmployeeRules::FirstName),
            MessageBox::YesNoStopNo, EmployeeMessages::Attention) != MessageBox::Yes) {
        tabs->focusRule();
        return;
    }
    if (m_views->reported(m_views->edit().deleteCurrent()))
        return;
    ask(QStringLiteral("Salarié SUPPRIMER"), MessageBox::Plain, QStringLiteral("SUPRESSION"));
    identity->searchFrame()->clearResults();
    identity->searchFrame()->setHintAfterDeletion();
    tabs->focusRule();
    m_views->refresh(m_views->edit());
    m_views->refresh(m_views->mirror());
    m_parts.navigator->showCurrent();
    m_parts.navigator->sync();
}

void EditCycle::endEditLayout()
{
    const EmployeeButtons *b = m_parts.buttons;
    b->modify()->setEnabled(true);
    b->add()->setEnabled(true);
    b->validate()->setEnabled(false);
    b->cancel()->setEnabled(false);
    m_parts.tabs->identity()->searchFrame()->restoreState();
    b->leave()->setEnabled(true);
    b->remove()->setEnabled(true);
    b->pay()->setEnabled(true);
    m_parts.tabs->setEditorsLocked(true);
}

void EditCycle::reassertEditLayout()
{
    const IdentityPanel *identity = m_parts.tabs->identity();
    const EmployeeButtons *b = m_parts.buttons;
    for (QPushButton *button : {identity->previousButton(), identity->nextButton(), b->remove(), b->pay(),
                                b->modify()})
        button->setEnabled(false);
    b->validate()->setEnabled(true);
    b->cancel()->setEnabled(true);
    identity->searchFrame()->setImpossible();
}
