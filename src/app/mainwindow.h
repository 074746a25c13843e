#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <functional>

class BackupActions;
class FolderActions;
class HelpSystem;
class PrinterChoice;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class ScreenRegistry;

// The hub of the program: menu, picture buttons, clock, help, printer set-up
// and the euro-rate gate in front of the employee file. It owns no data and
// opens no database; closing it ends the program without running the other
// screens' closing steps.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The euro rate as the euro rate screen currently shows it, or why that
    // screen could not read it from its file.
    struct RateReading
    {
        RateReading(QString rateText = QString(), QString whyUnreadable = QString())
            : text(std::move(rateText)), unreadable(std::move(whyUnreadable)) {}
        QString text;
        QString unreadable; // empty when the rate was read
    };
    using RateReader = std::function<RateReading()>;

    MainWindow(ScreenRegistry &registry, HelpSystem &help, PrinterChoice &printers,
               QWidget *parent = nullptr);

    void setEuroRateReader(RateReader reader) { m_readEuroRate = std::move(reader); }
    // Enables the menu items and buttons whose screens the registry knows.
    void refreshAvailableScreens();

    // The clock's timer handler, public so that it can be fired directly.
    void tick();
    // The euro-rate gate; returns true when the employee screen was opened.
    bool openEmployeeFile();
    // « Paie du mois », behind the same gate.
    bool openPayRun();

    // « Sauvegarder », « Restaurer » and the backup at closing.
    BackupActions &backupActions() const { return *m_backup; }
    // « Nouveau dossier de société… », « Ouvrir… » and « Dossiers récents ».
    FolderActions &folderActions() const { return *m_folders; }

    // The company folder the window works on: named with the company in the
    // title and on the status line, the name read again whenever the window
    // is activated (the employer screen may have changed it).
    void showCompanyFolder(const QString &folder);
    void refreshCompanyName();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    // The open screens that show the employee file, named for the clerk.
    QString screensShowingEmployees() const;
    QWidget *buildButtonRow();
    QWidget *buildBackground();
    QAction *addItem(QMenu *menu, const QString &caption, const QString &name);
    QToolButton *addPictureButton(const QString &name, const QString &icon, const QString &tooltip);
    void openScreen(const QString &screenName);
    bool passesEuroRateGate(const QString &cannotOpen);
    void openCalculator();
    void toggleClock();

    ScreenRegistry &m_registry;
    HelpSystem &m_help;
    PrinterChoice &m_printers;
    RateReader m_readEuroRate;
    QLabel *m_clock = nullptr;
    QTimer *m_clockTimer = nullptr;
    QAction *m_clockItem = nullptr;
    QHash<QString, QList<QObject *>> m_screenControls; // screen name -> items and buttons
    BackupActions *m_backup = nullptr;
    FolderActions *m_folders = nullptr;
    QString m_companyFolder;
    QLabel *m_folderLine = nullptr;
};
