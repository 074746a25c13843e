#pragma once

#include "storeerror.h"

#include <QByteArray>
#include <QPointer>
#include <QWindow>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class BasePanel;
class Database;
class EmployeePanel;
class EmployeeTable;
class FloatingEditor;
class IdentityPanel;
class QLineEdit;
class QPushButton;
class QTimer;
class RatesPanel;
class RecordBinding;
class RecordView;
class SearchFrame;
class TabButton;

// The employee file (SALARIE), one employee at a time, and the only place
// where employees are added, modified and deleted. Three tabs show the
// identity, the forty contribution rates and the hourly base; the fields are
// typed through floating editors that stay locked outside an add or a
// modification. The pay slip reads the employee shown here through the read
// functions below, validated or not.
class EmployeeScreen : public QWidget
{
    Q_OBJECT

public:
    enum class Panel { Identity, Rates, Base };

    explicit EmployeeScreen(QWidget *parent = nullptr);
    ~EmployeeScreen() override;

    // Texts of the current record as the screen shows them.
    QString identityText(int index) const;   // Text1 0..8
    QString keyText() const;                 // Text2 (IDENTIFICATION)
    QString rateText(int index) const;       // TauxCot 0..39
    QString par3Text() const;
    QString baseText(int index) const;       // base 0..3
    QString remainingShareText() const;      // label38
    void setBaseText(int index, const QString &text);

    // PNG bytes of the photo, empty when none.
    QByteArray photoData() const;
    // The photo frame shows `png`, a pending change of the current record.
    StoreError setPhotoData(const QByteArray &png);

    Panel activePanel() const;
    // A calculator result, into the active panel's editor (rates or base).
    void receiveCalculatorResult(const QString &text);
    bool isEditing() const { return !m_editMode.isEmpty(); }

    // The employee list's chosen name when its send request is raised (the
    // list is then closed), nothing otherwise; read at each activation.
    void setSendRequestSource(std::function<std::optional<QString>()> source);
    // Opens the pay slip preparation for the employee shown ("Paie").
    void setPreparationOpener(std::function<void()> opener);

    // Timer handlers, public so that they can be fired directly.
    void blinkTick();        // every 500 ms
    void searchHintTick();   // every 2000 ms

    // The screen became the active window.
    void activate();

signals:
    void calculatorRequested();
    void photoPickerRequested();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Snapshot
    {
        QStringList identity;
        QByteArray photo;
        QStringList rates;
        QStringList bases;
    };

    // construction
    void buildTabs();
    void buildButtons();
    void buildShortcuts();
    void bindFields();
    void connectEditors();
    void openViews();
    QPushButton *addButton(const QString &name, const QString &caption, const QString &tip);

    // edit cycle
    void add();
    void modify();
    void validate();
    void cancel();
    void remove();
    void leave();
    void pay();
    bool refuseNonNumbers();
    bool refuseDuplicate(const QString &surname, const QString &firstName);
    bool storeRecord();
    void endEditLayout();
    void reassertEditLayout();
    void takeSnapshot();
    void restoreSnapshot();

    // navigation
    void syncNavigation();
    void move(bool forward);
    void endOfList();
    void moveLastAndFirst(RecordView &view);
    void showCurrent();
    void showMirror();
    void setPositionIndicator(bool noneWhenEmpty = true);
    void chooseKey(const QString &key);
    void search(const QString &criterion);
    void setSearchImpossible();

    // tabs, focus, cues
    void switchTab(Panel panel);
    void focusRule();
    void lockedEditorWarning(FloatingEditor *editor);
    void calculatorAsked(FloatingEditor *editor, bool fromPicture);
    void photoDoubleClicked();
    void setEditorsLocked(bool locked);

    // normalisation steps
    void identityEditorFocused();
    void setIdentity(int index, const QString &text);
    void noSsn();
    void maskEntryDate();
    void upperCaseIdentity();
    void replaceApostrophes();
    void updateHeaders();

    bool reported(const StoreError &error);
    int ask(const QString &message, int style, const QString &title);
    QLineEdit *identityField(int index) const;
    EmployeePanel *panel(Panel which) const;

    std::shared_ptr<Database> m_database;
    std::unique_ptr<RecordView> m_edit;    // Data1
    std::unique_ptr<RecordView> m_mirror;  // Data2
    std::unique_ptr<RecordView> m_search;  // Data3
    std::unique_ptr<EmployeeTable> m_table;
    RecordBinding *m_binding = nullptr;

    IdentityPanel *m_identity = nullptr;
    RatesPanel *m_rates = nullptr;
    BasePanel *m_base = nullptr;
    SearchFrame *m_searchFrame = nullptr;
    std::array<TabButton *, 3> m_tabs{};
    QLineEdit *m_key = nullptr;          // Text2
    QLineEdit *m_mirrorSurname = nullptr;   // Text4
    QLineEdit *m_mirrorFirstName = nullptr; // Text5

    QPushButton *m_delete = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_modify = nullptr;
    QPushButton *m_validate = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_pay = nullptr;
    QPushButton *m_leave = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;

    QString m_editMode;        // "", "ajout" or "Modif"
    QString m_blinkTarget;     // "", "ValAn", "modif" or "ajout"
    QString m_suggestedButton; // "AJOUTER" or "MODIFIER"
    Snapshot m_snapshot;
    QTimer *m_blinkTimer = nullptr;
    QTimer *m_hintTimer = nullptr;
    QPointer<QWindow> m_focusWindow; // the program's window that has the focus
    bool m_activatedOnce = false;

    std::function<std::optional<QString>()> m_sendRequestSource;
    std::function<void()> m_openPreparation;
};
