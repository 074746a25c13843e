#include "mainwindow.h"

#include "backupactions.h"
#include "backupfolder.h"
#include "datetext.h"
#include "employeetransferactions.h"
#include "errordialog.h"
#include "folderactions.h"
#include "helpsystem.h"
#include "numbertext.h"
#include "printerchoice.h"
#include "screennames.h"
#include "screenregistry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>


MainWindow::MainWindow(ScreenRegistry &registry, HelpSystem &help, PrinterChoice &printers,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_registry(registry)
    , m_help(help)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("Départ"));
    setWindowTitle(QStringLiteral("Win Quorvan V1.0"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvan.svg")));

    buildMenus();
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *topLine = new QFrame(central);
    topLine->setFrameShape(QFrame::HLine);
    topLine->setFrameShadow(QFrame::Sunken);
    layout->addWidget(topLine);
    layout->addWidget(buildButtonRow());
    auto *underLine = new QFrame(central);
    underLine->setFrameShape(QFrame::HLine);
    underLine->setFrameShadow(QFrame::Sunken);
    layout->addWidget(underLine);
    layout->addWidget(buildBackground(), 1);
    setCentralWidget(central);
    resize(760, 520);

    // The tooltip keeps the date of the start, even across midnight.
    m_clock->setToolTip(DateText::longDate(QDate::currentDate()));
    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("Timer1"));
    m_clockTimer->setInterval(500);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::tick);
    m_clockTimer->start();
    tick();

    refreshAvailableScreens();
}

QAction *MainWindow::addItem(QMenu *menu, const QString &caption, const QString &name)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QString MainWindow::screensShowingEmployees() const
{
    const QList<QPair<QString, QString>> screens = {
        {ScreenName::Employee, QStringLiteral("le fichier des salariés")},
        {ScreenName::EmployeeList, QStringLiteral("la liste des salariés")},
        {ScreenName::Preparation, QStringLiteral("la préparation de la fiche de paie")},
        {ScreenName::PayRun, QStringLiteral("la paie du mois")},
    };
    QStringList open;
    for (const auto &[name, caption] : screens) {
        const QWidget *screen = m_registry.find(name);
        if (screen && screen->isVisible())
            open << caption;
    }
    return open.join(QStringLiteral(", "));
}

void MainWindow::buildMenus()
{
    // The company as a whole: its folder, its backup and its restore.
    QMenu *folder = menuBar()->addMenu(QStringLiteral("&Dossier"));
    folder->setObjectName(QStringLiteral("Dossier"));
    m_folders = new FolderActions(this);
    m_folders->addTo(folder);
    folder->addSeparator();
    m_backup = new BackupActions(this, [this] { m_registry.closeAll(); });
    m_backup->addTo(folder);
    folder->addSeparator();
    auto *transfer = new EmployeeTransferActions(this, [this] { return screensShowingEmployees(); });
    transfer->addTo(folder);

    QMenu *go = menuBar()->addMenu(QStringLiteral("&Aller à"));
    go->setObjectName(QStringLiteral("Aller"));
    QAction *employees = addItem(go, QStringLiteral("&Fichier Salariés"), QStringLiteral("Client"));
    employees->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(employees, &QAction::triggered, this, &MainWindow::openEmployeeFile);
    m_screenControls[ScreenName::Employee] << employees;

    QAction *list = addItem(go, QStringLiteral("&Liste Salarié"), QStringLiteral("LCLIENTS"));
    connect(list, &QAction::triggered, this, [this] { openScreen(ScreenName::EmployeeList); });
    m_screenControls[ScreenName::EmployeeList] << list;

    QAction *archive = addItem(go, QStringLiteral("Liste &des fiches de paie"), QStringLiteral("LisPai"));
    connect(archive, &QAction::triggered, this, [this] { openScreen(ScreenName::Archive); });
    m_screenControls[ScreenName::Archive] << archive;

    QAction *payRun = addItem(go, QStringLiteral("&Paie du mois"), QStringLiteral("PaieMois"));
    connect(payRun, &QAction::triggered, this, &MainWindow::openPayRun);
    m_screenControls[ScreenName::PayRun] << payRun;

    go->addSeparator()->setObjectName(QStringLiteral("Barre1"));
    QAction *quit = addItem(go, QStringLiteral("&Quitter"), QStringLiteral("Quiter"));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu *settings = menuBar()->addMenu(QStringLiteral("&Paramètrage"));
    settings->setObjectName(QStringLiteral("Para"));
    QAction *employer = addItem(settings, QStringLiteral("&Employeur"), QStringLiteral("Societe"));
    connect(employer, &QAction::triggered, this, [this] { openScreen(ScreenName::Employer); });
    m_screenControls[ScreenName::Employer] << employer;
    QAction *rate = addItem(settings, QStringLiteral("&Taux de l'euro"), QStringLiteral("TEURO"));
    connect(rate, &QAction::triggered, this, [this] { openScreen(ScreenName::EuroRate); });
    m_screenControls[ScreenName::EuroRate] << rate;
    settings->addSeparator()->setObjectName(QStringLiteral("Ba"));
    QAction *parameters = addItem(settings, QStringLiteral("Paramètre &Général"), QStringLiteral("Taux"));
    connect(parameters, &QAction::triggered, this, [this] { openScreen(ScreenName::Parameters); });
    m_screenControls[ScreenName::Parameters] << parameters;
    QAction *printing = addItem(settings, QStringLiteral("Con&figuration de l'impression"),
                                QStringLiteral("Confim"));
    connect(printing, &QAction::triggered, this, [this] { m_printers.setUp(this); });
    settings->addSeparator()->setObjectName(QStringLiteral("ji"));
    addItem(settings, QStringLiteral("&Base Zone PARM"), QStringLiteral("ZE"))->setEnabled(false);

    QMenu *euro = menuBar()->addMenu(QStringLiteral("&Euro"));
    euro->setObjectName(QStringLiteral("Eur"));
    QAction *converter = addItem(euro, QStringLiteral("&Convertisseur Francs/Euros"), QStringLiteral("Conve"));
    connect(converter, &QAction::triggered, this, [this] { openScreen(ScreenName::Converter); });
    m_screenControls[ScreenName::Converter] << converter;

    QMenu *about = menuBar()->addMenu(QStringLiteral("A p&ropos de"));
    about->setObjectName(QStringLiteral("AP"));
    QAction *help = addItem(about, QStringLiteral("&Aide"), QStringLiteral("Aide"));
    connect(help, &QAction::triggered, &m_help, &HelpSystem::openContents);
    m_clockItem = addItem(about, QStringLiteral("&Heure"), QStringLiteral("Heu"));
    m_clockItem->setCheckable(true);
    m_clockItem->setChecked(false);
    connect(m_clockItem, &QAction::triggered, this, &MainWindow::toggleClock);
    QAction *calculator = addItem(about, QStringLiteral("&Calculatrice"), QStringLiteral("Calc"));
    connect(calculator, &QAction::triggered, this, &MainWindow::openCalculator);
    m_screenControls[ScreenName::Calculator] << calculator;
    QAction *version = addItem(about, QStringLiteral("&QUORVAN V.1.0"), QStringLiteral("PF"));
    connect(version, &QAction::triggered, this, [this] { openScreen(ScreenName::About); });
    m_screenControls[ScreenName::About] << version;
}

QToolButton *MainWindow::addPictureButton(const QString &name, const QString &icon,
                                          const QString &tooltip)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(44, 44);
    button->setToolTip(tooltip);
    button->setAutoRaise(false);
    return button;
}

QWidget *MainWindow::buildButtonRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);

    QToolButton *employees = addPictureButton(QStringLiteral("Command4"),
        QStringLiteral(":/icons/employees.svg"), QStringLiteral("Ouvrir le fichier salariés"));
    connect(employees, &QToolButton::clicked, this, &MainWindow::openEmployeeFile);
    m_screenControls[ScreenName::Employee] << employees;

    QToolButton *parameters = addPictureButton(QStringLiteral("Command2"),
        QStringLiteral(":/icons/parameters.svg"), QStringLiteral("Paramètrage"));
    connect(parameters, &QToolButton::clicked, this, [this] { openScreen(ScreenName::Parameters); });
    m_screenControls[ScreenName::Parameters] << parameters;

    QToolButton *archive = addPictureButton(QStringLiteral("Command5"),
        QStringLiteral(":/icons/payslips.svg"), QStringLiteral("Liste des fiches de paies"));
    connect(archive, &QToolButton::clicked, this, [this] { openScreen(ScreenName::Archive); });
    m_screenControls[ScreenName::Archive] << archive;

    QToolButton *payRun = addPictureButton(QStringLiteral("Command6"),
        QStringLiteral(":/icons/payrun.svg"), QStringLiteral("Paie du mois"));
    connect(payRun, &QToolButton::clicked, this, &MainWindow::openPayRun);
    m_screenControls[ScreenName::PayRun] << payRun;

    layout->addWidget(employees);
    layout->addWidget(parameters);
    layout->addWidget(archive);
    layout->addWidget(payRun);
    layout->addStretch(1);

    m_clock = new QLabel(row);
    m_clock->setObjectName(QStringLiteral("Label2"));
    QFont bold = m_clock->font();
    bold.setBold(true);
    m_clock->setFont(bold);
    m_clock->setAutoFillBackground(true);
    m_clock->setStyleSheet(QStringLiteral("QLabel { background: #d9d9d9; padding: 2px 8px;"
                                          " border: 1px solid #a0a0a0; }"));
    m_clock->setVisible(false);
    layout->addWidget(m_clock);

    auto *unused = new QLabel(row);
    unused->setObjectName(QStringLiteral("Label1"));
    unused->setVisible(false);
    return row;
}

QWidget *MainWindow::buildBackground()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("Picture2"));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0xab, 0xab, 0xab));
    panel->setPalette(palette);

    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/quorvan.svg")).pixmap(220, 220));
    picture->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(picture, 1, Qt::AlignCenter);
    return panel;
}

void MainWindow::refreshAvailableScreens()
{
    for (auto it = m_screenControls.cbegin(); it != m_screenControls.cend(); ++it) {
        const bool known = m_registry.knows(it.key());
        for (QObject *control : it.value()) {
            if (auto *action = qobject_cast<QAction *>(control))
                action->setEnabled(known);
            else if (auto *widget = qobject_cast<QWidget *>(control))
                widget->setEnabled(known);
        }
    }
}

void MainWindow::tick()
{
    const QString now = DateText::longTime(QTime::currentTime());
    if (m_clock->text() != now)
        m_clock->setText(now);
}

void MainWindow::toggleClock()
{
    m_clock->setVisible(m_clockItem->isChecked());
}

// `cannotOpen` says which screen is refused: « Le fichier salariés ne peut
// pas être ouvert ».
bool MainWindow::passesEuroRateGate(const QString &cannotOpen)
{
    const RateReading reading = m_readEuroRate ? m_readEuroRate() : RateReading();
    // A file that could not be read is said as such: the rate is not known,
    // it is not below 1.
    if (!reading.unreadable.isEmpty()) {
        ErrorDialog::report(QStringLiteral(" Ouverture IMPOSSIBLE"),
                            QStringLiteral("%1 : le taux de l’euro n’a pas pu être lu.\n").arg(cannotOpen)
                                + reading.unreadable);
        return false;
    }
    // A rate that is empty or not a number is refused like a rate below 1:
    // no franc amount can be turned into euros without it.
    const std::optional<double> rate = NumberText::read(reading.text);
    if (!rate || *rate < 1.0) {
        ErrorDialog::report(QStringLiteral(" Ouverture IMPOSSIBLE"),
                            QStringLiteral("%1 si le taux de l'euro est inférieur à 1 .").arg(cannotOpen));
        return false;
    }
    return true;
}

bool MainWindow::openEmployeeFile()
{
    if (!passesEuroRateGate(QStringLiteral("Le fichier salariés ne peut pas être ouvert")))
        return false;
    return m_registry.show(ScreenName::Employee) != nullptr;
}

bool MainWindow::openPayRun()
{
    // The pay run turns francs into euros on every slip, as the employee file does.
    if (!passesEuroRateGate(QStringLiteral("La paie du mois ne peut pas être ouverte")))
        return false;
    return m_registry.show(ScreenName::PayRun) != nullptr;
}

void MainWindow::openScreen(const QString &screenName)
{
    m_registry.show(screenName);
}

void MainWindow::openCalculator()
{
    // Only the main menu opens the calculator with "Quitter" on its
    // validation button; the caption lasts as long as that calculator window.
    QWidget *calculator = m_registry.load(ScreenName::Calculator);
    if (!calculator)
        return;
    QMetaObject::invokeMethod(calculator, "setValidationCaption",
                              Q_ARG(QString, QStringLiteral("Quitter")));
    m_registry.show(ScreenName::Calculator);
}

void MainWindow::showCompanyFolder(const QString &folder)
{
    m_companyFolder = folder;
    if (!m_folderLine) {
        m_folderLine = new QLabel(this);
        m_folderLine->setObjectName(QStringLiteral("DossierSociete"));
        statusBar()->addPermanentWidget(m_folderLine, 1);
    }
    refreshCompanyName();
}

void MainWindow::refreshCompanyName()
{
    if (m_companyFolder.isEmpty())
        return;
    const QString company = BackupFolder::companyName(QDir(m_companyFolder));
    const QString folder = QDir::toNativeSeparators(m_companyFolder);
    const QString title = company.isEmpty() ? QStringLiteral("Quorvan — %1").arg(folder)
                                            : QStringLiteral("Quorvan — %1 (%2)").arg(company, folder);
    if (windowTitle() != title)
        setWindowTitle(title);
    m_folderLine->setText(QStringLiteral("Société : %1 — dossier : %2")
                              .arg(company.isEmpty() ? QStringLiteral("(employeur à remplir)") : company, folder));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshCompanyName();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The other screens go without their closing steps: what was typed and
    // not validated on them is not written.
    m_registry.closeAll();
    m_backup->backUpIfChanged();
    if (ErrorDialog *error = ErrorDialog::current())
        delete error;
    event->accept();
    QApplication::quit();
}
