#include "employeelistscreen.h"

#include "columnreader.h"
#include "database.h"
#include "errordialog.h"
#include "helpcontext.h"
#include "messagebox.h"
#include "recordview.h"
#include "schema.h"
#include "windowactivation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Table = QStringLiteral("SALARIE");
const QString KeyColumn = QStringLiteral("IDENTIFICATION");
const QString NoEmployee = QStringLiteral("<Aucun salarié>");
const QString Title = QStringLiteral("Liste des Salariés");

QString countLine(int count)
{
    if (count == 0)
        return NoEmployee;
    return QLatin1Char(' ') + QString::number(count)
           + (count == 1 ? QStringLiteral(" salarié") : QStringLiteral(" salariés"));
}

} // namespace

EmployeeListScreen::EmployeeListScreen(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("lists"));
    setWindowTitle(Title);
    // Closing forgets the send request with the window.
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::EmployeeList);

    buildLayout();
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    openTable();
    rebuild();
}

EmployeeListScreen::~EmployeeListScreen() = default;

void EmployeeListScreen::buildLayout()
{
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("Label1"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = m_count->font();
    bold.setBold(true);
    m_count->setFont(bold);

    auto *instructions = new QVBoxLayout;
    instructions->setSpacing(10);
    QLabel *heading = addInstruction(QStringLiteral("Label2"), QStringLiteral("Ouvrir la fiche du salarié:"));
    heading->setFont(bold);
    instructions->addWidget(heading);
    instructions->addWidget(addInstruction(QStringLiteral("Label3"), QStringLiteral("1/Choisisser un salarié")));
    instructions->addWidget(addInstruction(QStringLiteral("Label4"), QStringLiteral("2/Clicker sur celui-ci")));
    instructions->addWidget(addInstruction(QStringLiteral("Label5"), QStringLiteral("3/Appuyer sur ENVOIE")));
    instructions->addStretch(1);

    m_chosen = new QLineEdit(this);
    m_chosen->setObjectName(QStringLiteral("Text1"));
    m_chosen->setReadOnly(true);
    m_chosen->setFont(bold);
    m_chosen->setToolTip(QStringLiteral("Salarié choisi"));
    m_chosen->setVisible(false);
    connect(m_chosen, &QLineEdit::textChanged, this, &EmployeeListScreen::updateSendButton);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setMinimumSize(300, 260);
    m_list->setUniformItemSizes(true); // ten thousand names stay quick to lay out
    connect(m_list, &QListWidget::itemClicked, this, &EmployeeListScreen::choose);

    m_send = new QPushButton(QStringLiteral("Envoi"), this);
    m_send->setObjectName(QStringLiteral("Command1"));
    m_send->setToolTip(QStringLiteral("ENVOIE(F6)"));
    m_send->setEnabled(false);
    connect(m_send, &QPushButton::clicked, this, &EmployeeListScreen::send);

    m_leave = new QPushButton(QStringLiteral("Sortir"), this);
    m_leave->setObjectName(QStringLiteral("Command2"));
    m_leave->setToolTip(QStringLiteral("SORTIR(Echap)"));
    connect(m_leave, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_leave);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(14, 10, 14, 14);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(8);
    grid->addWidget(m_count, 0, 1);
    grid->addLayout(instructions, 1, 0, 3, 1);
    grid->addWidget(m_chosen, 1, 1);
    grid->addWidget(m_list, 2, 1);
    grid->addLayout(buttons, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

QLabel *EmployeeListScreen::addInstruction(const QString &name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    m_instructions << label;
    return label;
}

void EmployeeListScreen::openTable()
{
    StoreError error;
    m_database = Database::open(QStringLiteral("."), Schema::mainDatabase(), &error);
    if (!m_database) {
        ErrorDialog::report(Title, error.message());
        return;
    }
    m_view = std::make_unique<RecordView>(m_database, Table);
}

void EmployeeListScreen::rebuild()
{
    m_list->clear();
    m_tableEmpty = true;
    QStringList names;
    StoreError error = m_view ? m_view->reload() : StoreError();
    if (m_view && !error)
        error = ColumnReader::read(*m_database, Table, KeyColumn, &names);
    if (!m_view || error) {
        // Nothing can be chosen from a table that could not be read.
        if (error)
            ErrorDialog::report(Title, error.message());
        m_count->setText(QStringLiteral("<Liste illisible>"));
        m_send->setEnabled(false);
        return;
    }

    showCount(m_view->count());
    m_list->addItems(names);
    m_tableEmpty = names.isEmpty();
    if (m_tableEmpty) {
        m_list->addItem(NoEmployee);
        m_send->setEnabled(false);
    }
}

void EmployeeListScreen::showCount(int count)
{
    m_count->setText(countLine(count));
}

void EmployeeListScreen::choose(QListWidgetItem *item)
{
    if (m_tableEmpty || !item)
        return;
    m_chosen->setText(item->text());
    m_chosen->setVisible(true);
}

QString EmployeeListScreen::chosenName() const
{
    return m_chosen->text();
}

void EmployeeListScreen::updateSendButton()
{
    const QString name = m_chosen->text();
    m_send->setEnabled(!name.isEmpty() && name != NoEmployee);
}

void EmployeeListScreen::send()
{
    if (const std::optional<QString> refusal = m_sendRefusal ? m_sendRefusal() : std::nullopt) {
        MessageBox::show(this, *refusal, MessageBox::Exclamation, QStringLiteral("Action impossible"));
        return;
    }
    if (!m_sendRequested) {
        m_sendRequested = true;
        emit sendRequestedChanged();
    }
    if (m_openEmployeeScreen)
        m_openEmployeeScreen();
}

void EmployeeListScreen::minimise()
{
    // A window on its way out is not shown again just to be minimised.
    if (isVisible() && !isMinimized() && WindowActivation::passedToAnotherScreen(this))
        setWindowState(windowState() | Qt::WindowMinimized);
}

bool EmployeeListScreen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        rebuild();
    else if (event->type() == QEvent::WindowDeactivate)
        minimise();
    return QWidget::event(event);
}

// F6 and Escape act from anywhere in the window, whichever control has the focus.
bool EmployeeListScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_F6) {
            m_send->click();
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_leave->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
