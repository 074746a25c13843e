#pragma once

#include "currencyconversion.h"

#include <QWidget>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSvgRenderer;

// The franc/euro converter: an amount, the euro rate of the main database and
// the result recomputed at every keystroke. The two overlapping coins show the
// direction, the coin of the target currency lying in front; clicking a coin
// turns the conversion round. The converter reads the stored rate, again each
// time it is shown, and never writes it.
class ConverterScreen : public QWidget
{
    Q_OBJECT

public:
    explicit ConverterScreen(QWidget *parent = nullptr);

    using Direction = CurrencyConversion::Direction;
    Direction direction() const { return m_direction; }
    QString rateText() const;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildPanel();
    QWidget *buildChoiceRow();
    QLabel *addPicture(QWidget *panel, const QString &name, const QString &icon,
                       const QString &tooltip);
    void installKeyRules();
    void loadStoredRate();
    void setStoreUsable(bool usable);
    bool rateAsRead() const;

    void recompute();
    void chooseDirection(Direction direction);
    void showDirection();
    void placePictures();
    bool rateMissing();
    void leave();
    void rateFocusIn();
    void rateFocusOut(Qt::FocusReason reason);

    Direction m_direction = Direction::Euro;
    bool m_storeFailed = false;
    bool m_shownBefore = false;
    QString m_readRate; // the stored rate as last read
    QSvgRenderer *m_background = nullptr;
    QLabel *m_franc = nullptr;  // Picture2
    QLabel *m_euro = nullptr;   // Picture3
    QLineEdit *m_amount = nullptr;
    QLabel *m_result = nullptr;
    QLineEdit *m_rate = nullptr;
    QRadioButton *m_toFranc = nullptr;
    QRadioButton *m_toEuro = nullptr;
    QButtonGroup *m_options = nullptr;
    QPushButton *m_leave = nullptr;
};
