#include "backupactions.h"

#include "automaticbackup.h"
#include "backupfolder.h"
#include "backupwriter.h"
#include "folderchanges.h"
#include "messagebox.h"
#include "restoreplan.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QThreadPool>

namespace {

const QString BackupTitle = QStringLiteral("Sauvegarder");
const QString RestoreTitle = QStringLiteral("Restaurer");
const QString Filter = QStringLiteral("Sauvegardes Quorvan (*.tar.zst);;Tous les fichiers (*)");

QString quoted(const QString &path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

// The progress of one long piece of work, with « Annuler »; shown only when
// the work lasts, and refreshed a few times a second so the window answers.
class ShownProgress
{
public:
    ShownProgress(QWidget *parent, const QString &label)
        : m_dialog(label, QStringLiteral("Annuler"), 0, 1000, parent)
    {
        m_dialog.setObjectName(QStringLiteral("ProgressionSauvegarde"));
        m_dialog.setWindowTitle(QStringLiteral("Quorvan"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(400);
        m_dialog.setAutoReset(false);
        m_clock.start();
    }

    BackupProgress callback()
    {
        return [this](qint64 done, qint64 total) {
            if (m_clock.elapsed() < 40)
                return !m_dialog.wasCanceled();
            m_clock.restart();
            m_dialog.setValue(total > 0 ? int(qMin<qint64>(1000, done * 1000 / total)) : 0);
            QCoreApplication::processEvents();
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_clock;
};

// « Bdrk.rkv, sterk.rkv et 12 fiches de paie »: the slips counted beyond a few.
QString fileList(const QStringList &names)
{
    QStringList shown;
    QStringList slips;
    for (const QString &name : names)
        (name.endsWith(QLatin1String(".rpt")) ? slips : shown) << name;
    if (slips.size() <= 5)
        shown += slips;
    else
        shown << QStringLiteral("%1 fiches de paie").arg(slips.size());
    return shown.join(QStringLiteral(", "));
}

} // namespace

BackupActions::BackupActions(QWidget *window, ScreenCloser closeScreens)
    : QObject(window)
    , m_window(window)
    , m_closeScreens(std::move(closeScreens))
{
    // Away from the working folder by default: a backup beside the files it
    // saves is lost with their disk.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_lastDirectory = QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

BackupActions::~BackupActions() = default;

void BackupActions::addTo(QMenu *menu)
{
    QAction *backup = menu->addAction(QStringLiteral("&Sauvegarder…"));
    backup->setObjectName(QStringLiteral("Sauvegarder"));
    backup->setStatusTip(QStringLiteral("Écrire toute l’entreprise dans un fichier de sauvegarde"));
    connect(backup, &QAction::triggered, this, &BackupActions::chooseAndBackUp);
    QAction *restore = menu->addAction(QStringLiteral("&Restaurer…"));
    restore->setObjectName(QStringLiteral("Restaurer"));
    restore->setStatusTip(QStringLiteral("Reprendre l’entreprise d’un fichier de sauvegarde"));
    connect(restore, &QAction::triggered, this, &BackupActions::chooseAndRestore);
}

void BackupActions::watchWorkingFolder()
{
    m_changes = std::make_unique<FolderChanges>(QDir(QDir::currentPath()));
}

std::optional<BackupResult> BackupActions::backUpIfChanged()
{
    if (!m_changes || !m_changes->changed())
        return std::nullopt;
    ShownProgress progress(m_window, QStringLiteral("Sauvegarde automatique de l’entreprise…"));
    BackupResult result = AutomaticBackup::atClosing(m_changes->folder(), progress.callback());
    if (result.succeeded())
        m_changes->reset();
    else if (result.status != BackupResult::Cancelled)
        MessageBox::show(m_window, result.message, MessageBox::Exclamation,
                         QStringLiteral("Sauvegarde automatique"));
    return result;
}

QString BackupActions::proposedPath(const QString &directory) const
{
    return QDir(directory).filePath(BackupFolder::fileName(QDir(QDir::currentPath()), QDateTime::currentDateTime(),
                                                           BackupFolder::Occasion::Chosen));
}

BackupResult BackupActions::backUpTo(const QString &archivePath)
{
    ShownProgress progress(m_window, QStringLiteral("Sauvegarde de l’entreprise…"));
    // The file dialog has asked before an existing file is replaced.
    return BackupWriter::write(QDir(QDir::currentPath()), archivePath, progress.callback(), true);
}

void BackupActions::chooseAndBackUp()
{
    QString path = QFileDialog::getSaveFileName(m_window, QStringLiteral("Sauvegarder l’entreprise"),
                                                proposedPath(m_lastDirectory), Filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(BackupFolder::Extension)))
        path += QLatin1String(BackupFolder::Extension);
    m_lastDirectory = QFileInfo(path).absolutePath();
    tell(backUpTo(path), BackupTitle, QStringLiteral("La sauvegarde de l’entreprise est écrite :\n%1"));
}

std::optional<QString> BackupActions::chooseTarget(const QString &archivePath)
{
    QMessageBox box(QMessageBox::Question, RestoreTitle,
                    QStringLiteral("Où restaurer la sauvegarde %1 ?").arg(quoted(QFileInfo(archivePath).fileName())),
                    QMessageBox::NoButton, m_window);
    box.setTextFormat(Qt::PlainText);
    QPushButton *current = box.addButton(QStringLiteral("Remplacer le dossier actuel"), QMessageBox::AcceptRole);
    current->setObjectName(QStringLiteral("RemplacerDossier"));
    QPushButton *other = box.addButton(QStringLiteral("Dans un autre dossier…"), QMessageBox::ActionRole);
    other->setObjectName(QStringLiteral("AutreDossier"));
    box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == current)
        return QDir::currentPath();
    if (box.clickedButton() != other)
        return std::nullopt;
    const QString folder = QFileDialog::getExistingDirectory(
        m_window, QStringLiteral("Dossier où restaurer la sauvegarde"), QFileInfo(QDir::currentPath()).absolutePath());
    return folder.isEmpty() ? std::nullopt : std::optional<QString>(folder);
}

void BackupActions::chooseAndRestore()
{
    const QString archive = QFileDialog::getOpenFileName(m_window, QStringLiteral("Restaurer une sauvegarde"),
                                                         m_lastDirectory, Filter);
    if (archive.isEmpty())
        return;
    m_lastDirectory = QFileInfo(archive).absolutePath();
    const std::optional<QString> target = chooseTarget(archive);
    if (!target)
        return;
    tell(restore(archive, *target), RestoreTitle, QStringLiteral("La sauvegarde est restaurée dans :\n%1"));
}

bool BackupActions::confirm(const RestorePlan &plan)
{
    const BackupManifest &manifest = plan.manifest();
    QString text = QStringLiteral("Restaurer la sauvegarde de %1 du %2 dans le dossier %3 ?\n\n")
                       .arg(manifest.company.isEmpty() ? quoted(manifest.folderName) : quoted(manifest.company),
                            manifest.created.toString(QStringLiteral("dd/MM/yyyy à HH:mm")), quoted(plan.targetPath()));
    text += QStringLiteral("Seront remplacés par ceux de la sauvegarde : %1.\n").arg(fileList(plan.replaced()));
    if (!plan.removed().isEmpty())
        text += QStringLiteral("Seront retirés, car absents de la sauvegarde : %1.\n").arg(fileList(plan.removed()));
    text += QStringLiteral("\nUne sauvegarde automatique de l’état actuel est faite d’abord dans le dossier "
                           "« sauvegardes ». Les fenêtres ouvertes seront fermées : ce qui n’y a pas été "
                           "validé sera perdu.");
    return MessageBox::show(m_window, text, MessageBox::YesNoQuestionNo, RestoreTitle) == MessageBox::Yes;
}

BackupResult BackupActions::restore(const QString &archivePath, const QString &targetFolder)
{
    // Each piece of work has its progress, gone before any question is asked.
    auto prepared = [&] {
        ShownProgress reading(m_window, QStringLiteral("Vérification de la sauvegarde…"));
        return RestorePlan::prepare(archivePath, targetFolder, reading.callback());
    }();
    if (auto *refusal = std::get_if<BackupResult>(&prepared))
        return *refusal;
    RestorePlan &plan = *std::get<std::unique_ptr<RestorePlan>>(prepared);
    if (plan.replacesCompany() && !confirm(plan))
        return BackupResult::cancelled();
    const bool overWorkingFolder = canonical(plan.targetPath()) == canonical(QDir::currentPath());
    // No screen may keep a database of the folder open across the swap.
    if (overWorkingFolder && m_closeScreens)
        m_closeScreens();
    BackupResult result = [&] {
        ShownProgress restoring(m_window, QStringLiteral("Restauration de la sauvegarde…"));
        return plan.carryOut(restoring.callback());
    }();
    if (!result.succeeded())
        return result;
    if (!plan.safetyBackup().isEmpty())
        result.message = QStringLiteral("L’état remplacé est gardé dans la sauvegarde %1.").arg(quoted(plan.safetyBackup()));
    // The replaced files are deleted while the clerk goes on working.
    QThreadPool::globalInstance()->start([replaced = std::get<std::unique_ptr<RestorePlan>>(prepared).release()] {
        delete replaced;
    });
    if (overWorkingFolder)
        workIn(result.path);
    else if (MessageBox::show(m_window,
                              QStringLiteral("La sauvegarde est restaurée dans %1.\n\nTravailler maintenant dans ce "
                                             "dossier ?").arg(quoted(result.path)),
                              MessageBox::YesNoQuestionNo, RestoreTitle)
             == MessageBox::Yes) {
        if (m_closeScreens)
            m_closeScreens();
        workIn(result.path);
    }
    return result;
}

void BackupActions::workIn(const QString &folder)
{
    // The folder's name now leads to the restored files; the screens open
    // them afresh from there.
    QDir::setCurrent(folder);
    if (m_changes)
        m_changes = std::make_unique<FolderChanges>(QDir(folder));
}

void BackupActions::tell(const BackupResult &result, const QString &title, const QString &success)
{
    if (result.status == BackupResult::Cancelled)
        return;
    if (result.succeeded()) {
        QString text = success.arg(QDir::toNativeSeparators(result.path));
        if (!result.message.isEmpty())
            text += QStringLiteral("\n\n") + result.message;
        MessageBox::show(m_window, text, MessageBox::Information, title);
    }
    else
        MessageBox::show(m_window, result.message, MessageBox::Exclamation, title);
}
