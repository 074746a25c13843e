#include "aboutbox.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &text, QWidget *parent, const QString &name)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(name);
    return result;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_system(new QPushButton(QStringLiteral("Informations système..."), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("A propos de Quorvan"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvan.svg")));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *icon = label(QString(), this, QStringLiteral("picIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/quorvan.svg")).pixmap(72, 72));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *title = label(QStringLiteral("Quorvan"), this, QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    auto *version = label(QStringLiteral("Version 1.0"), this, QStringLiteral("lblVersion"));
    auto *description = label(
        QStringLiteral("La paie des salariés d'une petite entreprise, en francs et en euros."),
        this, QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    description->setMinimumWidth(300);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(title);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(description);
    text->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon);
    top->addLayout(text, 1);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_system->setObjectName(QStringLiteral("cmdSysInfo"));
    m_system->setToolTip(QStringLiteral("Le système, le processeur et la version de Qt"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::close);
    connect(m_system, &QPushButton::clicked, this, &AboutBox::showSystemInformation);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_system);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutBox::systemInformation()
{
    return QStringLiteral("Système d'exploitation : %1\n"
                          "Noyau : %2 %3\n"
                          "Processeur : %4\n"
                          "Version de Qt : %5")
        .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
             QSysInfo::currentCpuArchitecture(), QString::fromLatin1(qVersion()));
}

void AboutBox::showSystemInformation()
{
    if (!m_systemWindow)
        m_systemWindow = buildSystemWindow();
    m_systemWindow->show();
    m_systemWindow->raise();
    m_systemWindow->activateWindow();
}

QDialog *AboutBox::buildSystemWindow()
{
    auto *window = new QDialog(this);
    window->setObjectName(QStringLiteral("systemInformation"));
    window->setWindowTitle(QStringLiteral("Informations système"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);

    auto *icon = label(QString(), window, QStringLiteral("picSystem"));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    // Selectable, so that it can be copied into a message to the support.
    auto *text = label(systemInformation(), window, QStringLiteral("lblSystem"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *ok = new QPushButton(QStringLiteral("OK"), window);
    ok->setObjectName(QStringLiteral("cmdSystemOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, window, &QDialog::close);

    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return window;
}
