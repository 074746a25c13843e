#pragma once

#include "backupresult.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class FolderChanges;
class QAction;
class QMenu;
class QProgressDialog;
class QWidget;
class RestorePlan;

// « Sauvegarder » and « Restaurer » of the main window, and its automatic
// backup at closing: the file dialogs, the progress with « Annuler », the
// confirmation that names what a restore replaces and the French messages,
// around the backup library that does the work. A restore over the working
// folder first closes every screen, so that no database stays open on files
// being replaced, and the program then works on the restored folder.
class BackupActions : public QObject
{
    Q_OBJECT

public:
    using ScreenCloser = std::function<void()>;

    BackupActions(QWidget *window, ScreenCloser closeScreens);
    ~BackupActions() override;

    // Adds « Sauvegarder… » and « Restaurer… » to `menu`.
    void addTo(QMenu *menu);

    // From now on, the program closing after a change of the working
    // folder's company files backs the folder up (AutomaticBackup).
    void watchWorkingFolder();
    // The backup at closing, when the folder is watched and changed; the
    // result, or nothing when no backup was due.
    std::optional<BackupResult> backUpIfChanged();

    // The steps after the file dialogs, for the menu and for tests.
    BackupResult backUpTo(const QString &archivePath);
    BackupResult restore(const QString &archivePath, const QString &targetFolder);

    // The archive name the backup dialog proposes, in `directory`.
    QString proposedPath(const QString &directory) const;

private:
    void chooseAndBackUp();
    void chooseAndRestore();
    std::optional<QString> chooseTarget(const QString &archivePath);
    bool confirm(const RestorePlan &plan);
    void tell(const BackupResult &result, const QString &title, const QString &success);
    void workIn(const QString &folder);

    QWidget *m_window;
    ScreenCloser m_closeScreens;
    std::unique_ptr<FolderChanges> m_changes;
    QString m_lastDirectory;
};
