#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <QWidget>

// The size and place of each window between two sessions, kept in the
// user's settings under the window's name: saved when the window is hidden or
// closed, put back before it is first shown, always inside the screen it
// will show on (a screen unplugged since, or a smaller one, never leaves a
// window out of reach).
class WindowGeometry : public QObject
{
    Q_OBJECT

public:
    explicit WindowGeometry(QObject *parent = nullptr);

    // Remembers WINDOW (a top-level with an objectName) from now on.
    void watch(QWidget *window);
    // Saves the watched windows now shown (before they are deleted unhidden).
    void saveVisible() const;

    static void save(const QWidget *window);
    // False when nothing was remembered for the window.
    static bool restore(QWidget *window);
    // RECT moved, and shrunk when needed, into AVAILABLE.
    static QRect clamped(const QRect &rect, const QRect &available);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPointer<QWidget>> m_windows;
};
