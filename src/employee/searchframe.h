#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The search frame "Rechercher" of the identity panel: the search text, the
// button "Recherche", the list of the keys found and a message line that
// guides the user and alternates with the button's caption while there is
// something to do. The screen runs the search itself and hands back the keys
// found; the frame only keeps its own texts and states.
class SearchFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit SearchFrame(QWidget *parent = nullptr);

    QLineEdit *searchText() const { return m_text; }
    QPushButton *searchButton() const { return m_button; }
    QListWidget *resultList() const { return m_list; }
    QString message() const;
    QString hint() const { return m_hint; }

    // Shows the keys found for the criterion (in upper case), or
    // "<Aucun salarié>" when none; `containing` when they were found by
    // containing the criterion, nothing matching it exactly.
    void showResults(const QStringList &keys, bool containing = false);
    void clearResults();
    // While editing or with fewer than two employees: the frame is disabled
    // and says so.
    void setImpossible();
    // After a deletion.
    void setHintAfterDeletion();
    // After "Valider" or "Annuler": the frame is enabled again.
    void restoreState();
    // One tick of the hint timer.
    void hintTick();

signals:
    // "Recherche" was pressed (or Enter typed in the search text); the
    // criterion is the search text as the screen would store it: typographic
    // apostrophes, upper case.
    void searchRequested(const QString &criterion);
    // A key of the result list was clicked.
    void keyChosen(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void textChanged(const QString &text);
    void search();
    void itemClicked(QListWidgetItem *item);
    void setMessage(const QString &message);
    void showWaiting(bool criterionTyped);

    QLineEdit *m_text;
    QPushButton *m_button;
    QListWidget *m_list;
    QLabel *m_message;
    QString m_hint;
};
