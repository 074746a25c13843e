#include "employerscreen.h"

#include "errordialog.h"
#include "helpcontext.h"
#include "mask.h"
#include "schema.h"
#include "settingsrules.h"
#include "textrules.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

// The unrolling editor grows in this many equal steps.
constexpr int UnrollSteps = 850;

struct FieldPlace
{
    const char *label;
    int row;
    int column; // 0: whole row or left half, 1: right half
};

const FieldPlace Places[EmployerScreen::FieldCount] = {
    {"Société .............", 0, 0},
    {"Adresse ............", 1, 0},
    {"Code Postal ....", 2, 0},
    {"Ville..", 2, 1},
    {"Téléphone .......", 3, 0},
    {"Télécopie ......", 3, 1},
    {"Siret ..................", 4, 0},
    {"APE ...................", 5, 0},
    {"Urssaf N° ..........", 6, 0},
    {"Directeur du perssonel..........", 7, 0},
    {"Activité de la société ............", 8, 0},
};

bool halfRow(int row)
{
    return row == 2 || row == 3;
}

} // namespace

EmployerScreen::EmployerScreen(QWidget *parent)
    : QWidget(parent)
    , m_background(new QSvgRenderer(QString(":/pictures/employer.svg"), this))
{
    setObjectName("Soc");
    setWindowTitle("Employeur");
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Employer, true);

    auto *hint = new QLabel(" Veillez à transmettre toutes les informations demandées.");
    hint->setAutoFillBackground(true);
    QPalette hintPalette = hint->palette();
    hintPalette.setColor(QPalette::Window, QColor(255, 255, 192));
    hint->setPalette(hintPalette);
    hint->setFrameShape(QFrame::Box);
    hint->setContentsMargins(4, 3, 4, 3);

    m_validate = new QPushButton("VALIDER");
    m_validate->setObjectName("VALIDER");
    connect(m_validate, &QPushButton::clicked, this, &EmployerScreen::validate);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_validate);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(buildPanel());
    layout->addWidget(hint);
    layout->addLayout(buttons);
    // The editor is placed by hand over the fields, so they must not move.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    openRecord();
}

EmployerScreen::~EmployerScreen() = default;

QWidget *EmployerScreen::buildPanel()
{
    auto *panel = new QFrame;
    panel->setObjectName("Frame1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, QColor(248, 249, 251, 215));
    panel->setPalette(panelPalette);

    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(1, 150);
    grid->setColumnMinimumWidth(3, 190);

    for (int i = 0; i < FieldCount; ++i) {
        const FieldPlace &place = Places[i];
        auto *field = new QLineEdit;
        field->setObjectName(QString("Text1_%1").arg(i));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, field] { fieldChanged(field); });
        m_fields.append(field);

        const int labelColumn = place.column * 2;
        grid->addWidget(new QLabel(place.label), place.row, labelColumn);
        if (halfRow(place.row))
            grid->addWidget(field, place.row, labelColumn + 1);
        else
            grid->addWidget(field, place.row, 1, 1, 3);
    }

    m_editor = new QLineEdit(panel);
    m_editor->setObjectName("TxtMove");
    QPalette editorPalette = m_editor->palette();
    editorPalette.setColor(QPalette::Base, Qt::white);
    m_editor->setPalette(editorPalette);
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::textChanged, this, &EmployerScreen::editorEdited);
    return panel;
}

void EmployerScreen::openRecord()
{
    const StoreError error = m_record.open(Schema::employerDatabase(), "EMPLOYEUR");
    if (error) {
        ErrorDialog::report("Ouverture impossible", error.message());
        for (QLineEdit *field : std::as_const(m_fields))
            field->setEnabled(false);
        m_validate->setEnabled(false);
        return;
    }
    const QStringList columns = SettingsRules::employerColumns();
    for (int i = 0; i < FieldCount; ++i)
        m_fields[i]->setText(m_record.text(columns[i]));
}

QString EmployerScreen::fieldText(int index) const
{
    if (index < 0 || index >= FieldCount)
        return {};
    return m_fields[index]->text();
}

bool EmployerScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::FocusIn) {
            editorFocused();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                nextField();
                return true;
            }
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        const int index = m_fields.indexOf(qobject_cast<QLineEdit *>(watched));
        if (index >= 0) {
            fieldFocused(index);
            // The field hands its focus straight to the editor.
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EmployerScreen::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_fields[0]->isEnabled())
        m_fields[0]->setFocus(Qt::OtherFocusReason);
}

void EmployerScreen::fieldFocused(int index)
{
    QLineEdit *field = m_fields[index];
    m_editor->hide();
    update();
    m_editor->raise();

    m_current = index;
    m_editor->setGeometry(field->x(), field->y(), 0, field->height());

    m_editor->setText(field->text());
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->selectAll();
    unroll(field);
}

void EmployerScreen::unroll(const QLineEdit *field)
{
    const double target = field->width();
    const double step = target / UnrollSteps;
    double width = m_editor->width();
    while (width < target) {
        width += step;
        if (width >= target)
            width = target;
        m_editor->resize(static_cast<int>(width), field->height());
    }
}

void EmployerScreen::editorFocused()
{
    for (QLineEdit *field : std::as_const(m_fields))
        field->setText(Mask::apply(field->text(), Mask::Upper));
}

void EmployerScreen::editorEdited(const QString &text)
{
    for (QLineEdit *field : std::as_const(m_fields)) {
        if (editorLiesOver(field) && field->text() != text)
            field->setText(text);
    }
}

void EmployerScreen::fieldChanged(QLineEdit *field)
{
    if (editorLiesOver(field) && m_editor->text() != field->text())
        m_editor->setText(field->text());
}

bool EmployerScreen::editorLiesOver(const QLineEdit *field) const
{
    // Before the first field has been served the editor lies nowhere.
    return m_current >= 0 && m_editor->pos() == field->pos();
}

void EmployerScreen::nextField()
{
    if (m_current < 0)
        return;
    m_fields[m_current == FieldCount - 1 ? 0 : m_current + 1]->setFocus(Qt::TabFocusReason);
}

void EmployerScreen::validate()
{
    for (QLineEdit *field : std::as_const(m_fields))
        field->setText(TextRules::replaceApostrophes(field->text()));

    const QStringList columns = SettingsRules::employerColumns();
    QMap<QString, QString> record;
    for (int i = 0; i < FieldCount; ++i)
        record.insert(columns[i], m_fields[i]->text());
    if (m_record.write(record)) {
        ErrorDialog::report("Erreur de Saisie",
                            "L'employeur n'est pas identifier.Vérifier tous vos champs de saisie.");
        return;
    }
    hide();
}

void EmployerScreen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_background->render(&painter, QRectF(rect()));
}
