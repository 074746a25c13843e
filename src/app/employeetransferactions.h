#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

// « Exporter les salariés… » and « Importer des salariés… » of the main
// window's « Dossier » menu: the file dialogs and the French report around
// the employee file's CSV export and import. An import is refused while a
// screen shows the employees, which would not see the ones added.
class EmployeeTransferActions : public QObject
{
    Q_OBJECT

public:
    // `showingEmployees` names the open screens that show the employee file
    // (« Fichier Salariés »…), empty when there are none.
    using OpenScreens = std::function<QString()>;

    EmployeeTransferActions(QWidget *window, OpenScreens showingEmployees);

    void addTo(QMenu *menu);

    // The steps after the file dialogs, for the menu and for tests: the
    // message the clerk is shown, and whether it reports a success.
    bool exportTo(const QString &path, QString *message) const;
    bool importFrom(const QString &path, QString *message) const;

private:
    void chooseAndExport();
    void chooseAndImport();

    QWidget *m_window;
    OpenScreens m_showingEmployees;
    QString m_lastDirectory;
};
