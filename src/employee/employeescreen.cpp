#include "employeescreen.h"

#include "attentioncues.h"
#include "basepanel.h"
#include "calculatorpicture.h"
#include "cueblinker.h"
#include "editcycle.h"
#include "employeebuttons.h"
#include "employeenavigator.h"
#include "employeerules.h"
#include "employeeviews.h"
#include "floatingeditor.h"
#include "helpcontext.h"
#include "identitypanel.h"
#include "messagebox.h"
#include "photoframe.h"
#include "ratespanel.h"
#include "recordbinding.h"
#include "recordview.h"
#include "schema.h"
#include "searchframe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QWindow>

namespace {

QLineEdit *hiddenField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->hide();
    return field;
}

} // namespace

EmployeeScreen::EmployeeScreen(QWidget *parent)
    : QWidget(parent)
    , m_messages(this)
    , m_binding(new RecordBinding(this))
{
    setObjectName(QStringLiteral("Fiche"));
    setWindowTitle(QStringLiteral("Fiche salarié"));
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Employee);
    const QRect panelArea = EmployeeTabs::panelArea();
    setFixedSize(panelArea.x() * 2 + panelArea.width(), 548);

    m_tabs = new EmployeeTabs(this);
    m_key = hiddenField(QStringLiteral("Text2"), this);
    m_mirrorSurname = hiddenField(QStringLiteral("Text4"), this);
    m_mirrorFirstName = hiddenField(QStringLiteral("Text5"), this);
    m_buttons = new EmployeeButtons(this, panelArea);
    chainTabOrder();
    bindFields();
    connectEditors();

    m_navigator = new EmployeeNavigator({m_tabs, m_buttons, m_binding, m_mirrorSurname, m_mirrorFirstName},
                                        m_messages, this);
    m_cues = new CueBlinker(m_buttons, m_tabs->identity()->searchFrame(), this);
    m_editCycle = new EditCycle({m_tabs, m_buttons, m_navigator, m_cues, m_binding, m_key}, m_messages, this);
    connect(m_editCycle, &EditCycle::ended, this, &EmployeeScreen::editEnded);
    connect(m_tabs, &EmployeeTabs::tabChosen, this, &EmployeeScreen::switchTab);
    connect(m_buttons->pay(), &QPushButton::clicked, this, &EmployeeScreen::pay);
    connect(m_buttons->leave(), &QPushButton::clicked, this, &EmployeeScreen::leave);
    SearchFrame *searchFrame = m_tabs->identity()->searchFrame();
    connect(searchFrame, &SearchFrame::searchRequested, this, &EmployeeScreen::search);
    connect(searchFrame, &SearchFrame::keyChosen, this, &EmployeeScreen::chooseKey);
    connect(m_tabs->identity()->photo(), &PhotoFrame::doubleClicked, this, &EmployeeScreen::photoDoubleClicked);

    // Initial state: nothing to validate or cancel, nothing to search yet.
    m_buttons->validate()->setEnabled(false);
    m_buttons->cancel()->setEnabled(false);
    m_tabs->identity()->previousButton()->setEnabled(false);
    searchFrame->searchButton()->setEnabled(false);
    m_tabs->setEditorsLocked(true);
    switchTab(Panel::Identity);

    m_focusWindow = QGuiApplication::focusWindow();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow *window) { m_focusWindow = window; });

    openViews();
}

EmployeeScreen::~EmployeeScreen() = default;

// --- construction -------------------------------------------------------------

void EmployeeScreen::chainTabOrder()
{
    // Tab order of the identity panel; the other panels' editors join before
    // "Ajouter" (hidden panels drop out of the chain).
    const IdentityPanel *identity = m_tabs->identity();
    const SearchFrame *searchFrame = identity->searchFrame();
    const EmployeeButtons *b = m_buttons;
    QWidget *chain[] = {identity->editor(), b->pay(), b->remove(), searchFrame->searchText(),
                        searchFrame->searchButton(), searchFrame->resultList(), identity->previousButton(),
                        identity->nextButton(), m_tabs->rates()->editor(), m_tabs->rates()->par3Field(),
                        m_tabs->base()->editor(), b->add(), b->validate(), b->cancel(), b->modify(), b->leave()};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void EmployeeScreen::bindFields()
{
    IdentityPanel *identity = m_tabs->identity();
    RatesPanel *rates = m_tabs->rates();
    BasePanel *base = m_tabs->base();
    const QStringList identityColumns = EmployeeRules::identityColumns();
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        m_binding->bind(identity->field(i), identityColumns.at(i));
    m_binding->bind(m_key, QStringLiteral("IDENTIFICATION"));
    const QStringList rateColumns = Schema::rateColumns();
    for (int i = 0; i < EmployeeRules::RateCount; ++i)
        m_binding->bind(rates->field(i), rateColumns.at(i));
    m_binding->bind(rates->par3Field(), QStringLiteral("PAR3"));
    const QStringList baseColumns = EmployeeRules::baseColumns();
    for (int i = 0; i < EmployeeRules::BaseCount; ++i)
        m_binding->bind(base->field(i), baseColumns.at(i));
    m_binding->bind(base->remainingShare(), QStringLiteral("RAPPLS1"));
    m_binding->bind(identity->photo(), QStringLiteral("PHOTO"));
    connect(base, &BasePanel::remainingShareChanged, this,
            [this, base] { m_binding->displayChanged(base->remainingShare()); });
}

void EmployeeScreen::connectEditors()
{
    RatesPanel *rates = m_tabs->rates();
    BasePanel *base = m_tabs->base();
    FloatingEditor *identity = m_tabs->identity()->editor();
    connect(identity, &FloatingEditor::focusReceived, this, &EmployeeScreen::identityEditorFocused);
    connect(rates->editor(), &FloatingEditor::focusReceived, rates, &RatesPanel::checkRates);
    connect(base->editor(), &FloatingEditor::focusReceived, base, &BasePanel::normaliseBases);
    for (FloatingEditor *editor : {identity, rates->editor(), base->editor()})
        connect(editor, &FloatingEditor::lockedKeyPressed, this, [this, editor] { lockedEditorWarning(editor); });
    for (FloatingEditor *editor : {rates->editor(), base->editor()})
        connect(editor, &FloatingEditor::doubleClicked, this, [this, editor] { calculatorAsked(editor, false); });
    connect(rates->calculatorPicture(), &QToolButton::clicked, this,
            [this, rates] { calculatorAsked(rates->editor(), true); });
    connect(base->calculatorPicture(), &QToolButton::clicked, this,
            [this, base] { calculatorAsked(base->editor(), true); });
}

void EmployeeScreen::openViews()
{
    m_views = EmployeeViews::open(m_messages);
    if (!m_views) {
        for (QWidget *widget : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (widget != m_buttons->leave())
                widget->setEnabled(false);
        }
        return;
    }
    m_navigator->setViews(m_views.get());
    m_editCycle->setViews(m_views.get());
    m_binding->setView(&m_views->edit());
    m_navigator->showCurrent();
}

// --- reads for the other screens ------------------------------------------------

QString EmployeeScreen::identityText(int index) const
{
    return m_tabs->identity()->identityText(index);
}

QString EmployeeScreen::keyText() const
{
    return m_key->text();
}

QString EmployeeScreen::rateText(int index) const
{
    const QLineEdit *field = m_tabs->rates()->field(index);
    return field ? field->text() : QString();
}

QString EmployeeScreen::par3Text() const
{
    return m_tabs->rates()->par3Field()->text();
}

QString EmployeeScreen::baseText(int index) const
{
    const QLineEdit *field = m_tabs->base()->field(index);
    return field ? field->text() : QString();
}

QString EmployeeScreen::remainingShareText() const
{
    return m_tabs->base()->remainingShare()->text();
}

void EmployeeScreen::setBaseText(int index, const QString &text)
{
    if (QLineEdit *field = m_tabs->base()->field(index))
        field->setText(text);
}

QByteArray EmployeeScreen::photoData() const
{
    return m_tabs->identity()->photo()->photoData();
}

StoreError EmployeeScreen::setPhotoData(const QByteArray &png)
{
    if (!m_views || !m_views->edit().hasCurrent() || !isEditing())
        return StoreError(StoreError::NoCurrentRecord, noEditForPhoto());
    m_tabs->identity()->photo()->setPhotoData(png);
    m_binding->photoChanged();
    return {};
}

QString EmployeeScreen::noEditForPhoto()
{
    return QStringLiteral("La photo n’a pas été transmise : aucun ajout ni aucune modification n’est en "
                          "cours sur la fiche salarié. Appuyez sur « Modifier », puis double-cliquez sur le "
                          "cadre de la photo.");
}

QString EmployeeScreen::editEndedForPhoto() const
{
    if (m_editCycle->isAdding())
        return QStringLiteral("La photo n’a pas été transmise : l’ajout de salarié pour lequel elle a été "
                              "choisie est terminé. Pour donner une photo à un salarié, affichez-le, "
                              "appuyez sur « Modifier », puis double-cliquez sur le cadre de la photo.");
    return QStringLiteral("La photo n’a pas été transmise : la modification de %1, pour laquelle elle a été "
                          "choisie, est terminée. Pour changer sa photo, appuyez sur « Modifier », puis "
                          "double-cliquez sur le cadre de la photo.")
        .arg(m_editCycle->modifiedNames());
}

std::function<StoreError(const QByteArray &)> EmployeeScreen::photoHandOver()
{
    const QPointer<EmployeeScreen> screen(this);
    const int edit = m_editCycle->openEdit();
    const QString ended = edit ? editEndedForPhoto() : noEditForPhoto();
    return [screen, edit, ended](const QByteArray &png) {
        if (!screen)
            return StoreError(StoreError::NoCurrentRecord,
                              QStringLiteral("La fiche salarié est fermée : la photo n’a pas été transmise."));
        if (edit == 0 || screen->m_editCycle->openEdit() != edit)
            return StoreError(StoreError::NoCurrentRecord, ended);
        return screen->setPhotoData(png);
    };
}

EmployeeScreen::Panel EmployeeScreen::activePanel() const
{
    return m_tabs->active();
}

void EmployeeScreen::receiveCalculatorResult(const QString &text)
{
    const Panel active = activePanel();
    if (active == Panel::Identity)
        return;
    FloatingEditor *editor = m_tabs->panel(active)->editor();
    // A locked editor takes a result no more than a typed key.
    if (editor->isLocked()) {
        lockedEditorWarning(editor);
        return;
    }
    editor->setText(text);
}

bool EmployeeScreen::isEditing() const
{
    return m_editCycle->isEditing();
}

std::optional<QString> EmployeeScreen::sendRefusal() const
{
    if (!isEditing())
        return std::nullopt;
    const QString what = m_editCycle->isAdding()
        ? QStringLiteral("Un nouveau salarié est en cours d’ajout")
        : QStringLiteral("La fiche de %1 est en cours de modification").arg(m_editCycle->modifiedNames());
    return what + QStringLiteral(" : appuyez sur « Valider » ou « Annuler » sur la fiche salarié avant "
                                 "d’en afficher un autre.");
}

void EmployeeScreen::setSendRequestSource(std::function<std::optional<QString>()> source)
{
    m_sendRequestSource = std::move(source);
}

void EmployeeScreen::setPreparationOpener(std::function<void()> opener)
{
    m_openPreparation = std::move(opener);
}

void EmployeeScreen::blinkTick()
{
    m_cues->blinkTick();
}

void EmployeeScreen::searchHintTick()
{
    m_cues->hintTick();
}

// --- activation and closing ---------------------------------------------------------

void EmployeeScreen::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // The window the clerk comes from; the application tells of the change
    // only after this event, so it is still the one followed so far.
    QWindow *from = m_focusWindow;
    const bool first = !std::exchange(m_activatedOnce, true);
    // Coming back from one of this screen's own message boxes, or from
    // another application, is not turning to this screen.
    if (!first && (!from || from->transientParent() == windowHandle()))
        return;
    activate();
}

void EmployeeScreen::activate()
{
    if (!m_views)
        return;
    m_tabs->focusRule();
    if (m_buttons->modify()->isEnabled()) {
        m_navigator->reloadKeepingCurrent();
        m_navigator->sync();
    } else {
        m_editCycle->reassertEditLayout();
    }
    m_navigator->setPositionIndicator();
    m_tabs->rates()->browseRates();

    // Another employee is never put on view in the middle of an edit: the
    // list refuses to send then, and a request would wait for the edit's end.
    if (!m_sendRequestSource || isEditing())
        return;
    if (const std::optional<QString> chosen = m_sendRequestSource()) {
        m_navigator->findKey(*chosen);
        m_navigator->sync();
        m_navigator->setPositionIndicator(false);
    }
}

void EmployeeScreen::closeEvent(QCloseEvent *event)
{
    if (m_buttons->validate()->isEnabled()) {
        event->ignore();
        m_messages.ask(QStringLiteral("Vous devez VALIDER ou ANNULER votre opération en cours"),
                       MessageBox::Stop, QStringLiteral("Action Impossible"));
        m_cues->setTarget(AttentionCues::BlinkValidateCancel);
        m_tabs->focusRule();
        return;
    }
    event->accept();
}

// --- what the screen answers itself ----------------------------------------------------

void EmployeeScreen::switchTab(Panel which)
{
    m_tabs->show(which, m_views && m_views->hasEmployees());
}

void EmployeeScreen::leave()
{
    switchTab(Panel::Identity);
    hide();
    // Back to the main window.
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow *>(top) && top->isVisible()) {
            top->setEnabled(true);
            top->activateWindow();
            top->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void EmployeeScreen::pay()
{
    if (identityText(EmployeeRules::Surname).isEmpty()) {
        m_messages.ask(QStringLiteral("Salarié non identifié"), MessageBox::Information,
                       EmployeeMessages::Attention);
        return;
    }
    if (m_openPreparation)
        m_openPreparation();
}

void EmployeeScreen::chooseKey(const QString &key)
{
    if (!m_views || !m_navigator->findKey(key))
        return;
    m_navigator->sync();
    m_navigator->setPositionIndicator(false);
}

void EmployeeScreen::search(const QString &criterion)
{
    if (!m_views)
        return;
    if (const std::optional<EmployeeViews::SearchResult> found = m_views->searchKeys(criterion))
        m_tabs->identity()->searchFrame()->showResults(found->keys, found->containing);
}

void EmployeeScreen::identityEditorFocused()
{
    m_tabs->identity()->maskEntryDate();
    m_tabs->identity()->upperCaseAll();
}

void EmployeeScreen::lockedEditorWarning(FloatingEditor *editor)
{
    QApplication::beep();
    const bool adding = !m_buttons->modify()->isEnabled();
    m_cues->setTarget(adding ? AttentionCues::BlinkAdd : AttentionCues::BlinkModify);
    m_messages.ask(QStringLiteral("Vous devez appuyer sur ")
                       + (adding ? QStringLiteral("AJOUTER") : QStringLiteral("MODIFIER")),
                   MessageBox::Exclamation, EmployeeMessages::ActionImpossible);
    if (!editor->isHidden())
        editor->takeFocus();
}

void EmployeeScreen::calculatorAsked(FloatingEditor *editor, bool fromPicture)
{
    if (!editor->isLocked()) {
        emit calculatorRequested();
        return;
    }
    if (fromPicture)
        QApplication::beep();
    m_messages.ask(QStringLiteral("Vous devez appuyer sur modifier"), MessageBox::Exclamation,
                   EmployeeMessages::ActionImpossible);
    if (fromPicture)
        m_cues->setTarget(AttentionCues::BlinkModify);
    editor->takeFocus();
}

void EmployeeScreen::photoDoubleClicked()
{
    IdentityPanel *identity = m_tabs->identity();
    if (identity->editor()->isLocked()) {
        lockedEditorWarning(identity->editor());
        if (identity->editor()->isHidden())
            identity->focusFirstField();
        return;
    }
    emit photoPickerRequested();
}
