#include "employeebuttons.h"

#include <QPushButton>
#include <QShortcut>

EmployeeButtons::EmployeeButtons(QWidget *screen, const QRect &panelArea)
    : QObject(screen)
    , m_remove(addButton(screen, QStringLiteral("Supprimer"), QStringLiteral("Supprimer"), QString()))
    , m_add(addButton(screen, QStringLiteral("Ajouter"), QStringLiteral("Ajouter"),
                      QStringLiteral("Raccourci  [F5]")))
    , m_modify(addButton(screen, QStringLiteral("Modifier"), QStringLiteral("Modifier"),
                         QStringLiteral("Raccourci  [F8]")))
    , m_validate(addButton(screen, QStringLiteral("Valider"), QStringLiteral("Valider"),
                           QStringLiteral("Raccourci  [F6]")))
    , m_cancel(addButton(screen, QStringLiteral("Annuler"), QStringLiteral("Annuler"),
                         QStringLiteral("Raccourci  [F7]")))
    , m_pay(addButton(screen, QStringLiteral("créer"), QStringLiteral("Paie"), QString()))
    , m_leave(addButton(screen, QStringLiteral("Sortir"), QStringLiteral("Sortir"),
                        QStringLiteral("Raccourci  [Echap]")))
{
    const QList<QPushButton *> row = {m_remove, m_add, m_modify, m_validate, m_cancel, m_pay, m_leave};
    const int width = 100;
    const int gap = (panelArea.width() - int(row.size()) * width) / int(row.size() - 1);
    for (int i = 0; i < row.size(); ++i)
        row[i]->setGeometry(panelArea.x() + i * (width + gap), panelArea.y() + panelArea.height() + 12,
                            width, 32);
    addShortcuts(screen);
}

void EmployeeButtons::addShortcuts(QWidget *screen)
{
    // The screen sees these keys before its fields do.
    const QList<std::pair<Qt::Key, QPushButton *>> keys = {
        {Qt::Key_F5, m_add}, {Qt::Key_F6, m_validate}, {Qt::Key_F7, m_cancel},
        {Qt::Key_F8, m_modify}, {Qt::Key_Escape, m_leave}};
    for (const auto &[key, button] : keys) {
        auto *shortcut = new QShortcut(QKeySequence(key), screen);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
}

QPushButton *EmployeeButtons::addButton(QWidget *screen, const QString &name, const QString &caption,
                                        const QString &tip)
{
    auto *button = new QPushButton(caption, screen);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}
