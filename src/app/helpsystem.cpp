#include "helpsystem.h"

#include "helpcontext.h"
#include "helpviewer.h"
#include "screenregistry.h"
#include "windowactivation.h"

#include "regularfile.h"
#include "wholefile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>
#include <cerrno>
#include <optional>

namespace {

const QString HelpFileName = QStringLiteral("helvane.hlp");
const QString DeliveredHelpFile = QStringLiteral(":/help/helvane.hlp");

// The topic of the window the user is in: the active window's own, or that of
// the screen a dialog belongs to.
std::optional<int> contextOf(QWidget *window)
{
    for (QWidget *widget = window; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property("helpContext");
        if (context.isValid())
            return context.toInt();
    }
    return std::nullopt;
}

// The delivered help is some tens of kilobytes.
constexpr qint64 MaximumHelpFileSize = 16 * 1024 * 1024;

// Empty (a program killed while creating it), or not a text at all. A help
// file of the clerk's own, however short, is a sound one.
bool isDamaged(const RegularFile::Reading &reading)
{
    if (reading.status == RegularFile::Status::TooLarge)
        return true;
    if (reading.status != RegularFile::Status::Read)
        return false;
    return reading.content.trimmed().isEmpty() || reading.content.contains('\0');
}

} // namespace

HelpSystem::HelpSystem(QObject *parent)
    : QObject(parent)
{
}

HelpSystem::~HelpSystem()
{
    delete m_viewer.data();
}

HelpViewer *HelpSystem::viewer() const
{
    return m_viewer.data();
}

void HelpSystem::attach(ScreenRegistry &registry)
{
    connect(&registry, &ScreenRegistry::screenLoaded, this,
            [this](const QString &, QWidget *screen) {
                if (screen && screen->property("designatesHelpFile").toBool())
                    designate();
            });
    qApp->installEventFilter(this);
}

QString HelpSystem::ensureHelpFile()
{
    QFile delivered(DeliveredHelpFile);
    if (!delivered.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray content = delivered.readAll();
    const QString found = helpFilePath();
    QString notice;
    if (!found.isEmpty()) {
        const RegularFile::Reading reading = RegularFile::read(found, MaximumHelpFileSize);
        if (!isDamaged(reading))
            return QString();
        int error = 0;
        const QString kept = WholeFile::setAside(found, &error);
        const QString name = QFileInfo(found).fileName();
        if (kept.isEmpty())
            return QStringLiteral("Le fichier d'aide « %1 » est vide ou endommagé et n'a pas pu être mis de "
                                  "côté : %2.").arg(name, WholeFile::reason(error));
        notice = QStringLiteral("Le fichier d'aide « %1 » était vide ou endommagé : il est gardé sous le nom "
                                "« %2 » et le fichier d'aide livré a été écrit à sa place.").arg(name, kept);
    }
    // Keep: a file that appeared meanwhile is never overwritten.
    const int rc = WholeFile::write(QDir::current().filePath(HelpFileName), content, WholeFile::Existing::Keep);
    if (rc != 0 && rc != EEXIST)
        notice += (notice.isEmpty() ? QString() : QStringLiteral("\n"))
                  + QStringLiteral("Le fichier d'aide « %1 » n'a pas pu être écrit : %2.")
                        .arg(HelpFileName, WholeFile::reason(rc));
    return notice;
}

QString HelpSystem::helpFilePath()
{
    const QDir directory = QDir::current();
    QString found;
    const QStringList names = directory.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (name.toLower() != HelpFileName)
            continue;
        if (name == HelpFileName)
            return directory.absoluteFilePath(name);
        if (found.isEmpty())
            found = name;
    }
    return found.isEmpty() ? QString() : directory.absoluteFilePath(found);
}

void HelpSystem::openContents()
{
    open(HelpContext::Contents);
}

void HelpSystem::openTopic(int context)
{
    open(context);
}

void HelpSystem::open(int context)
{
    ensureHelpFile();
    const QString path = helpFilePath();
    if (path.isEmpty())
        return;
    const bool created = !m_viewer;
    if (created) {
        m_viewer = new HelpViewer;
        m_viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!m_viewer->setHelpFile(path)) {
        if (created)
            delete m_viewer.data();
        return;
    }
    m_viewer->showTopic(context);
    WindowActivation::bringToFront(m_viewer);
}

bool HelpSystem::eventFilter(QObject *watched, QEvent *event)
{
    // Only the key as delivered to a widget counts, not its passage through
    // the window system's window, so one F1 opens one topic.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    if (static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1 || !m_designated)
        return QObject::eventFilter(watched, event);

    QWidget *window = QApplication::activeWindow();
    if (!window)
        window = static_cast<QWidget *>(watched)->window();
    const std::optional<int> context = contextOf(window);
    if (!context)
        return QObject::eventFilter(watched, event);
    openTopic(*context);
    return true;
}
