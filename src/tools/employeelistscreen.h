#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class Database;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class RecordView;

// The list of every employee by key, rebuilt from the table each time the
// window comes to the front. The clerk picks a name and sends it: the list
// raises its send request and shows the employee screen, which reads the
// chosen name when it becomes active and then closes the list.
class EmployeeListScreen : public QWidget
{
    Q_OBJECT

public:
    explicit EmployeeListScreen(QWidget *parent = nullptr);
    ~EmployeeListScreen() override;

    bool sendRequested() const { return m_sendRequested; }
    QString chosenName() const;

    // Shows the employee screen once the send request is raised.
    void setEmployeeScreenOpener(std::function<void()> opener) { m_openEmployeeScreen = std::move(opener); }
    // Why the employee screen cannot take another employee now (an add or a
    // modification under way there); nothing when it can. "Envoi" is then
    // refused with that message: no request, nothing shown, nothing touched.
    void setSendRefusal(std::function<std::optional<QString>()> refusal) { m_sendRefusal = std::move(refusal); }

    // Re-reads the table into the count line and the list.
    void rebuild();

signals:
    void sendRequestedChanged();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    QLabel *addInstruction(const QString &name, const QString &text);
    void openTable();
    void showCount(int count);
    void choose(QListWidgetItem *item);
    void updateSendButton();
    void send();
    void minimise();

    std::shared_ptr<Database> m_database;
    std::unique_ptr<RecordView> m_view;
    bool m_sendRequested = false;
    bool m_tableEmpty = true;
    std::function<void()> m_openEmployeeScreen;
    std::function<std::optional<QString>()> m_sendRefusal;

    QLabel *m_count = nullptr;      // Label1
    QLineEdit *m_chosen = nullptr;  // Text1
    QListWidget *m_list = nullptr;  // List1
    QPushButton *m_send = nullptr;  // Command1, "Envoi"
    QPushButton *m_leave = nullptr; // Command2, "Sortir"
    QList<QLabel *> m_instructions;
};
