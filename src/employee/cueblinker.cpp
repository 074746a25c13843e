#include "cueblinker.h"

#include "attentioncues.h"
#include "employeebuttons.h"
#include "searchframe.h"

#include <QPushButton>
#include <QTimer>

CueBlinker::CueBlinker(EmployeeButtons *buttons, SearchFrame *search, QObject *parent)
    : QObject(parent)
    , m_buttons(buttons)
    , m_search(search)
    , m_blinkTimer(new QTimer(this))
    , m_hintTimer(new QTimer(this))
{
    m_blinkTimer->setInterval(500);
    connect(m_blinkTimer, &QTimer::timeout, this, &CueBlinker::blinkTick);
    m_blinkTimer->start();
    m_hintTimer->setInterval(2000);
    connect(m_hintTimer, &QTimer::timeout, this, &CueBlinker::hintTick);
    m_hintTimer->start();
}

void CueBlinker::blinkTick()
{
    QPushButton *validate = m_buttons->validate();
    QPushButton *cancel = m_buttons->cancel();
    QPushButton *modify = m_buttons->modify();
    QPushButton *add = m_buttons->add();
    const AttentionCues::Captions next =
        AttentionCues::blink(m_target, {validate->text(), cancel->text(), modify->text(), add->text()});
    validate->setText(next.validate);
    cancel->setText(next.cancel);
    modify->setText(next.modify);
    add->setText(next.add);
}

void CueBlinker::hintTick()
{
    m_search->hintTick();
}
