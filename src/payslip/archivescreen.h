#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class PrinterChoice;
class QLabel;
class QListWidget;
class QToolButton;
class ReportEngine;

// "Ouverture d'une fiche de paie": the saved pay slips of the working
// directory, to show again, print again or delete. It drives a report
// object of its own, so the preparation screen's pay slip and settings are
// never touched by what is shown or printed here. The list is read when the
// screen opens; after a deletion the screen is closed and opened again.
class ArchiveScreen : public QWidget
{
    Q_OBJECT

public:
    // `reopen` opens the list anew after a deletion (through the registry).
    explicit ArchiveScreen(const PrinterChoice *printers, std::function<void()> reopen = {});
    ~ArchiveScreen() override;

    // The selected file name, empty when nothing is selected.
    QString selectedFile() const;
    const ReportEngine &report() const { return *m_report; }

private:
    QToolButton *pictureButton(const QString &name, const QString &icon);
    void selectionChanged();
    // The selected file, or nothing after telling the clerk to choose one.
    QString requireSelection() const;
    void preview();
    void print();
    void remove();
    static void removeAndReopen(const QString &fileName, QWidget *list, const std::function<void()> &reopen);
    static void forgetInHistory(const QString &fileName);

    std::unique_ptr<ReportEngine> m_report;
    std::function<void()> m_reopen;
    QListWidget *m_files;
    QLabel *m_selected;
};
