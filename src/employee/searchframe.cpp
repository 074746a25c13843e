#include "searchframe.h"

#include "attentioncues.h"
#include "employeerules.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace AttentionCues;

namespace {

void whiteBackground(QWidget *widget)
{
    QPalette white = widget->palette();
    white.setColor(QPalette::Base, Qt::white);
    widget->setPalette(white);
}

} // namespace

SearchFrame::SearchFrame(QWidget *parent)
    : QGroupBox(QStringLiteral("Rechercher"), parent)
    , m_text(new QLineEdit(this))
    , m_button(new QPushButton(QStringLiteral("Recherche"), this))
    , m_list(new QListWidget(this))
    , m_message(new QLabel(WaitingMessage, this))
{
    setObjectName(QStringLiteral("Frame1"));
    m_text->setObjectName(QStringLiteral("txtrecherche"));
    m_button->setObjectName(QStringLiteral("Command1"));
    m_list->setObjectName(QStringLiteral("List1"));
    m_message->setObjectName(QStringLiteral("information1"));
    m_button->setEnabled(false);
    m_button->setAutoDefault(false);
    whiteBackground(m_text);
    whiteBackground(m_list);
    QFont bold = m_message->font();
    bold.setBold(true);
    m_message->setFont(bold);
    QPalette blue = m_message->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 60, 140));
    m_message->setPalette(blue);

    m_text->setGeometry(12, 24, 300, 24);
    m_button->setGeometry(322, 23, 134, 26);
    m_list->setGeometry(12, 54, 444, 46);
    m_message->setGeometry(12, 104, 444, 18);

    m_text->installEventFilter(this);
    connect(m_text, &QLineEdit::textChanged, this, &SearchFrame::textChanged);
    connect(m_button, &QPushButton::clicked, this, &SearchFrame::search);
    // Enter in the search text is "Recherche", when the button could be pressed.
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        if (m_button->isEnabled())
            search();
    });
    connect(m_list, &QListWidget::itemClicked, this, &SearchFrame::itemClicked);
}

QString SearchFrame::message() const
{
    return m_message->text();
}

void SearchFrame::setMessage(const QString &message)
{
    m_message->setText(message);
}

bool SearchFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_text, &QLineEdit::selectAll); // after the click has placed the caret
    return QGroupBox::eventFilter(watched, event);
}

void SearchFrame::showWaiting(bool criterionTyped)
{
    whiteBackground(m_text);
    whiteBackground(m_list);
    if (criterionTyped) {
        setMessage(PressSearchMessage);
        m_hint = HintSearch;
        m_list->raise();
    } else {
        setMessage(WaitingMessage);
        m_hint = NoHint;
        m_text->raise();
    }
}

void SearchFrame::textChanged(const QString &text)
{
    m_button->setEnabled(!text.isEmpty());
    showWaiting(!text.isEmpty());
    if (text.isEmpty())
        m_list->clear();
}

void SearchFrame::search()
{
    const QString criterion = EmployeeRules::searchCriterion(m_text->text());
    m_text->setText(criterion);
    m_list->clear();
    emit searchRequested(criterion);
    m_text->setFocus(Qt::OtherFocusReason);
    m_text->selectAll();
}

void SearchFrame::showResults(const QStringList &keys, bool containing)
{
    m_list->clear();
    m_list->addItems(keys);
    if (keys.isEmpty()) {
        setMessage(NoneFoundMessage);
        m_list->addItem(NoEmployee);
    } else if (containing) {
        setMessage(containingMessage(int(keys.size())));
    } else {
        setMessage(countMessage(int(keys.size())));
    }
    m_hint = NoHint;
}

void SearchFrame::clearResults()
{
    m_list->clear();
}

void SearchFrame::itemClicked(QListWidgetItem *item)
{
    if (!item || m_list->item(0)->text() == NoEmployee)
        return;
    emit keyChosen(item->text());
}

void SearchFrame::setImpossible()
{
    setEnabled(false);
    m_button->setEnabled(false);
    setMessage(ImpossibleMessage);
    m_hint = NoHint;
}

void SearchFrame::setHintAfterDeletion()
{
    m_hint = HintAfterDeletion;
}

void SearchFrame::restoreState()
{
    setEnabled(true);
    const int count = m_list->count();
    if (count >= 1) {
        setMessage(countMessage(count));
        m_hint = NoHint;
    } else {
        showWaiting(!m_text->text().isEmpty());
    }
    m_button->setEnabled(!m_text->text().isEmpty());
}

void SearchFrame::hintTick()
{
    const SearchHint next = AttentionCues::hintTick({message(), m_button->text(), m_hint}, m_list->count());
    if (next.message != message())
        setMessage(next.message);
    if (next.caption != m_button->text())
        m_button->setText(next.caption);
    m_hint = next.hint;
}
