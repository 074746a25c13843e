#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// "Confirmation de suppression de la fiche": asks before a saved pay slip is
// deleted. Not modal, so the list stays usable meanwhile; "&Oui" acts on the
// file its message names, whatever the list selects by then. There is one
// at a time: asking again while it is open names the new file.
class DeleteConfirmation : public QDialog
{
    Q_OBJECT

public:
    using Confirmed = std::function<void(const QString &fileName)>;

    static DeleteConfirmation *ask(const QString &fileName, Confirmed confirmed);
    // The open confirmation, nullptr when none.
    static DeleteConfirmation *current();

    QString fileName() const { return m_fileName; }
    QString message() const;

private:
    DeleteConfirmation();
    void confirm();

    QString m_fileName;
    Confirmed m_confirmed;
    QLabel *m_message;
};
