#pragma once

#include "employeemessages.h"

#include <QObject>

class EmployeeButtons;
class EmployeeTabs;
class EmployeeViews;
class QLineEdit;
class RecordBinding;

// Moving through the employee file: the record on view, the mirror view
// that follows the edit view (its names in Text4 and Text5), the previous
// and next buttons enabled as the position allows, the position indicator
// « n/count », and « Fin de la liste » when there is nowhere to go.
class EmployeeNavigator : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        EmployeeTabs *tabs;
        EmployeeButtons *buttons;
        RecordBinding *binding;
        QLineEdit *mirrorSurname;   // Text4
        QLineEdit *mirrorFirstName; // Text5
    };

    EmployeeNavigator(const Parts &parts, const EmployeeMessages &messages, QObject *parent);

    // Nothing moves until the employee file is open.
    void setViews(EmployeeViews *views) { m_views = views; }

    // Shows the edit view's record in every field and header.
    void showCurrent();
    // Brings the mirror view to the edit view's position and sets the
    // enabled states and the position indicator from it.
    void sync();
    // « n/count », or « aucun » for an empty file when asked.
    void setPositionIndicator(bool noneWhenEmpty = true);
    // The mirror view reads its record again (names just stored).
    void rereadMirror();
    // Shows the first employee with this key; false when the file refuses.
    bool findKey(const QString &key);
    // Reads the file again (the count covers every record) and comes back
    // to the employee on view, the first one when he is no longer there.
    void reloadKeepingCurrent();

    // "Précédent" and "Suivant".
    void move(bool forward);

private:
    void showMirror();
    bool returnTo(int position, const QString &key);
    void endOfList();

    Parts m_parts;
    EmployeeMessages m_messages;
    EmployeeViews *m_views = nullptr;
};
