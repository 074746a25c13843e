#pragma once

#include <QToolButton>

class FloatingEditor;

// The calculator picture of a numeric panel (PicCal1, PicCal2): hidden until
// the panel's editor is first placed, then shown just right of the editor
// wherever it goes. A click asks for the calculator.
class CalculatorPicture : public QToolButton
{
    Q_OBJECT

public:
    CalculatorPicture(const QString &name, FloatingEditor *editor, QWidget *panel);

private:
    void follow();

    FloatingEditor *m_editor;
};
