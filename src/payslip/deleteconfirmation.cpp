#include "deleteconfirmation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QPointer<DeleteConfirmation> openConfirmation;
}

DeleteConfirmation::DeleteConfirmation()
    : m_message(new QLabel)
{
    setObjectName(QStringLiteral("supprime"));
    setWindowTitle(QStringLiteral("Confirmation de suppression de la fiche"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *icon = new QLabel;
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(40, 40));
    icon->setAlignment(Qt::AlignTop);
    m_message->setObjectName(QStringLiteral("Label1"));
    // It names the file: never read as markup.
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setMinimumWidth(300);

    auto *yes = new QPushButton(QStringLiteral("&Oui"));
    yes->setObjectName(QStringLiteral("Oui"));
    auto *no = new QPushButton(QStringLiteral("&Non"));
    no->setObjectName(QStringLiteral("Non"));
    // Deleting is the one answer that cannot be taken back: Enter says no.
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &DeleteConfirmation::confirm);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(icon);
    top->addWidget(m_message, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

DeleteConfirmation *DeleteConfirmation::ask(const QString &fileName, Confirmed confirmed)
{
    if (!openConfirmation)
        openConfirmation = new DeleteConfirmation;
    openConfirmation->m_fileName = fileName;
    openConfirmation->m_confirmed = std::move(confirmed);
    openConfirmation->m_message->setText(
        QStringLiteral("Etes-vous sûr(e) de vouloir supprimer la fiche ") + fileName);
    openConfirmation->adjustSize();
    openConfirmation->show();
    openConfirmation->raise();
    openConfirmation->activateWindow();
    return openConfirmation;
}

DeleteConfirmation *DeleteConfirmation::current()
{
    return openConfirmation;
}

QString DeleteConfirmation::message() const
{
    return m_message->text();
}

void DeleteConfirmation::confirm()
{
    // The answer may reopen screens: this dialog goes first.
    const Confirmed confirmed = m_confirmed;
    const QString fileName = m_fileName;
    close();
    if (confirmed)
        confirmed(fileName);
}
