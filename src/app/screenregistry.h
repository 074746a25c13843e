#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

// Creates each screen of the program on first use, at most once. A screen can
// be loaded without being shown (another screen reads its fields), shown
// modeless, or brought to the front. When a screen is destroyed (a screen
// closed by its window control deletes itself) the registry forgets it, so
// the next opening loads it afresh.
class ScreenRegistry : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<QWidget *()>;

    explicit ScreenRegistry(QObject *parent = nullptr);
    ~ScreenRegistry() override;

    void registerScreen(const QString &name, Factory factory);
    bool knows(const QString &name) const { return m_factories.contains(name); }

    // The screen, created (not shown) when it does not exist yet; nullptr for
    // an unknown name.
    QWidget *load(const QString &name);
    // Loads the screen if needed, shows it and brings it to the front.
    QWidget *show(const QString &name);
    // The screen when it exists, nullptr otherwise.
    QWidget *find(const QString &name) const;

    template<class T> T *load(const QString &name) { return qobject_cast<T *>(load(name)); }
    template<class T> T *find(const QString &name) const { return qobject_cast<T *>(find(name)); }

    // Deletes every screen without running its closing steps (program end).
    void closeAll();

signals:
    void screenLoaded(const QString &name, QWidget *screen);

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_screens;
};
