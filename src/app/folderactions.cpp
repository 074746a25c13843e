#include "folderactions.h"

#include "companyfolders.h"
#include "messagebox.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

namespace {

const QString NewTitle = QStringLiteral("Nouveau dossier de société");
const QString OpenTitle = QStringLiteral("Ouvrir un dossier de société");

} // namespace

FolderActions::FolderActions(QWidget *window)
    : QObject(window)
    , m_window(window)
{
}

void FolderActions::addTo(QMenu *menu)
{
    QAction *fresh = menu->addAction(QStringLiteral("&Nouveau dossier de société…"));
    fresh->setObjectName(QStringLiteral("NouveauDossier"));
    fresh->setStatusTip(QStringLiteral("Créer une société dans un dossier vide"));
    connect(fresh, &QAction::triggered, this, &FolderActions::chooseNew);
    QAction *open = menu->addAction(QStringLiteral("&Ouvrir un dossier de société…"));
    open->setObjectName(QStringLiteral("OuvrirDossier"));
    open->setShortcut(QKeySequence::Open);
    open->setStatusTip(QStringLiteral("Travailler sur la paie d’une autre société"));
    connect(open, &QAction::triggered, this, &FolderActions::chooseExisting);
    m_recent = menu->addMenu(QStringLiteral("Dossiers ré&cents"));
    m_recent->setObjectName(QStringLiteral("DossiersRecents"));
    m_recent->menuAction()->setObjectName(QStringLiteral("DossiersRecents"));
    // Read when shown: another Quorvan may have opened a folder meanwhile.
    connect(m_recent, &QMenu::aboutToShow, this, &FolderActions::fillRecent);
    fillRecent();
}

void FolderActions::fillRecent()
{
    m_recent->clear();
    const QString current = CompanyFolders::normalised(QDir::currentPath());
    int number = 0;
    for (const QString &folder : CompanyFolders::recent()) {
        ++number;
        const QString caption = QStringLiteral("&%1 %2").arg(number).arg(QDir::toNativeSeparators(folder));
        QAction *item = m_recent->addAction(caption);
        item->setObjectName(QStringLiteral("DossierRecent%1").arg(number));
        item->setData(folder);
        // A folder gone (an unplugged disk) is shown greyed: it may come back.
        item->setEnabled(QFileInfo(folder).isDir());
        item->setCheckable(true);
        item->setChecked(folder == current);
        connect(item, &QAction::triggered, this, [this, folder] {
            if (!QFileInfo(folder).isDir()) {
                CompanyFolders::forget(folder);
                refuse(QStringLiteral("Le dossier « %1 » n’existe plus : il est retiré des dossiers récents.")
                           .arg(QDir::toNativeSeparators(folder)),
                       OpenTitle);
                return;
            }
            openFolder(folder);
        });
    }
    if (number == 0)
        m_recent->addAction(QStringLiteral("(aucun)"))->setEnabled(false);
}

QString FolderActions::startDirectory() const
{
    const QString parent = QFileInfo(QDir::currentPath()).absolutePath();
    if (QFileInfo(parent).isDir())
        return parent;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void FolderActions::chooseNew()
{
    const QString folder = QFileDialog::getExistingDirectory(
        m_window, QStringLiteral("Dossier vide de la nouvelle société"), startDirectory());
    if (!folder.isEmpty())
        createFolder(folder);
}

void FolderActions::chooseExisting()
{
    const QString folder = QFileDialog::getExistingDirectory(m_window, OpenTitle, startDirectory());
    if (!folder.isEmpty())
        openFolder(folder);
}

bool FolderActions::openFolder(const QString &folder)
{
    const QString refusal = CompanyFolders::whyNotOpenable(folder);
    if (!refusal.isEmpty()) {
        refuse(refusal, OpenTitle);
        return false;
    }
    // An empty folder chosen to open is a new company all the same.
    const bool fresh = CompanyFolders::examine(folder) == CompanyFolders::Kind::Empty;
    emit folderChosen(CompanyFolders::normalised(folder), fresh);
    return true;
}

bool FolderActions::createFolder(const QString &folder)
{
    const QString refusal = CompanyFolders::whyNotCreatable(folder);
    if (!refusal.isEmpty()) {
        refuse(refusal, NewTitle);
        return false;
    }
    emit folderChosen(CompanyFolders::normalised(folder), true);
    return true;
}

void FolderActions::refuse(const QString &message, const QString &title)
{
    MessageBox::show(m_window, message, MessageBox::Exclamation, title);
}
