#pragma once

#include "floatingeditor.h"

#include <QFrame>
#include <QStringList>
#include <QVector>

class QLabel;
class QLineEdit;

// What the three panels of the employee screen share: the two header lines
// with the employee's surname and first name, the fields laid out by hand
// (the floating editor must lie exactly over them) and that editor.
class EmployeePanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int FieldHeight = 24;

    EmployeePanel(const QString &name, QWidget *parent);

    void setHeaders(const QString &surname, const QString &firstName);
    QString surnameHeader() const;
    QString firstNameHeader() const;

    FloatingEditor *editor() const { return m_editor; }
    const QVector<QLineEdit *> &fields() const { return m_fields; }
    QLineEdit *field(int index) const { return m_fields.value(index); }
    QStringList fieldTexts() const;
    // The field the editor serves when nothing else is asked: the first one.
    void focusFirstField();
    // The focus rule: the editor when it is shown, otherwise the first field.
    void focusEditorOrFirstField();

protected:
    QLineEdit *addField(const QString &objectName, const QRect &geometry,
                        Qt::Alignment alignment = Qt::AlignLeft);
    QLabel *addLabel(const QString &text, int x, int y, int width = -1);
    void createEditor(FloatingEditor::Entry entry);

private:
    QLabel *m_surname;
    QLabel *m_firstName;
    QVector<QLineEdit *> m_fields;
    FloatingEditor *m_editor = nullptr;
};
