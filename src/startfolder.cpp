#include "startfolder.h"

#include "companyfolders.h"
#include "demodata.h"
#include "folderchoicedialog.h"
#include "messagebox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace StartFolder {

namespace {

const QString Title = QStringLiteral("Quorvan — dossier de la société");

// The dialog's answer carried out; nothing, with the refusal said, when it
// must be asked again.
std::optional<Choice> carryOut(const FolderChoiceDialog &dialog)
{
    switch (dialog.choice()) {
    case FolderChoiceDialog::Create: {
        const QString folder = dialog.folderToCreate();
        QString refusal = folder.isEmpty() ? QStringLiteral("Indiquez le dossier de la société.")
                                           : CompanyFolders::whyNotCreatable(folder);
        if (refusal.isEmpty())
            return Choice{CompanyFolders::normalised(folder), true};
        MessageBox::show(nullptr, refusal, MessageBox::Exclamation, Title);
        return std::nullopt;
    }
    case FolderChoiceDialog::OpenExisting: {
        const QString folder = QFileDialog::getExistingDirectory(
            nullptr, QStringLiteral("Ouvrir un dossier de société"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        if (folder.isEmpty())
            return std::nullopt;
        const QString refusal = CompanyFolders::whyNotOpenable(folder);
        if (refusal.isEmpty())
            return Choice{CompanyFolders::normalised(folder),
                          CompanyFolders::examine(folder) == CompanyFolders::Kind::Empty};
        MessageBox::show(nullptr, refusal, MessageBox::Exclamation, Title);
        return std::nullopt;
    }
    case FolderChoiceDialog::Demonstration: {
        QString refusal;
        if (const std::optional<QString> folder = demonstration(&refusal))
            return Choice{*folder, false};
        MessageBox::show(nullptr, refusal, MessageBox::Exclamation, Title);
        return std::nullopt;
    }
    case FolderChoiceDialog::Quit:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> demonstration(QString *refusal)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = CompanyFolders::normalised(QDir(documents).filePath(QStringLiteral("Quorvan/Démonstration")));
    // Written once: the clerk's tries on it since are kept.
    if (CompanyFolders::examine(folder) == CompanyFolders::Kind::Company)
        return folder;
    if (const std::optional<QString> failure = DemoData::write(folder)) {
        *refusal = *failure;
        return std::nullopt;
    }
    return folder;
}

std::optional<Choice> choose()
{
    const QString last = CompanyFolders::last();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return Choice{last, false};
    QString why;
    if (!last.isEmpty())
        why = QStringLiteral("Le dernier dossier utilisé, « %1 », n’existe plus.").arg(QDir::toNativeSeparators(last));
    for (;;) {
        FolderChoiceDialog dialog(why);
        dialog.exec();
        if (dialog.choice() == FolderChoiceDialog::Quit)
            return std::nullopt;
        if (std::optional<Choice> choice = carryOut(dialog))
            return choice;
    }
}

} // namespace StartFolder
