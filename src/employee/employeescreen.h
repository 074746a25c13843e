#pragma once

#include "employeemessages.h"
#include "employeetabs.h"
#include "storeerror.h"

#include <QByteArray>
#include <QPointer>
#include <QWindow>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class CueBlinker;
class EditCycle;
class EmployeeButtons;
class EmployeeNavigator;
class EmployeeViews;
class FloatingEditor;
class QLineEdit;
class RecordBinding;

// The employee file (SALARIE), one employee at a time, and the only place
// where employees are added, modified and deleted. Three tabs show the
// identity, the forty contribution rates and the hourly base; the fields are
// typed through floating editors that stay locked outside an add or a
// modification. The pay slip reads the employee shown here through the read
// functions below, validated or not. The screen owns and wires the parts
// that do the work: the tabs, the command row, the navigator, the edit
// cycle and the attention cues.
class EmployeeScreen : public QWidget
{
    Q_OBJECT

public:
    using Panel = EmployeeTabs::Panel;

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
    // The photo frame shows `png`, a pending change of the record being
    // added or modified; refused while browsing.
    StoreError setPhotoData(const QByteArray &png);
    // What a photo picker opened now hands its photo to: the record of the
    // add or modification under way, as long as that edit lasts; once it
    // has ended (validated, cancelled, the screen closed) the hand-over is
    // refused with a message that says so.
    std::function<StoreError(const QByteArray &png)> photoHandOver();

    Panel activePanel() const;
    // A calculator result, into the active panel's editor (rates or base),
    // during an add or a modification only; otherwise the clerk is told to
    // press "Modifier" (or "Ajouter") first and nothing changes.
    void receiveCalculatorResult(const QString &text);
    bool isEditing() const;
    // Why another window may not put another employee on view now (an add
    // or a modification is under way); nothing when it may.
    std::optional<QString> sendRefusal() const;

    // The employee list's chosen name when its send request is raised (the
    // list is then closed), nothing otherwise; read at each activation
    // outside an add or a modification.
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
    // An add or a modification has been validated or cancelled: what was
    // opened for it (the photo picker) has no edit to serve any more.
    void editEnded();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // construction
    void chainTabOrder();
    void bindFields();
    void connectEditors();
    void openViews();

    // what the screen answers itself
    void switchTab(Panel panel);
    void leave();
    void pay();
    void chooseKey(const QString &key);
    void search(const QString &criterion);
    void identityEditorFocused();
    void lockedEditorWarning(FloatingEditor *editor);
    void calculatorAsked(FloatingEditor *editor, bool fromPicture);
    void photoDoubleClicked();
    static QString noEditForPhoto();
    QString editEndedForPhoto() const;

    EmployeeMessages m_messages;
    std::unique_ptr<EmployeeViews> m_views;
    RecordBinding *m_binding;
    EmployeeTabs *m_tabs;
    QLineEdit *m_key;             // Text2
    QLineEdit *m_mirrorSurname;   // Text4
    QLineEdit *m_mirrorFirstName; // Text5
    EmployeeButtons *m_buttons;
    EmployeeNavigator *m_navigator;
    CueBlinker *m_cues;
    EditCycle *m_editCycle;

    QPointer<QWindow> m_focusWindow; // the program's window that has the focus
    bool m_activatedOnce = false;

    std::function<std::optional<QString>()> m_sendRequestSource;
    std::function<void()> m_openPreparation;
};
