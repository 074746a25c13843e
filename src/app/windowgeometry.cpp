#include "windowgeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

QString keyOf(const QWidget *window)
{
    return QStringLiteral("fenetres/%1").arg(window->objectName());
}

QSettings settings()
{
    return QSettings(QStringLiteral("Quorvan"), QStringLiteral("Quorvan"));
}

} // namespace

WindowGeometry::WindowGeometry(QObject *parent)
    : QObject(parent)
{
}

void WindowGeometry::watch(QWidget *window)
{
    if (!window || window->objectName().isEmpty())
        return;
    window->installEventFilter(this);
    m_windows << window;
    // Put back before the first showing, so that the window does not jump.
    if (!window->isVisible())
        restore(window);
}

void WindowGeometry::saveVisible() const
{
    for (const QPointer<QWidget> &window : m_windows)
        if (window && window->isVisible())
            save(window);
}

void WindowGeometry::save(const QWidget *window)
{
    if (window->objectName().isEmpty() || window->isMinimized())
        return;
    // The normal geometry: a maximized window comes back maximized over its
    // normal place, not as a window the size of the screen.
    const QRect normal = window->isMaximized() ? window->normalGeometry() : window->geometry();
    QSettings store = settings();
    store.setValue(keyOf(window), normal);
    store.setValue(keyOf(window) + QStringLiteral("-agrandie"), window->isMaximized());
}

bool WindowGeometry::restore(QWidget *window)
{
    QSettings store = settings();
    const QRect kept = store.value(keyOf(window)).toRect();
    if (!kept.isValid())
        return false;
    QScreen *screen = QGuiApplication::screenAt(kept.center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : kept;
    // A fixed-size screen keeps its size: only its place is taken.
    QRect place = clamped(kept, available);
    if (window->minimumSize() == window->maximumSize())
        place.setSize(window->size());
    window->setGeometry(clamped(place, available));
    if (store.value(keyOf(window) + QStringLiteral("-agrandie")).toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

QRect WindowGeometry::clamped(const QRect &rect, const QRect &available)
{
    if (!available.isValid())
        return rect;
    QRect result(rect.topLeft(), rect.size().boundedTo(available.size()));
    if (result.right() > available.right())
        result.moveRight(available.right());
    if (result.bottom() > available.bottom())
        result.moveBottom(available.bottom());
    if (result.left() < available.left())
        result.moveLeft(available.left());
    if (result.top() < available.top())
        result.moveTop(available.top());
    return result;
}

bool WindowGeometry::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window)
        return false;
    // A close the screen refuses does not hide it: only a real hiding counts.
    if (event->type() == QEvent::Hide && window->isWindow())
        save(window);
    return false;
}
