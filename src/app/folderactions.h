#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

// « Nouveau dossier de société… », « Ouvrir un dossier de société… » and
// « Dossiers récents » of the main window's « Dossier » menu: the folder
// dialogs, the refusals in French (a folder that is not a company's and not
// empty, a folder that cannot be written, a recent folder gone), and the
// request to work in the chosen folder, which the session carries out once
// the menu has returned.
class FolderActions : public QObject
{
    Q_OBJECT

public:
    explicit FolderActions(QWidget *window);

    void addTo(QMenu *menu);

    // The steps after the folder dialogs, for the menu and for tests: false,
    // with a French message shown, when the folder is refused.
    bool openFolder(const QString &folder);
    bool createFolder(const QString &folder);

signals:
    // FRESH: a new company, whose employer is to be filled in.
    void folderChosen(const QString &folder, bool fresh);

private:
    void chooseNew();
    void chooseExisting();
    void fillRecent();
    void refuse(const QString &message, const QString &title);
    QString startDirectory() const;

    QWidget *m_window;
    QMenu *m_recent = nullptr;
};
