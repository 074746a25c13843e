#include "calculatorpicture.h"

#include "employeepanel.h"
#include "floatingeditor.h"

CalculatorPicture::CalculatorPicture(const QString &name, FloatingEditor *editor, QWidget *panel)
    : QToolButton(panel)
    , m_editor(editor)
{
    setObjectName(name);
    setToolTip(QStringLiteral("Calculette"));
    setIcon(QIcon(QStringLiteral(":/icons/calculette.svg")));
    setIconSize(QSize(20, 20));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(editor, &FloatingEditor::placed, this, &CalculatorPicture::follow);
}

void CalculatorPicture::follow()
{
    const int side = EmployeePanel::FieldHeight;
    setGeometry(m_editor->x() + m_editor->width(), m_editor->y(), side, side);
    show();
    raise();
}
