#include "employeescreen.h"

#include "attentioncues.h"
#include "basepanel.h"
#include "database.h"
#include "employeerules.h"
#include "employeetable.h"
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
#include "tabbutton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <QToolButton>

namespace {

const QString Attention = QStringLiteral("ATTENTION");
const QString ActionImpossible = QStringLiteral("Action impossible");
const QString EditAdd = QStringLiteral("ajout");
const QString EditModify = QStringLiteral("Modif");

constexpr int PanelX = 12;
constexpr int PanelY = 46;
constexpr int PanelWidth = 756;
constexpr int PanelHeight = 440;

} // namespace

EmployeeScreen::EmployeeScreen(QWidget *parent)
    : QWidget(parent)
    , m_binding(new RecordBinding(this))
{
    setObjectName(QStringLiteral("Fiche"));
    setWindowTitle(QStringLiteral("Fiche salarié"));
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Employee);
    setFixedSize(PanelX * 2 + PanelWidth, 548);

    m_identity = new IdentityPanel(this);
    m_rates = new RatesPanel(this);
    m_base = new BasePanel(this);
    for (EmployeePanel *each : {static_cast<EmployeePanel *>(m_identity),
                                static_cast<EmployeePanel *>(m_rates),
                                static_cast<EmployeePanel *>(m_base)})
        each->setGeometry(PanelX, PanelY, PanelWidth, PanelHeight);
    m_searchFrame = m_identity->searchFrame();
    m_previous = m_identity->previousButton();
    m_next = m_identity->nextButton();

    m_key = new QLineEdit(this);
    m_key->setObjectName(QStringLiteral("Text2"));
    m_mirrorSurname = new QLineEdit(this);
    m_mirrorSurname->setObjectName(QStringLiteral("Text4"));
    m_mirrorFirstName = new QLineEdit(this);
    m_mirrorFirstName->setObjectName(QStringLiteral("Text5"));
    for (QLineEdit *hidden : {m_key, m_mirrorSurname, m_mirrorFirstName})
        hidden->hide();

    buildTabs();
    buildButtons();
    buildShortcuts();
    bindFields();
    connectEditors();

    connect(m_searchFrame, &SearchFrame::searchRequested, this, &EmployeeScreen::search);
    connect(m_searchFrame, &SearchFrame::keyChosen, this, &EmployeeScreen::chooseKey);
    connect(m_previous, &QPushButton::clicked, this, [this] { move(false); });
    connect(m_next, &QPushButton::clicked, this, [this] { move(true); });
    connect(m_identity->photo(), &PhotoFrame::doubleClicked, this, &EmployeeScreen::photoDoubleClicked);

    // Initial state: nothing to validate or cancel, nothing to search yet.
    m_validate->setEnabled(false);
    m_cancel->setEnabled(false);
    m_previous->setEnabled(false);
    m_searchFrame->searchButton()->setEnabled(false);
    setEditorsLocked(true);
    switchTab(Panel::Identity);

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setInterval(500);
    connect(m_blinkTimer, &QTimer::timeout, this, &EmployeeScreen::blinkTick);
    m_blinkTimer->start();
    m_hintTimer = new QTimer(this);
    m_hintTimer->setInterval(2000);
    connect(m_hintTimer, &QTimer::timeout, this, &EmployeeScreen::searchHintTick);
    m_hintTimer->start();

    m_focusWindow = QGuiApplication::focusWindow();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow *window) { m_focusWindow = window; });

    openViews();
}

EmployeeScreen::~EmployeeScreen() = default;

// --- construction -------------------------------------------------------------

void EmployeeScreen::buildTabs()
{
    const struct
    {
        const char *name;
        const char *caption;
        const char *icon;
        Panel panel;
    } tabs[] = {
        {"Picture4", "Salarié", ":/icons/tab-employee.svg", Panel::Identity},
        {"Picture5", "Taux des Cotisations", ":/icons/tab-rates.svg", Panel::Rates},
        {"Picture6", "Base", ":/icons/tab-base.svg", Panel::Base},
    };
    for (int i = 0; i < 3; ++i) {
        auto *tab = new TabButton(QString::fromUtf8(tabs[i].caption), QString::fromLatin1(tabs[i].icon), this);
        tab->setObjectName(QString::fromLatin1(tabs[i].name));
        tab->setGeometry(PanelX + 6 + i * 214, 10, 208, 37);
        tab->setToolTip(QStringLiteral("Raccourci  [F%1]").arg(i + 2));
        const Panel panel = tabs[i].panel;
        connect(tab, &TabButton::clicked, this, [this, panel] { switchTab(panel); });
        m_tabs[i] = tab;
    }
}

QPushButton *EmployeeScreen::addButton(const QString &name, const QString &caption, const QString &tip)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

void EmployeeScreen::buildButtons()
{
    m_delete = addButton(QStringLiteral("Supprimer"), QStringLiteral("Supprimer"), QString());
    m_add = addButton(QStringLiteral("Ajouter"), QStringLiteral("Ajouter"), QStringLiteral("Raccourci  [F5]"));
    m_modify = addButton(QStringLiteral("Modifier"), QStringLiteral("Modifier"), QStringLiteral("Raccourci  [F8]"));
    m_validate = addButton(QStringLiteral("Valider"), QStringLiteral("Valider"), QStringLiteral("Raccourci  [F6]"));
    m_cancel = addButton(QStringLiteral("Annuler"), QStringLiteral("Annuler"), QStringLiteral("Raccourci  [F7]"));
    m_pay = addButton(QStringLiteral("créer"), QStringLiteral("Paie"), QString());
    m_leave = addButton(QStringLiteral("Sortir"), QStringLiteral("Sortir"), QStringLiteral("Raccourci  [Echap]"));
    const QList<QPushButton *> row = {m_delete, m_add, m_modify, m_validate, m_cancel, m_pay, m_leave};
    const int width = 100;
    const int gap = (PanelWidth - int(row.size()) * width) / int(row.size() - 1);
    for (int i = 0; i < row.size(); ++i)
        row[i]->setGeometry(PanelX + i * (width + gap), PanelY + PanelHeight + 12, width, 32);

    connect(m_delete, &QPushButton::clicked, this, &EmployeeScreen::remove);
    connect(m_add, &QPushButton::clicked, this, &EmployeeScreen::add);
    connect(m_modify, &QPushButton::clicked, this, &EmployeeScreen::modify);
    connect(m_validate, &QPushButton::clicked, this, &EmployeeScreen::validate);
    connect(m_cancel, &QPushButton::clicked, this, &EmployeeScreen::cancel);
    connect(m_pay, &QPushButton::clicked, this, &EmployeeScreen::pay);
    connect(m_leave, &QPushButton::clicked, this, &EmployeeScreen::leave);

    // Tab order of the identity panel; the other panels' editors join before
    // "Ajouter" (hidden panels drop out of the chain).
    QWidget *chain[] = {m_identity->editor(), m_pay, m_delete, m_searchFrame->searchText(),
                        m_searchFrame->searchButton(), m_searchFrame->resultList(), m_previous,
                        m_next, m_rates->editor(), m_rates->par3Field(), m_base->editor(),
                        m_add, m_validate, m_cancel, m_modify, m_leave};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void EmployeeScreen::buildShortcuts()
{
    // The screen sees these keys before its fields do.
    const auto shortcut = [this](Qt::Key key, auto action) {
        auto *s = new QShortcut(QKeySequence(key), this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(Qt::Key_F2, [this] { switchTab(Panel::Identity); });
    shortcut(Qt::Key_F3, [this] { switchTab(Panel::Rates); });
    shortcut(Qt::Key_F4, [this] { switchTab(Panel::Base); });
    // A button disabled at that moment ignores its key: the enabled states
    // are the guards of the edit cycle.
    shortcut(Qt::Key_F5, [this] { m_add->click(); });
    shortcut(Qt::Key_F6, [this] { m_validate->click(); });
    shortcut(Qt::Key_F7, [this] { m_cancel->click(); });
    shortcut(Qt::Key_F8, [this] { m_modify->click(); });
    shortcut(Qt::Key_Escape, [this] { m_leave->click(); });
}

void EmployeeScreen::bindFields()
{
    const QStringList identity = EmployeeRules::identityColumns();
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        m_binding->bind(identityField(i), identity.at(i));
    m_binding->bind(m_key, QStringLiteral("IDENTIFICATION"));
    const QStringList rates = Schema::rateColumns();
    for (int i = 0; i < EmployeeRules::RateCount; ++i)
        m_binding->bind(m_rates->field(i), rates.at(i));
    m_binding->bind(m_rates->par3Field(), QStringLiteral("PAR3"));
    const QStringList bases = EmployeeRules::baseColumns();
    for (int i = 0; i < EmployeeRules::BaseCount; ++i)
        m_binding->bind(m_base->field(i), bases.at(i));
    m_binding->bind(m_base->remainingShare(), QStringLiteral("RAPPLS1"));
    m_binding->bind(m_identity->photo(), QStringLiteral("PHOTO"));
    connect(m_base, &BasePanel::remainingShareChanged, this,
            [this] { m_binding->displayChanged(m_base->remainingShare()); });
}

void EmployeeScreen::connectEditors()
{
    FloatingEditor *identity = m_identity->editor();
    connect(identity, &FloatingEditor::focusReceived, this, &EmployeeScreen::identityEditorFocused);
    connect(m_rates->editor(), &FloatingEditor::focusReceived, m_rates, &RatesPanel::checkRates);
    connect(m_base->editor(), &FloatingEditor::focusReceived, m_base, &BasePanel::normaliseBases);
    for (FloatingEditor *editor : {identity, m_rates->editor(), m_base->editor()})
        connect(editor, &FloatingEditor::lockedKeyPressed, this, [this, editor] { lockedEditorWarning(editor); });
    for (FloatingEditor *editor : {m_rates->editor(), m_base->editor()})
        connect(editor, &FloatingEditor::doubleClicked, this, [this, editor] { calculatorAsked(editor, false); });
    connect(m_rates->calculatorPicture(), &QToolButton::clicked, this,
            [this] { calculatorAsked(m_rates->editor(), true); });
    connect(m_base->calculatorPicture(), &QToolButton::clicked, this,
            [this] { calculatorAsked(m_base->editor(), true); });
}

void EmployeeScreen::openViews()
{
    StoreError error;
    m_database = Database::open(QStringLiteral("."), Schema::mainDatabase(), &error);
    if (!m_database) {
        reported(error);
        for (QWidget *widget : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (widget != m_leave)
                widget->setEnabled(false);
        }
        return;
    }
    const QString table = QStringLiteral("SALARIE");
    m_edit = std::make_unique<RecordView>(m_database, table);
    m_mirror = std::make_unique<RecordView>(m_database, table);
    m_search = std::make_unique<RecordView>(m_database, table);
    m_table = std::make_unique<EmployeeTable>(m_database);
    m_binding->setView(m_edit.get());
    showCurrent();
}

// --- reads for the other screens ------------------------------------------------

QLineEdit *EmployeeScreen::identityField(int index) const
{
    return m_identity->field(index);
}

QString EmployeeScreen::identityText(int index) const
{
    const QLineEdit *field = identityField(index);
    return field ? field->text() : QString();
}

QString EmployeeScreen::keyText() const
{
    return m_key->text();
}

QString EmployeeScreen::rateText(int index) const
{
    const QLineEdit *field = m_rates->field(index);
    return field ? field->text() : QString();
}

QString EmployeeScreen::par3Text() const
{
    return m_rates->par3Field()->text();
}

QString EmployeeScreen::baseText(int index) const
{
    const QLineEdit *field = m_base->field(index);
    return field ? field->text() : QString();
}

QString EmployeeScreen::remainingShareText() const
{
    return m_base->remainingShare()->text();
}

void EmployeeScreen::setBaseText(int index, const QString &text)
{
    if (QLineEdit *field = m_base->field(index))
        field->setText(text);
}

QByteArray EmployeeScreen::photoData() const
{
    return m_identity->photo()->photoData();
}

StoreError EmployeeScreen::setPhotoData(const QByteArray &png)
{
    if (!m_edit || !m_edit->hasCurrent())
        return StoreError(StoreError::NothingToStore,
                          QStringLiteral("Aucun salarié n’est affiché : la photo ne peut être "
                                         "donnée à personne."));
    m_identity->photo()->setPhotoData(png);
    m_binding->photoChanged();
    return {};
}

EmployeeScreen::Panel EmployeeScreen::activePanel() const
{
    if (m_tabs[1]->isActive())
        return Panel::Rates;
    if (m_tabs[2]->isActive())
        return Panel::Base;
    return Panel::Identity;
}

EmployeePanel *EmployeeScreen::panel(Panel which) const
{
    switch (which) {
    case Panel::Rates: return m_rates;
    case Panel::Base: return m_base;
    case Panel::Identity: break;
    }
    return m_identity;
}

void EmployeeScreen::receiveCalculatorResult(const QString &text)
{
    const Panel active = activePanel();
    if (active != Panel::Identity)
        panel(active)->editor()->setText(text);
}

void EmployeeScreen::setSendRequestSource(std::function<std::optional<QString>()> source)
{
    m_sendRequestSource = std::move(source);
}

void EmployeeScreen::setPreparationOpener(std::function<void()> opener)
{
    m_openPreparation = std::move(opener);
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
    if (!m_edit)
        return;
    focusRule();
    if (m_modify->isEnabled()) {
        reported(m_edit->reload());
        moveLastAndFirst(*m_edit);
        showCurrent();
        syncNavigation();
    } else {
        reassertEditLayout();
    }
    setPositionIndicator();
    m_rates->browseRates();

    if (!m_sendRequestSource)
        return;
    if (const std::optional<QString> chosen = m_sendRequestSource()) {
        // A bound value: a name with an apostrophe is found like any other.
        if (!reported(m_edit->findFirst(QStringLiteral("IDENTIFICATION"), *chosen)))
            showCurrent();
        syncNavigation();
        setPositionIndicator(false);
    }
}

void EmployeeScreen::closeEvent(QCloseEvent *event)
{
    if (m_validate->isEnabled()) {
        event->ignore();
        ask(QStringLiteral("Vous devez VALIDER ou ANNULER votre opération en cours"), MessageBox::Stop,
            QStringLiteral("Action Impossible"));
        m_blinkTarget = AttentionCues::BlinkValidateCancel;
        focusRule();
        return;
    }
    event->accept();
}

// --- the edit cycle -------------------------------------------------------------------

void EmployeeScreen::add()
{
    if (!m_edit)
        return;
    switchTab(Panel::Identity);
    m_blinkTarget = AttentionCues::NoBlink;
    if (reported(m_edit->reload()))
        return;
    moveLastAndFirst(*m_edit);
    if (reported(m_edit->addNew()))
        return;
    showCurrent();
    setIdentity(EmployeeRules::EntryDate, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    maskEntryDate();
    setIdentity(EmployeeRules::EntryDate, EmployeeRules::upperCase(identityText(EmployeeRules::EntryDate)));
    const int count = m_edit->count() + 1;
    m_identity->positionIndicator()->setText(QStringLiteral("%1/%1").arg(count));

    for (QPushButton *button : {m_previous, m_next, m_add, m_modify, m_delete, m_pay, m_leave})
        button->setEnabled(false);
    m_validate->setEnabled(true);
    m_cancel->setEnabled(true);
    setEditorsLocked(false);
    m_identity->focusEditorOrFirstField();
    setSearchImpossible();
    m_editMode = EditAdd;
}

void EmployeeScreen::modify()
{
    m_blinkTarget = AttentionCues::NoBlink;
    takeSnapshot();
    for (QPushButton *button : {m_add, m_modify, m_previous, m_next, m_leave, m_delete, m_pay})
        button->setEnabled(false);
    m_validate->setEnabled(true);
    m_cancel->setEnabled(true);
    m_searchFrame->clearResults();
    setSearchImpossible();
    setEditorsLocked(false);
    m_editMode = EditModify;
    focusRule();
}

void EmployeeScreen::validate()
{
    if (!m_edit)
        return;
    replaceApostrophes();
    if (ask(QStringLiteral("Etes vous certain de vouloir enregistrer"), MessageBox::YesNoInformationNo,
            Attention) != MessageBox::Yes) {
        focusRule();
        return;
    }
    for (int required : {int(EmployeeRules::Surname), int(EmployeeRules::FirstName)}) {
        if (identityText(required).isEmpty()) {
            ask(QStringLiteral("Le nouveau salarié doit avoir au moins :nom et prénom"),
                MessageBox::Stop, ActionImpossible);
            switchTab(Panel::Identity);
            identityField(required)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (refuseNonNumbers())
        return;
    const QString surname = EmployeeRules::upperCase(identityText(EmployeeRules::Surname));
    const QString firstName = EmployeeRules::upperCase(identityText(EmployeeRules::FirstName));
    if (refuseDuplicate(surname, firstName))
        return;

    const QStringList saved = EmployeeRules::savedIdentity(
        [this] {
            QStringList texts;
            for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
                texts << identityText(i);
            return texts;
        }());
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        setIdentity(i, saved.at(i));
    m_rates->saveRates();
    m_base->normaliseBases();
    m_key->setText(EmployeeRules::key(identityText(EmployeeRules::Surname),
                                      identityText(EmployeeRules::FirstName)));
    updateHeaders();
    if (!storeRecord())
        return;

    endEditLayout();
    ask(QStringLiteral("Enregistrement effectuer"), MessageBox::Information,
        QStringLiteral("Enregistrement"));
    m_editMode.clear();
    m_blinkTarget = AttentionCues::NoBlink;
    syncNavigation();
    focusRule();
}

// A pasted text is the only way a rate or a base can hold something that is
// not a number; it is refused rather than stored as if it were one.
bool EmployeeScreen::refuseNonNumbers()
{
    QStringList rates;
    for (const QString &rate : m_rates->rateTexts())
        rates << EmployeeRules::checkRate(rate).text;
    QStringList bases;
    for (const QString &base : m_base->baseTexts())
        bases << EmployeeRules::baseForm(base);

    QString message;
    Panel where = Panel::Rates;
    int index = EmployeeRules::firstNonNumber(rates);
    if (index >= 0) {
        message = EmployeeRules::rateNotANumber(index, par3Text());
    } else if ((index = EmployeeRules::firstNonNumber(bases)) >= 0) {
        message = EmployeeRules::baseNotANumber(index);
        where = Panel::Base;
    } else {
        return false;
    }
    ask(message, MessageBox::Stop, ActionImpossible);
    switchTab(where);
    panel(where)->field(index)->setFocus(Qt::OtherFocusReason);
    return true;
}

// The names of every other employee are also stored in upper case on the
// way, as the check compares them in upper case.
bool EmployeeScreen::refuseDuplicate(const QString &surname, const QString &firstName)
{
    QVector<EmployeeRules::NamePair> names;
    if (reported(m_table->readNames(&names)))
        return true;
    const int own = m_edit->position();
    const int duplicate = EmployeeRules::findNames(names, surname, firstName, own);
    const int last = duplicate >= 0 ? duplicate : int(names.size()) - 1;
    if (reported(m_table->storeNamesInUpperCase(&names, last, own)))
        return true;
    if (m_mirror->position() >= 0)
        m_mirror->setPosition(m_mirror->position()); // re-read what was just stored
    showMirror();
    if (duplicate < 0)
        return false;
    ask(QStringLiteral("Vous avez déjà un salarié ") + identityText(EmployeeRules::Surname) + u' '
            + identityText(EmployeeRules::FirstName),
        MessageBox::Stop, Attention);
    return true;
}

// Stores the record by reloading the views, then shows it again. A refusal
// is reported and leaves the record and the edit as they were.
bool EmployeeScreen::storeRecord()
{
    const bool storing = m_edit->isNew() || m_edit->hasPendingChanges();
    const int unchanged = m_edit->position();
    if (reported(m_edit->reload()))
        return false;
    reported(m_mirror->reload());
    moveLastAndFirst(*m_edit);
    moveLastAndFirst(*m_mirror);
    // The duplicate check left every other name in upper case, so the first
    // record with these names is the one just written.
    reported(storing ? m_edit->goToLastModified() : m_edit->setPosition(unchanged));
    showCurrent();
    setPositionIndicator(false);
    return true;
}

void EmployeeScreen::endEditLayout()
{
    m_modify->setEnabled(true);
    m_add->setEnabled(true);
    m_validate->setEnabled(false);
    m_cancel->setEnabled(false);
    m_searchFrame->setEnabled(true);
    m_searchFrame->restoreState();
    m_leave->setEnabled(true);
    m_delete->setEnabled(true);
    m_pay->setEnabled(true);
    setEditorsLocked(true);
}

void EmployeeScreen::reassertEditLayout()
{
    for (QPushButton *button : {m_previous, m_next, m_delete, m_pay, m_modify})
        button->setEnabled(false);
    m_validate->setEnabled(true);
    m_cancel->setEnabled(true);
    setSearchImpossible();
}

void EmployeeScreen::cancel()
{
    if (m_editMode != EditModify && m_editMode != EditAdd)
        return;
    if (ask(QStringLiteral("Etes vous certain de vouloir annuler la modification"),
            MessageBox::YesNoInformation, Attention) != MessageBox::Yes) {
        focusRule();
        return;
    }
    m_blinkTarget = AttentionCues::NoBlink;
    const bool adding = m_editMode == EditAdd;
    if (adding) {
        for (EmployeePanel *each : {static_cast<EmployeePanel *>(m_identity),
                                    static_cast<EmployeePanel *>(m_rates),
                                    static_cast<EmployeePanel *>(m_base)})
            for (QLineEdit *field : each->fields())
                field->clear();
        m_edit->dropNew();
        reported(m_edit->reload());
        moveLastAndFirst(*m_edit);
        reported(m_mirror->reload());
        moveLastAndFirst(*m_mirror);
        showCurrent();
    } else {
        restoreSnapshot();
    }
    endEditLayout();
    maskEntryDate();
    if (!adding)
        noSsn();
    m_rates->browseRates();
    m_base->normaliseBases();
    updateHeaders();
    syncNavigation();
    ask(QStringLiteral("Modification annuler"), MessageBox::Information, QStringLiteral("Annulation"));
    m_editMode.clear();
    focusRule();
}

void EmployeeScreen::remove()
{
    if (!m_edit)
        return;
    if (ask(QStringLiteral("Voulez vous vraiment effacer le Salarié ") + identityText(EmployeeRules::Surname)
                + u' ' + identityText(EmployeeRules::FirstName),
            MessageBox::YesNoStopNo, Attention) != MessageBox::Yes) {
        focusRule();
        return;
    }
    if (reported(m_edit->deleteCurrent()))
        return;
    ask(QStringLiteral("Salarié SUPPRIMER"), MessageBox::Plain, QStringLiteral("SUPRESSION"));
    m_searchFrame->clearResults();
    m_searchFrame->setHintAfterDeletion();
    focusRule();
    reported(m_edit->reload());
    moveLastAndFirst(*m_edit);
    reported(m_mirror->reload());
    moveLastAndFirst(*m_mirror);
    showCurrent();
    syncNavigation();
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
        ask(QStringLiteral("Salarié non identifié"), MessageBox::Information, Attention);
        return;
    }
    if (m_openPreparation)
        m_openPreparation();
}

void EmployeeScreen::takeSnapshot()
{
    m_snapshot.identity.clear();
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        m_snapshot.identity << identityText(i);
    m_snapshot.photo = photoData();
    m_snapshot.rates = m_rates->rateTexts();
    m_snapshot.bases = m_base->baseTexts();
}

void EmployeeScreen::restoreSnapshot()
{
    for (int i = 0; i < m_snapshot.identity.size(); ++i)
        setIdentity(i, m_snapshot.identity.at(i));
    m_identity->photo()->setPhotoData(m_snapshot.photo);
    m_binding->photoChanged();
    for (int i = 0; i < m_snapshot.rates.size(); ++i)
        m_rates->field(i)->setText(m_snapshot.rates.at(i));
    for (int i = 0; i < m_snapshot.bases.size(); ++i)
        m_base->field(i)->setText(m_snapshot.bases.at(i));
}

// --- navigation ------------------------------------------------------------------------

void EmployeeScreen::moveLastAndFirst(RecordView &view)
{
    if (view.count() > 0)
        reported(view.moveLast());
    if (view.count() > 0)
        reported(view.moveFirst());
}

void EmployeeScreen::showCurrent()
{
    m_binding->load();
    updateHeaders();
}

void EmployeeScreen::showMirror()
{
    m_mirrorSurname->setText(m_mirror->fieldText(QStringLiteral("NOM")));
    m_mirrorFirstName->setText(m_mirror->fieldText(QStringLiteral("PRENOM")));
}

void EmployeeScreen::setPositionIndicator(bool noneWhenEmpty)
{
    const QString text = QStringLiteral("%1/%2").arg(m_edit->position() + 1).arg(m_edit->count());
    m_identity->positionIndicator()->setText(noneWhenEmpty && text == QLatin1String("0/0")
                                                 ? QStringLiteral("aucun")
                                                 : text);
}

void EmployeeScreen::syncNavigation()
{
    if (!m_edit)
        return;
    moveLastAndFirst(*m_mirror);
    if (m_mirror->count() > 0 && m_edit->position() >= 0)
        reported(m_mirror->setPosition(m_edit->position()));
    showMirror();

    m_previous->setEnabled(true);
    m_next->setEnabled(true);
    const int position = m_mirror->position();
    const int count = m_mirror->count();
    if (position == 0)
        m_previous->setEnabled(false);
    else if (position == count - 1 || m_mirror->atEnd())
        m_next->setEnabled(false);
    else if (m_mirror->atStart())
        m_previous->setEnabled(false);
    setPositionIndicator(false);

    if (count == 1) {
        for (QPushButton *button : {m_previous, m_next, m_validate, m_cancel})
            button->setEnabled(false);
        setSearchImpossible();
        m_identity->positionIndicator()->setText(QStringLiteral("1/1"));
    } else if (count == 0) {
        for (QPushButton *button : {m_modify, m_previous, m_next, m_validate, m_cancel, m_delete, m_pay})
            button->setEnabled(false);
        setSearchImpossible();
        m_identity->positionIndicator()->setText(QStringLiteral("aucun"));
    }
}

void EmployeeScreen::setSearchImpossible()
{
    m_searchFrame->setEnabled(false);
    m_searchFrame->searchButton()->setEnabled(false);
    m_searchFrame->setImpossible();
}

void EmployeeScreen::move(bool forward)
{
    if (!m_edit)
        return;
    QPushButton *pressed = forward ? m_next : m_previous;
    syncNavigation();
    if (!pressed->isEnabled()) {
        endOfList();
        return;
    }
    if (reported(forward ? m_edit->moveNext() : m_edit->movePrevious()))
        return;
    showCurrent();
    if (!forward)
        setPositionIndicator(false);
    noSsn();
    maskEntryDate();
    upperCaseIdentity();
    m_rates->browseRates();
    m_base->normaliseBases();
    updateHeaders();
    setPositionIndicator(false);
    syncNavigation();
    if (!pressed->isEnabled())
        endOfList();
    m_identity->focusEditorOrFirstField();
}

void EmployeeScreen::endOfList()
{
    ask(QStringLiteral("Fin de la liste"), MessageBox::Information, QStringLiteral("TERMINER"));
    m_identity->focusEditorOrFirstField();
}

void EmployeeScreen::chooseKey(const QString &key)
{
    if (!m_edit)
        return;
    // A bound value: a name with an apostrophe is found like any other.
    if (reported(m_edit->findFirst(QStringLiteral("IDENTIFICATION"), key)))
        return;
    showCurrent();
    syncNavigation();
    setPositionIndicator(false);
}

// The ten values of every record are read in one query, compared in record
// order, each record listed once.
void EmployeeScreen::search(const QString &criterion)
{
    if (!m_search)
        return;
    reported(m_search->reload());
    moveLastAndFirst(*m_search);
    QVector<EmployeeRules::SearchValues> records;
    if (reported(m_table->readSearchValues(&records)))
        return;
    m_searchFrame->showResults(EmployeeRules::searchMatches(records, criterion));
}

// --- tabs, focus and cues ----------------------------------------------------------------

void EmployeeScreen::switchTab(Panel which)
{
    if (m_edit && m_edit->count() > 0 && identityText(EmployeeRules::Ssn).isEmpty())
        setIdentity(EmployeeRules::Ssn, EmployeeRules::noSsn(QString()));
    m_rates->browseRates();
    m_base->normaliseBases();
    for (Panel each : {Panel::Identity, Panel::Rates, Panel::Base})
        panel(each)->setVisible(each == which);
    panel(which)->raise();
    for (int i = 0; i < 3; ++i)
        m_tabs[i]->setActive(i == int(which));
    panel(which)->focusEditorOrFirstField();
}

void EmployeeScreen::focusRule()
{
    panel(activePanel())->focusEditorOrFirstField();
}

void EmployeeScreen::setEditorsLocked(bool locked)
{
    m_identity->editor()->setLocked(locked);
    m_rates->editor()->setLocked(locked);
    m_base->editor()->setLocked(locked);
}

void EmployeeScreen::lockedEditorWarning(FloatingEditor *editor)
{
    QApplication::beep();
    if (!m_modify->isEnabled()) {
        m_suggestedButton = QStringLiteral("AJOUTER");
        m_blinkTarget = AttentionCues::BlinkAdd;
    } else {
        m_suggestedButton = QStringLiteral("MODIFIER");
        m_blinkTarget = AttentionCues::BlinkModify;
    }
    ask(QStringLiteral("Vous devez appuyer sur ") + m_suggestedButton, MessageBox::Exclamation,
        ActionImpossible);
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
    ask(QStringLiteral("Vous devez appuyer sur modifier"), MessageBox::Exclamation, ActionImpossible);
    if (fromPicture)
        m_blinkTarget = AttentionCues::BlinkModify;
    editor->takeFocus();
}

void EmployeeScreen::photoDoubleClicked()
{
    if (m_identity->editor()->isLocked()) {
        lockedEditorWarning(m_identity->editor());
        if (m_identity->editor()->isHidden())
            m_identity->focusFirstField();
        return;
    }
    emit photoPickerRequested();
}

void EmployeeScreen::blinkTick()
{
    const AttentionCues::Captions now{m_validate->text(), m_cancel->text(), m_modify->text(), m_add->text()};
    const AttentionCues::Captions next = AttentionCues::blink(m_blinkTarget, now);
    m_validate->setText(next.validate);
    m_cancel->setText(next.cancel);
    m_modify->setText(next.modify);
    m_add->setText(next.add);
}

void EmployeeScreen::searchHintTick()
{
    m_searchFrame->hintTick();
}

// --- normalisation steps -------------------------------------------------------------------

void EmployeeScreen::setIdentity(int index, const QString &text)
{
    QLineEdit *field = identityField(index);
    if (field->text() != text)
        field->setText(text);
}

void EmployeeScreen::identityEditorFocused()
{
    maskEntryDate();
    upperCaseIdentity();
}

void EmployeeScreen::noSsn()
{
    setIdentity(EmployeeRules::Ssn, EmployeeRules::noSsn(identityText(EmployeeRules::Ssn)));
}

void EmployeeScreen::maskEntryDate()
{
    setIdentity(EmployeeRules::EntryDate, EmployeeRules::dateMask(identityText(EmployeeRules::EntryDate)));
}

void EmployeeScreen::upperCaseIdentity()
{
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        setIdentity(i, EmployeeRules::upperCase(identityText(i)));
}

void EmployeeScreen::replaceApostrophes()
{
    for (int i = 0; i < EmployeeRules::IdentityCount; ++i)
        setIdentity(i, EmployeeRules::apostrophes(identityText(i)));
}

void EmployeeScreen::updateHeaders()
{
    const QString surname = identityText(EmployeeRules::Surname);
    const QString firstName = identityText(EmployeeRules::FirstName);
    for (Panel each : {Panel::Identity, Panel::Rates, Panel::Base})
        panel(each)->setHeaders(surname, firstName);
}

// --- messages ---------------------------------------------------------------------------------

int EmployeeScreen::ask(const QString &message, int style, const QString &title)
{
    const int answer = MessageBox::show(this, message, style, title);
    // The box gives the front back to the screen it spoke about, whatever
    // the window manager does.
    if (isVisible() && !isActiveWindow())
        activateWindow();
    return answer;
}

// An unexpected refusal of the employee file: said in French; the record
// and its pending changes stay as they were.
bool EmployeeScreen::reported(const StoreError &error)
{
    if (!error)
        return false;
    ask(error.message(), MessageBox::Exclamation, QStringLiteral("Fichier des salariés"));
    return true;
}
