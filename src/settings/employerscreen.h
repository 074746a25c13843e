#pragma once

#include "settingsrecord.h"

#include <QVector>
#include <QWidget>

class FloatingEditor;
class QLineEdit;
class QPushButton;
class QSvgRenderer;

// The employer's identity (table EMPLOYEUR), printed on every pay slip. Its
// fields are never typed into: one floating editor moves over the focused
// field, unrolls to its width and carries the typing into it. The pay slip
// reads the texts currently shown here.
class EmployerScreen : public QWidget
{
    Q_OBJECT

public:
    static constexpr int FieldCount = 11;

    explicit EmployerScreen(QWidget *parent = nullptr);
    ~EmployerScreen() override;

    // The current text of field `index` (0 to 10); empty out of range.
    QString fieldText(int index) const;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildPanel();
    void openRecord();
    void upperCaseFields();
    void validate();

    SettingsRecord m_record;
    QVector<QLineEdit *> m_fields;
    FloatingEditor *m_editor = nullptr;
    QPushButton *m_validate = nullptr;
    QSvgRenderer *m_background = nullptr;
};
