#pragma once

#include "calculatorengine.h"

#include <QHash>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSvgRenderer;

// The desk calculator window: a display, a keypad and the validation button
// that performs "=" and hands the result to whoever asked for it (the
// employee screen's active editor) before closing. The keyboard drives the
// same buttons. Closing the window forgets everything: the next opening
// starts at zero with the default caption.
class CalculatorScreen : public QWidget
{
    Q_OBJECT

public:
    using ResultReceiver = std::function<void(const QString &display)>;

    explicit CalculatorScreen(QWidget *parent = nullptr);

    QString displayText() const;
    const CalculatorEngine &engine() const { return m_engine; }

    // Where the validation button hands the display; nothing when unset.
    void setResultReceiver(ResultReceiver receiver) { m_receiver = std::move(receiver); }

public slots:
    // "Quitter" when opened from the main menu; "Valider" otherwise.
    void setValidationCaption(const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *buildKeypad();
    QPushButton *addKey(QGridLayout *grid, const QString &name, const QString &caption, int row,
                        int column, int columnSpan = 1);
    void watchKeys();
    QAbstractButton *buttonForKey(const QKeyEvent *event) const;

    void pressOperator(const QString &caption);
    void showDisplay();
    void validate();

    CalculatorEngine m_engine;
    ResultReceiver m_receiver;
    QSvgRenderer *m_background = nullptr;
    QLabel *m_readout = nullptr;
    QPushButton *m_validate = nullptr;
    QHash<QString, QPushButton *> m_keys; // objectName -> button
};
