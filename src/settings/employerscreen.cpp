#include "employerscreen.h"

#include "errordialog.h"
#include "floatingeditor.h"
#include "helpcontext.h"
#include "mask.h"
#include "schema.h"
#include "settingsmessages.h"
#include "settingsrules.h"
#include "textrules.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

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
        m_fields.append(field);

        const int labelColumn = place.column * 2;
        grid->addWidget(new QLabel(place.label), place.row, labelColumn);
        if (halfRow(place.row))
            grid->addWidget(field, place.row, labelColumn + 1);
        else
            grid->addWidget(field, place.row, 1, 1, 3);
    }

    // The fields are never typed into: the editor moves over the focused one.
    m_editor = new FloatingEditor(panel);
    m_editor->setObjectName("TxtMove");
    m_editor->serve(m_fields);
    connect(m_editor, &FloatingEditor::focusReceived, this, &EmployerScreen::upperCaseFields);
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

void EmployerScreen::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_fields[0]->isEnabled())
        m_fields[0]->setFocus(Qt::OtherFocusReason);
}

// Each time the editor takes the focus, and before "VALIDER" stores, so the
// text just typed is stored as Enter would have left it.
void EmployerScreen::upperCaseFields()
{
    for (QLineEdit *field : std::as_const(m_fields))
        field->setText(Mask::apply(field->text(), Mask::Upper));
}

void EmployerScreen::validate()
{
    upperCaseFields();
    for (QLineEdit *field : std::as_const(m_fields))
        field->setText(TextRules::replaceApostrophes(field->text()));

    const QStringList columns = SettingsRules::employerColumns();
    QMap<QString, QString> record;
    for (int i = 0; i < FieldCount; ++i)
        record.insert(columns[i], m_fields[i]->text());
    if (const StoreError error = m_record.write(record)) {
        ErrorDialog::report(QStringLiteral("Erreur de Saisie"),
                            SettingsMessages::refusedWrite(
                                QStringLiteral("L'employeur n'est pas identifier.Vérifier tous vos "
                                               "champs de saisie."),
                                QStringLiteral("L’employeur n’a pas été enregistré."), error));
        return;
    }
    hide();
}

void EmployerScreen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_background->render(&painter, QRectF(rect()));
}
