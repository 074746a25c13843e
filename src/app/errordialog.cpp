#include "errordialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QPointer<ErrorDialog> openDialog;
}

ErrorDialog::ErrorDialog()
    : m_message(new QLabel(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("erreur"));
    setWindowTitle(QStringLiteral("ERREUR"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    m_message->setObjectName(QStringLiteral("Label1"));
    // Messages carry stored names and file names: never read as markup.
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setMinimumWidth(320);
    m_message->setMinimumHeight(m_message->fontMetrics().lineSpacing() * 4);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(m_message, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
}

ErrorDialog *ErrorDialog::filled(const QString &title, const QString &message)
{
    if (!openDialog)
        openDialog = new ErrorDialog;
    openDialog->setWindowTitle(title);
    openDialog->m_message->setText(message);
    // A longer message than the one before makes room for itself; the
    // layout must know the new text before the size is worked out.
    openDialog->layout()->activate();
    openDialog->adjustSize();
    return openDialog;
}

void ErrorDialog::acknowledge(const QString &title, const QString &message)
{
    ErrorDialog *dialog = filled(title, message);
    // Modality is taken when a window is shown: an open dialog is shown anew.
    if (dialog->isVisible())
        dialog->hide();
    dialog->exec(); // deletes the dialog when it closes, as its OK does
}

ErrorDialog *ErrorDialog::report(const QString &title, const QString &message)
{
    filled(title, message);
    openDialog->show();
    openDialog->raise();
    openDialog->activateWindow();
    return openDialog;
}

ErrorDialog *ErrorDialog::current()
{
    return openDialog;
}

QString ErrorDialog::message() const
{
    return m_message->text();
}
