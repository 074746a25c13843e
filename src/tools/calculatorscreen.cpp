#include "calculatorscreen.h"

#include "messagebox.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

constexpr int KeySize = 44;
constexpr int KeySpacing = 6;

// Operator captions by index of the Operator_ buttons.
const char *const Operators[] = {"/", "+", "X", "-", "="};
constexpr int Equals = 4;

QString operatorName(int index)
{
    return QStringLiteral("Operator_%1").arg(index);
}

QString numberName(int digit)
{
    return QStringLiteral("Number_%1").arg(digit);
}

// The button a key stands for, by name; empty for a key the calculator
// leaves alone. The operator signs and the decimal key are those of the
// numeric keypad; the same signs typed on the main keyboard serve keyboards
// without a keypad.
QString keyTarget(const QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return numberName(key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Slash:
        return operatorName(0);
    case Qt::Key_Plus:
        return operatorName(1);
    case Qt::Key_Asterisk:
        return operatorName(2);
    case Qt::Key_Minus:
        return operatorName(3);
    case Qt::Key_Insert:
    case Qt::Key_F12:
        return operatorName(Equals);
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return QStringLiteral("Decima");
    case Qt::Key_Backspace:
        return QStringLiteral("CancelEntry");
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("Command1");
    default:
        return QString();
    }
}

} // namespace

CalculatorScreen::CalculatorScreen(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_background(new QSvgRenderer(QStringLiteral(":/pictures/calculator-background.svg"), this))
{
    setObjectName(QStringLiteral("Calcul"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    // A closed calculator is gone: its state and its caption with it.
    setAttribute(Qt::WA_DeleteOnClose);

    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("Readout"));
    m_readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = m_readout->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    m_readout->setFont(bold);
    m_readout->setStyleSheet(QStringLiteral(
        "QLabel#Readout { background: #c8f5c0; color: #102010; border: 2px inset #6f8f68;"
        " border-radius: 3px; padding: 2px 8px; }"));
    m_readout->setMinimumHeight(KeySize);

    m_validate = new QPushButton(QStringLiteral("Valider"), this);
    m_validate->setObjectName(QStringLiteral("Command1"));
    m_validate->setMinimumHeight(KeySize - 8);
    m_validate->setToolTip(QStringLiteral("Touche Clavier : Entrée"));
    connect(m_validate, &QPushButton::clicked, this, &CalculatorScreen::validate);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(m_readout);
    layout->addWidget(buildKeypad());
    layout->addWidget(m_validate);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    watchKeys();
    showDisplay();
}

QWidget *CalculatorScreen::buildKeypad()
{
    auto *keypad = new QWidget(this);
    auto *grid = new QGridLayout(keypad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(KeySpacing);

    const int digitRows[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int d = digitRows[row][column];
            QPushButton *key = addKey(grid, numberName(d), QString::number(d), row, column);
            connect(key, &QPushButton::clicked, this, [this, d] {
                m_engine.digit(d);
                showDisplay();
            });
        }
    }
    QPushButton *zero = addKey(grid, numberName(0), QStringLiteral("0"), 3, 0, 2);
    connect(zero, &QPushButton::clicked, this, [this] {
        m_engine.digit(0);
        showDisplay();
    });

    const struct { int index; int row; int column; } operatorPlaces[] = {
        {0, 1, 4}, {1, 1, 3}, {2, 3, 3}, {3, 2, 3}, {4, 3, 4}};
    for (const auto &place : operatorPlaces) {
        const QString caption = QString::fromLatin1(Operators[place.index]);
        QPushButton *key = addKey(grid, operatorName(place.index), caption, place.row, place.column);
        connect(key, &QPushButton::clicked, this, [this, caption] { pressOperator(caption); });
    }
    m_keys.value(operatorName(Equals))->setToolTip(QStringLiteral("Touche Clavier : F12 ou Inser"));

    QPushButton *cancel = addKey(grid, QStringLiteral("Cancel"), QStringLiteral("C"), 0, 3);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_engine.clear();
        showDisplay();
    });
    QPushButton *cancelEntry = addKey(grid, QStringLiteral("CancelEntry"), QStringLiteral("E"), 0, 4);
    cancelEntry->setToolTip(QStringLiteral("Touche Clavier : Retour arrière"));
    connect(cancelEntry, &QPushButton::clicked, this, [this] {
        m_engine.clearEntry();
        showDisplay();
    });
    QPushButton *decimal = addKey(grid, QStringLiteral("Decima"), QStringLiteral("."), 3, 2);
    connect(decimal, &QPushButton::clicked, this, [this] {
        m_engine.decimal();
        showDisplay();
    });
    QPushButton *percent = addKey(grid, QStringLiteral("Percent"), QStringLiteral("%"), 2, 4);
    connect(percent, &QPushButton::clicked, this, [this] {
        m_engine.percent();
        showDisplay();
    });
    return keypad;
}

QPushButton *CalculatorScreen::addKey(QGridLayout *grid, const QString &name,
                                      const QString &caption, int row, int column, int columnSpan)
{
    auto *key = new QPushButton(caption, grid->parentWidget());
    key->setObjectName(name);
    key->setFixedSize(KeySize * columnSpan + KeySpacing * (columnSpan - 1), KeySize);
    QFont font = key->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    key->setFont(font);
    grid->addWidget(key, row, column, 1, columnSpan);
    m_keys.insert(name, key);
    return key;
}

// The calculator sees every key before the button that has the focus.
void CalculatorScreen::watchKeys()
{
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    m_keys.insert(m_validate->objectName(), m_validate);
}

QAbstractButton *CalculatorScreen::buttonForKey(const QKeyEvent *event) const
{
    return m_keys.value(keyTarget(event), nullptr);
}

bool CalculatorScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (QAbstractButton *button = buttonForKey(static_cast<QKeyEvent *>(event))) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorScreen::pressOperator(const QString &caption)
{
    const CalculatorEngine::Outcome outcome = m_engine.applyOperator(caption);
    showDisplay();
    if (outcome == CalculatorEngine::Outcome::DivisionByZero)
        MessageBox::show(this, QStringLiteral("Division par zéro."), MessageBox::Exclamation,
                         QStringLiteral("Calculatrice"));
    else if (outcome == CalculatorEngine::Outcome::Overflow)
        MessageBox::show(this, QStringLiteral("Résultat trop grand pour la calculatrice."),
                         MessageBox::Exclamation, QStringLiteral("Calculatrice"));
}

void CalculatorScreen::showDisplay()
{
    m_readout->setText(m_engine.display());
}

QString CalculatorScreen::displayText() const
{
    return m_readout->text();
}

void CalculatorScreen::setValidationCaption(const QString &caption)
{
    m_validate->setText(caption);
}

void CalculatorScreen::validate()
{
    m_keys.value(operatorName(Equals))->click();
    if (m_receiver)
        m_receiver(displayText());
    close();
}

void CalculatorScreen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_background->render(&painter, QRectF(rect()));
}
