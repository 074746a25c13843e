#include "converterscreen.h"

#include "database.h"
#include "errordialog.h"
#include "helpcontext.h"
#include "mask.h"
#include "messagebox.h"
#include "numericentryfilter.h"
#include "recordview.h"
#include "schema.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Positions of the coins inside the panel. The original screen measured them
// in twips, 15 to the pixel: tops 240 and 720, lefts 360 and 720, 615 square.
constexpr int UpperTop = 16;
constexpr int LowerTop = 48;
constexpr int FrancLeft = 24;
constexpr int EuroLeft = 48;
constexpr int CoinSize = 41;

constexpr int FieldLeft = 112;
constexpr int FieldWidth = 190;
constexpr int PanelWidth = FieldLeft + FieldWidth + 18;

const char *const RateColumn = "Taux de L'euro";

QString amountTooltip(CurrencyConversion::Direction direction)
{
    return QStringLiteral("Taper le montant que vous voulez convertir ")
           + CurrencyConversion::word(direction) + QStringLiteral(" .");
}

} // namespace

ConverterScreen::ConverterScreen(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_background(new QSvgRenderer(QStringLiteral(":/icons/converter-background.svg"), this))
{
    setObjectName(QStringLiteral("convert"));
    setWindowTitle(QStringLiteral("Convertion Francs/Euros"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/euro.svg")));
    // A closed converter is gone: the next opening starts afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Converter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(buildPanel());
    layout->addWidget(buildChoiceRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_amount, m_rate);
    setTabOrder(m_rate, m_toFranc);
    setTabOrder(m_toFranc, m_toEuro);
    setTabOrder(m_toEuro, m_leave);

    installKeyRules();
    loadStoredRate();
    showDirection();
    recompute();
    connect(m_amount, &QLineEdit::textChanged, this, &ConverterScreen::recompute);
    connect(m_rate, &QLineEdit::textChanged, this, &ConverterScreen::recompute);
    m_amount->setFocus();
}

QWidget *ConverterScreen::buildPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame1"));
    panel->setStyleSheet(QStringLiteral(
        "QFrame#Frame1 { background: rgba(255, 255, 255, 215);"
        " border: 1px solid #7d8ea6; border-radius: 6px; }"));

    m_franc = addPicture(panel, QStringLiteral("Picture2"), QStringLiteral(":/icons/franc.svg"),
                         QStringLiteral("Francs : cliquer pour inverser la conversion"));
    m_euro = addPicture(panel, QStringLiteral("Picture3"), QStringLiteral(":/icons/euro.svg"),
                        QStringLiteral("Euros : cliquer pour inverser la conversion"));

    m_amount = new QLineEdit(panel);
    m_amount->setObjectName(QStringLiteral("Text1"));
    m_amount->setAlignment(Qt::AlignRight);
    m_amount->setToolTip(QStringLiteral("taper le montant que vous voulez convertir."));
    m_amount->setMouseTracking(true);
    m_amount->installEventFilter(this);
    const int fieldHeight = m_amount->sizeHint().height() + 2;
    m_amount->setGeometry(FieldLeft, UpperTop, FieldWidth, fieldHeight);

    m_result = new QLabel(panel);
    m_result->setObjectName(QStringLiteral("Label1"));
    m_result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_result->setStyleSheet(QStringLiteral(
        "QLabel { background: #f5f5dc; border: 1px solid #b5a57a; padding: 0 5px;"
        " font-weight: bold; }"));
    m_result->setToolTip(QStringLiteral("Résultat de la conversion"));
    m_result->setGeometry(FieldLeft, UpperTop + fieldHeight + 8, FieldWidth, fieldHeight);

    const int rateTop = LowerTop + CoinSize + 16;
    auto *rateLabel = new QLabel(QStringLiteral("TAUX........"), panel);
    rateLabel->setObjectName(QStringLiteral("Label2"));
    rateLabel->setGeometry(FrancLeft, rateTop, FieldLeft - FrancLeft - 6, fieldHeight);

    m_rate = new QLineEdit(panel);
    m_rate->setObjectName(QStringLiteral("Text3"));
    m_rate->setAlignment(Qt::AlignRight);
    QFont bold = m_rate->font();
    bold.setBold(true);
    m_rate->setFont(bold);
    m_rate->setToolTip(QStringLiteral("Nombre de francs pour un euro"));
    m_rate->installEventFilter(this);
    m_rate->setGeometry(FieldLeft, rateTop, FieldWidth, fieldHeight);
    rateLabel->setBuddy(m_rate);

    panel->setFixedSize(PanelWidth, rateTop + fieldHeight + 16);
    return panel;
}

QLabel *ConverterScreen::addPicture(QWidget *panel, const QString &name, const QString &icon,
                                   const QString &tooltip)
{
    auto *picture = new QLabel(panel);
    picture->setObjectName(name);
    picture->setPixmap(QIcon(icon).pixmap(CoinSize, CoinSize));
    picture->setFixedSize(CoinSize, CoinSize);
    picture->setToolTip(tooltip);
    picture->setCursor(Qt::PointingHandCursor);
    picture->installEventFilter(this);
    return picture;
}

QWidget *ConverterScreen::buildChoiceRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->setSpacing(12);

    auto *caption = new QLabel(QStringLiteral("Convertir en :"), row);
    caption->setObjectName(QStringLiteral("Label3"));
    m_toFranc = new QRadioButton(QStringLiteral("FRANC"), row);
    m_toFranc->setObjectName(QStringLiteral("Option1"));
    m_toEuro = new QRadioButton(QStringLiteral("EURO"), row);
    m_toEuro->setObjectName(QStringLiteral("Option2"));
    m_options = new QButtonGroup(row);
    m_options->addButton(m_toFranc);
    m_options->addButton(m_toEuro);
    connect(m_options, &QButtonGroup::buttonClicked, this, [this](QAbstractButton *button) {
        chooseDirection(button == m_toFranc ? Direction::Franc : Direction::Euro);
    });

    m_leave = new QPushButton(QStringLiteral("SORTIR"), row);
    m_leave->setObjectName(QStringLiteral("SORTIR"));
    m_leave->setToolTip(QStringLiteral("Ranger le convertisseur"));
    connect(m_leave, &QPushButton::clicked, this, &ConverterScreen::leave);

    layout->addWidget(caption);
    layout->addWidget(m_toFranc);
    layout->addWidget(m_toEuro);
    layout->addStretch(1);
    layout->addWidget(m_leave);
    return row;
}

void ConverterScreen::installKeyRules()
{
    NumericEntryFilter::install(m_rate, NumericEntryFilter::Variant::WithSelection);
    // No amount can be converted before a rate is known.
    auto *amountRule = NumericEntryFilter::install(m_amount,
                                                   NumericEntryFilter::Variant::WithSelection);
    amountRule->setGuard([this](QKeyEvent *) { return !rateMissing(); });
}

void ConverterScreen::loadStoredRate()
{
    StoreError error;
    std::shared_ptr<Database> database =
        Database::open(QStringLiteral("."), Schema::mainDatabase(), &error);
    if (database) {
        RecordView view(database, QStringLiteral("TEURO"));
        error = view.reload();
        if (!error) {
            m_readRate = view.fieldText(QString::fromLatin1(RateColumn));
            m_rate->setText(m_readRate);
            setStoreUsable(true);
            return;
        }
    }
    // Without the stored rate there is nothing to convert with; the window
    // can still be closed.
    setStoreUsable(false);
    ErrorDialog::report(QStringLiteral("Taux de l'euro illisible"), error.message());
}

void ConverterScreen::setStoreUsable(bool usable)
{
    m_storeFailed = !usable;
    for (QWidget *control : {static_cast<QWidget *>(m_amount), static_cast<QWidget *>(m_rate),
                             static_cast<QWidget *>(m_toFranc), static_cast<QWidget *>(m_toEuro)})
        control->setEnabled(usable);
}

// The rate field still shows the stored rate last read, masked or not: the
// clerk has typed no rate of their own.
bool ConverterScreen::rateAsRead() const
{
    const QString mask = QString::fromLatin1(Mask::EuroRate);
    return m_rate->text() == m_readRate || m_rate->text() == Mask::apply(m_readRate, mask);
}

// The euro rate may have changed since the converter last read it: each
// opening reads it again (the first one was read on loading).
void ConverterScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_shownBefore)
        loadStoredRate();
    m_shownBefore = true;
}

// Coming back to a converter left open, after the rate was changed on its
// own screen: the new rate, unless the clerk typed one here.
void ConverterScreen::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_storeFailed && rateAsRead())
        loadStoredRate();
}

QString ConverterScreen::rateText() const
{
    return m_rate->text();
}

void ConverterScreen::recompute()
{
    m_result->setText(CurrencyConversion::result(m_amount->text(), m_rate->text(), m_direction));
}

bool ConverterScreen::rateMissing()
{
    if (!m_rate->text().isEmpty())
        return false;
    MessageBox::show(this, QStringLiteral("Vous devez taper le taux de l'euro"), MessageBox::Stop,
                     QStringLiteral("ATTENTION "));
    m_rate->setFocus(Qt::OtherFocusReason);
    return true;
}

void ConverterScreen::chooseDirection(Direction direction)
{
    if (rateMissing()) {
        // The option goes back to the direction still in force.
        showDirection();
        return;
    }
    m_direction = direction;
    showDirection();
    recompute();
    m_amount->setFocus(Qt::OtherFocusReason);
    m_amount->selectAll();
}

void ConverterScreen::showDirection()
{
    QAbstractButton *chosen = m_direction == Direction::Franc ? m_toFranc : m_toEuro;
    chosen->setChecked(true);
    placePictures();
}

void ConverterScreen::placePictures()
{
    // The source currency sits upper left, the target lower right in front.
    const bool toEuro = m_direction == Direction::Euro;
    m_franc->move(FrancLeft, toEuro ? UpperTop : LowerTop);
    m_euro->move(EuroLeft, toEuro ? LowerTop : UpperTop);
    (toEuro ? m_euro : m_franc)->raise();
}

void ConverterScreen::leave()
{
    if (!m_storeFailed && rateMissing())
        return;
    hide();
}

void ConverterScreen::closeEvent(QCloseEvent *event)
{
    if (!m_storeFailed && rateMissing()) {
        event->ignore();
        return;
    }
    event->accept();
}

void ConverterScreen::rateFocusIn()
{
    // Queued, so that the click that gave the focus does not undo the selection.
    QTimer::singleShot(0, m_rate, &QLineEdit::selectAll);
}

void ConverterScreen::rateFocusOut(Qt::FocusReason reason)
{
    // Switching to another window or opening a menu is not leaving the field:
    // the rate being typed keeps its form.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    m_rate->setText(Mask::apply(m_rate->text(), QString::fromLatin1(Mask::EuroRate)));
}

bool ConverterScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_rate) {
        if (event->type() == QEvent::FocusIn)
            rateFocusIn();
        else if (event->type() == QEvent::FocusOut)
            rateFocusOut(static_cast<QFocusEvent *>(event)->reason());
    } else if (watched == m_amount) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Enter || type == QEvent::MouseMove || type == QEvent::ToolTip)
            m_amount->setToolTip(amountTooltip(m_direction));
    } else if ((watched == m_franc || watched == m_euro) && event->type() == QEvent::MouseButtonPress
               && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (m_toFranc->isEnabled())
            chooseDirection(m_direction == Direction::Euro ? Direction::Franc : Direction::Euro);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ConverterScreen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_background->render(&painter, QRectF(rect()));
}
