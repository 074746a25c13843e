#pragma once

#include <QObject>
#include <QString>

class EmployeeButtons;
class QTimer;
class SearchFrame;

// The two attention cues of the employee screen on their timers: every
// 500 ms the captions of the button to press blink (the blink target), and
// every 2000 ms the search frame's message alternates with its button's
// caption.
class CueBlinker : public QObject
{
    Q_OBJECT

public:
    CueBlinker(EmployeeButtons *buttons, SearchFrame *search, QObject *parent);

    // An AttentionCues blink target: "", "ValAn", "modif" or "ajout".
    void setTarget(const QString &target) { m_target = target; }

    // Timer handlers, public so that they can be fired directly.
    void blinkTick();
    void hintTick();

private:
    EmployeeButtons *m_buttons;
    SearchFrame *m_search;
    QString m_target;
    QTimer *m_blinkTimer;
    QTimer *m_hintTimer;
};
