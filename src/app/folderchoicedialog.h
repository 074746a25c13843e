#pragma once

#include <QDialog>

class QLineEdit;

// The choice at the very first start, when no company folder was used
// before (or the last one is gone): create the company's folder (in the
// user's documents by default), open an existing folder, open the
// demonstration, or quit.
class FolderChoiceDialog : public QDialog
{
    Q_OBJECT

public:
    enum Choice { Quit, Create, OpenExisting, Demonstration };

    // MESSAGE, when not empty, says why the choice is offered again (the
    // last folder is gone).
    explicit FolderChoiceDialog(const QString &message = QString(), QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }
    // The folder to create, as typed or browsed.
    QString folderToCreate() const;

    // Where the company named NAME goes by default: Documents/Quorvan/NAME.
    static QString defaultFolder(const QString &name);

private:
    void choose(Choice choice);
    void followName(const QString &name);
    void browse();

    QLineEdit *m_name = nullptr;
    QLineEdit *m_folder = nullptr;
    bool m_folderTyped = false;
    Choice m_choice = Quit;
};
