#include "screenregistry.h"

#include "windowactivation.h"

ScreenRegistry::ScreenRegistry(QObject *parent)
    : QObject(parent)
{
}

ScreenRegistry::~ScreenRegistry()
{
    closeAll();
}

void ScreenRegistry::registerScreen(const QString &name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

QWidget *ScreenRegistry::find(const QString &name) const
{
    return m_screens.value(name).data();
}

QWidget *ScreenRegistry::load(const QString &name)
{
    if (QWidget *existing = find(name))
        return existing;
    const auto factory = m_factories.constFind(name);
    if (factory == m_factories.constEnd())
        return nullptr;

    QWidget *screen = (*factory)();
    if (!screen)
        return nullptr;
    m_screens.insert(name, screen);
    connect(screen, &QObject::destroyed, this, [this, name] {
        // Only forget the entry if it still points at a dead screen: a new
        // screen of the same name may already have been loaded.
        if (m_screens.value(name).isNull())
            m_screens.remove(name);
    });
    emit screenLoaded(name, screen);
    return screen;
}

QWidget *ScreenRegistry::show(const QString &name)
{
    QWidget *screen = load(name);
    if (!screen)
        return nullptr;
    WindowActivation::bringToFront(screen);
    return screen;
}

void ScreenRegistry::closeAll()
{
    const auto screens = m_screens;
    m_screens.clear();
    for (const QPointer<QWidget> &screen : screens)
        delete screen.data();
}
