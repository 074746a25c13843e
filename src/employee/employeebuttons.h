#pragma once

#include <QObject>
#include <QRect>

class QPushButton;
class QWidget;

// The command row of the employee screen, "Supprimer" to "Sortir", under
// the panels. The buttons' enabled states are the guards of the edit cycle:
// the keys F5 to F8 and Echap click them, so a disabled one ignores its key.
class EmployeeButtons : public QObject
{
    Q_OBJECT

public:
    // Builds the row on `screen`, just under `panelArea`.
    EmployeeButtons(QWidget *screen, const QRect &panelArea);

    QPushButton *remove() const { return m_remove; }     // "Supprimer"
    QPushButton *add() const { return m_add; }           // "Ajouter"
    QPushButton *modify() const { return m_modify; }     // "Modifier"
    QPushButton *validate() const { return m_validate; } // "Valider"
    QPushButton *cancel() const { return m_cancel; }     // "Annuler"
    QPushButton *pay() const { return m_pay; }           // "Paie"
    QPushButton *leave() const { return m_leave; }       // "Sortir"

private:
    QPushButton *addButton(QWidget *screen, const QString &name, const QString &caption,
                           const QString &tip);
    void addShortcuts(QWidget *screen);

    QPushButton *m_remove;
    QPushButton *m_add;
    QPushButton *m_modify;
    QPushButton *m_validate;
    QPushButton *m_cancel;
    QPushButton *m_pay;
    QPushButton *m_leave;
};
