#pragma once

#include "editsnapshot.h"
#include "employeemessages.h"

#include <QObject>
#include <QString>

class CueBlinker;
class EmployeeButtons;
class EmployeeNavigator;
class EmployeeTabs;
class EmployeeViews;
class QLineEdit;
class RecordBinding;

// The edit cycle of the employee screen: "Ajouter" and "Modifier" unlock the
// editors, "Valider" checks the record and stores it, "Annuler" puts back
// what was on view, "Supprimer" deletes the employee. The enabled states of
// the buttons it sets are its guards.
class EditCycle : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EmployeeTabs *tabs;
        EmployeeButtons *buttons;
        EmployeeNavigator *navigator;
        CueBlinker *cues;
        RecordBinding *binding;
        QLineEdit *key; // Text2 (IDENTIFICATION)
    };

    EditCycle(const Parts &parts, const EmployeeMessages &messages, QObject *parent);

    // Nothing is edited until the employee file is open.
    void setViews(EmployeeViews *views) { m_views = views; }

    bool isEditing() const { return !m_mode.isEmpty(); }
    bool isAdding() const;
    // Which add or modification is under way: a number of its own for each
    // one, 0 while browsing. What another window prepared for one edit is
    // for that edit only.
    int openEdit() const { return m_openEdit; }
    // « NOM PRENOM » of the employee under modification, as they stood when
    // "Modifier" was pressed; empty during an add.
    QString modifiedNames() const { return m_modifiedNames; }

    void add();
    void modify();
    void validate();
    void cancel();
    void remove();

    // Coming back to the screen in the middle of an add or a modification:
    // only "Valider" and "Annuler" lead out.
    void reassertEditLayout();

signals:
    // The add or modification under way has been validated or cancelled.
    void ended();

private:
    bool refuseNonNumbers();
    bool refuseDuplicate(const QString &surname, const QString &firstName);
    bool storeRecord();
    void endEditLayout();
    void switchToIdentity();
    void begin(const QString &mode);
    void end();
    void showCancelledRecord(bool adding);
    int ask(const QString &message, int style, const QString &title) const;

    Parts m_parts;
    EmployeeMessages m_messages;
    EmployeeViews *m_views = nullptr;
    QString m_mode; // "", "ajout" or "Modif"
    int m_openEdit = 0;
    int m_editsBegun = 0;
    QString m_modifiedNames;
    EditSnapshot m_snapshot;
};
