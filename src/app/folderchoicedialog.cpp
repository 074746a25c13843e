#include "folderchoicedialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// A name the file systems all take: no separator, no leading dot.
QString folderName(const QString &name)
{
    QString safe = name.simplified();
    for (QChar &c : safe)
        if (c == u'/' || c == u'\\' || c == u':')
            c = u'-';
    while (safe.startsWith(u'.'))
        safe.remove(0, 1);
    return safe.isEmpty() ? QStringLiteral("Ma société") : safe;
}

QPushButton *choiceButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FolderChoiceDialog::FolderChoiceDialog(const QString &message, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ChoixDossier"));
    setWindowTitle(QStringLiteral("Quorvan — dossier de la société"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvan.svg")));

    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(this);
    intro->setObjectName(QStringLiteral("Explication"));
    intro->setWordWrap(true);
    QString text = QStringLiteral("Quorvan garde la paie de chaque société dans un dossier : ses salariés, son "
                                  "employeur, ses fiches de paie. Créez le dossier de votre société, ouvrez un "
                                  "dossier existant, ou essayez le programme sur la démonstration (une "
                                  "boulangerie fictive et trois salariés).");
    if (!message.isEmpty())
        text = message + QStringLiteral("\n\n") + text;
    intro->setText(text);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("NomSociete"));
    m_name->setPlaceholderText(QStringLiteral("Ma société"));
    form->addRow(QStringLiteral("&Nom de la société :"), m_name);
    auto *folderRow = new QHBoxLayout;
    m_folder = new QLineEdit(defaultFolder(QString()), this);
    m_folder->setObjectName(QStringLiteral("DossierSociete"));
    auto *browseButton = choiceButton(QStringLiteral("&Parcourir…"), QStringLiteral("Parcourir"), this);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);
    // A row of two widgets takes no buddy by itself: the label is given one.
    auto *folderLabel = new QLabel(QStringLiteral("Doss&ier :"), this);
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folderRow);
    layout->addLayout(form);

    auto *create = choiceButton(QStringLiteral("&Créer le dossier de ma société"), QStringLiteral("Creer"), this);
    create->setDefault(true);
    auto *open = choiceButton(QStringLiteral("&Ouvrir un dossier existant…"), QStringLiteral("Ouvrir"), this);
    auto *demo = choiceButton(QStringLiteral("Ouvrir la &démonstration"), QStringLiteral("Demonstration"), this);
    auto *quit = choiceButton(QStringLiteral("&Quitter"), QStringLiteral("Quitter"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(create);
    buttons->addWidget(open);
    buttons->addWidget(demo);
    buttons->addStretch(1);
    buttons->addWidget(quit);
    layout->addLayout(buttons);

    connect(m_name, &QLineEdit::textEdited, this, &FolderChoiceDialog::followName);
    connect(m_folder, &QLineEdit::textEdited, this, [this] { m_folderTyped = true; });
    connect(browseButton, &QPushButton::clicked, this, &FolderChoiceDialog::browse);
    connect(create, &QPushButton::clicked, this, [this] { choose(Create); });
    connect(open, &QPushButton::clicked, this, [this] { choose(OpenExisting); });
    connect(demo, &QPushButton::clicked, this, [this] { choose(Demonstration); });
    connect(quit, &QPushButton::clicked, this, [this] { choose(Quit); });
    m_name->setFocus();
}

QString FolderChoiceDialog::defaultFolder(const QString &name)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(
        QDir(documents).filePath(QStringLiteral("Quorvan/") + folderName(name)));
}

QString FolderChoiceDialog::folderToCreate() const
{
    return QDir::fromNativeSeparators(m_folder->text().trimmed());
}

void FolderChoiceDialog::followName(const QString &name)
{
    // The folder follows the name until the clerk types a folder of his own.
    if (!m_folderTyped)
        m_folder->setText(defaultFolder(name));
}

void FolderChoiceDialog::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Dossier de la société"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (folder.isEmpty())
        return;
    m_folder->setText(QDir::toNativeSeparators(folder));
    m_folderTyped = true;
}

void FolderChoiceDialog::choose(Choice choice)
{
    m_choice = choice;
    if (choice == Quit)
        reject();
    else
        accept();
}
