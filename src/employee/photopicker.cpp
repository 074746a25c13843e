#include "photopicker.h"

#include "helpcontext.h"
#include "messagebox.h"
#include "picturefile.h"
#include "windowactivation.h"

#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Attention = QStringLiteral("ATTENTION ");
const QString RootFolder = QStringLiteral("/");
constexpr int PathRole = Qt::UserRole;

// Mounted volumes that hold the system's own workings rather than files.
bool isSystemVolume(const QString &root)
{
    static const QStringList hidden = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                       QStringLiteral("/dev"), QStringLiteral("/run"),
                                       QStringLiteral("/snap"), QStringLiteral("/boot")};
    for (const QString &folder : hidden) {
        if (root == folder || root.startsWith(folder + QLatin1Char('/')))
            return true;
    }
    return false;
}

// A drive is ready when its folder can be read and its volume, when the
// mount table lists it, has its medium. In a chroot or a container the
// table may list no volume for a folder that is there: the folder is
// trusted then, rather than calling every drive empty.
bool driveReady(const QString &root)
{
    const QFileInfo folder(root);
    if (!folder.isDir() || !folder.isReadable())
        return false;
    const QStorageInfo volume(root);
    return !volume.isValid() || volume.isReady();
}

} // namespace

PhotoPicker::PhotoPicker(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("photo"));
    setWindowTitle(QStringLiteral("photo"));
    // Closing unloads the picker: the next opening starts again at the root
    // folder with the employee's current photo.
    setAttribute(Qt::WA_DeleteOnClose);
    HelpContext::set(this, HelpContext::Photo);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("Label1"));
    m_hint->setFrameShape(QFrame::Panel);
    m_hint->setFrameShadow(QFrame::Sunken);
    m_hint->setMinimumHeight(m_hint->fontMetrics().height() + 8);
    m_hint->setStyleSheet(QStringLiteral("QLabel#Label1 { color: #16325c; padding: 0 6px; }"));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(8);
    layout->addWidget(buildLists(), 0, 0);
    layout->addWidget(buildPreview(), 0, 1);
    layout->addWidget(buildButtons(), 1, 0);
    layout->addWidget(m_hint, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);

    fillDrives();
    watchHints();
    m_driveRoot = RootFolder;
    setFolder(RootFolder);
    resize(620, 440);
}

QWidget *PhotoPicker::buildLists()
{
    auto *lists = new QWidget(this);
    auto *column = new QVBoxLayout(lists);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    m_drives = new QComboBox(lists);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    connect(m_drives, &QComboBox::activated, this, &PhotoPicker::chooseDrive);

    m_folders = new QTreeWidget(lists);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setHeaderHidden(true);
    m_folders->setRootIsDecorated(false);
    m_folders->setIndentation(12);
    m_folders->setToolTip(QStringLiteral("Double-clicker sur un dossier pour l'ouvrir."));
    connect(m_folders, &QTreeWidget::itemActivated, this, &PhotoPicker::folderActivated);

    m_files = new QListWidget(lists);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setUniformItemSizes(true);
    connect(m_files, &QListWidget::itemClicked, this, &PhotoPicker::fileClicked);

    column->addWidget(m_drives);
    column->addWidget(m_folders, 1);
    column->addWidget(m_files, 1);
    lists->setFixedWidth(250);
    return lists;
}

QWidget *PhotoPicker::buildButtons()
{
    auto *row = new QWidget(this);
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    QPushButton *keepButton = addButton(row, QStringLiteral("Command1"), QStringLiteral("&Valider"),
                                        QStringLiteral("Appuyer sur VALIDER pour conserver l'image."));
    QPushButton *cancelButton = addButton(row, QStringLiteral("Command2"), QStringLiteral("&Annuler"),
                                          QStringLiteral("Appuyer sur ANNULER pour ne pas conserver l'image."));
    QPushButton *noneButton = addButton(row, QStringLiteral("Command3"), QStringLiteral("Aucu&ne"),
                                        QStringLiteral("Appuyer sur AUCUNE pour ne conserver aucune image."));
    connect(keepButton, &QPushButton::clicked, this, &PhotoPicker::keep);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(noneButton, &QPushButton::clicked, this, &PhotoPicker::removePhoto);
    return row;
}

QPushButton *PhotoPicker::addButton(QWidget *row, const QString &name, const QString &caption,
                                    const QString &hint)
{
    auto *button = new QPushButton(caption, row);
    button->setObjectName(name);
    row->layout()->addWidget(button);
    m_hints.insert(button, hint);
    return button;
}

QWidget *PhotoPicker::buildPreview()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setStyleSheet(QStringLiteral("QFrame#Frame1 { background: #f4f1ea; }"));
    auto *inside = new QVBoxLayout(frame);
    inside->setContentsMargins(8, 8, 8, 8);

    m_preview = new QLabel(frame);
    m_preview->setObjectName(QStringLiteral("Image1"));
    // The picture fills the frame, as the photo frame of the record does.
    m_preview->setScaledContents(true);
    m_preview->setAcceptDrops(true);
    m_preview->setMinimumSize(240, 300);
    m_preview->setStyleSheet(QStringLiteral("QLabel#Image1 { background: white; border: 1px solid #9c9482; }"));
    inside->addWidget(m_preview);
    return frame;
}

void PhotoPicker::fillDrives()
{
    m_drives->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), rootDriveName(), RootFolder);
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root == RootFolder || !volume.isValid() || isSystemVolume(root)
            || !QFileInfo(root).isDir())
            continue;
        QString label = root;
        if (!volume.name().isEmpty())
            label += QStringLiteral(" [%1]").arg(volume.name());
        m_drives->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), label, root);
    }
}

void PhotoPicker::watchHints()
{
    m_hints.insert(m_files, QStringLiteral("Clicker sur un fichier image pour le faire apparaître dans le cadre."));
    m_hints.insert(m_preview, QStringLiteral("Vous pouvez faire glisser un fichier image dans le cadre."));
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it)
        it.key()->installEventFilter(this);
}

// --- drives, folders and files ------------------------------------------------

void PhotoPicker::chooseDrive(int index)
{
    const QString root = m_drives->itemData(index, PathRole).toString();
    if (!driveReady(root)) {
        const QString drive = m_drives->itemText(index);
        MessageBox::show(this, QStringLiteral("Le lecteur ") + drive + QStringLiteral(" est vide"),
                         MessageBox::Stop, QStringLiteral("lecteur ") + drive);
        m_drives->setCurrentIndex(0);
        m_driveRoot = RootFolder;
        setFolder(RootFolder);
        return;
    }
    m_driveRoot = root;
    setFolder(root);
}

void PhotoPicker::setFolder(const QString &path)
{
    m_folder = QDir::cleanPath(QDir(path).absolutePath());
    fillFolders();
    fillFiles();
}

// The folder list shows the road from the drive down to the open folder,
// then the folders it holds, one step further in.
void PhotoPicker::fillFolders()
{
    m_folders->clear();
    QStringList road;
    for (QString path = m_folder;; path = QFileInfo(path).path()) {
        road.prepend(path);
        if (path == m_driveRoot || QFileInfo(path).path() == path)
            break;
    }

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem *current = nullptr;
    for (const QString &path : road) {
        auto *item = current ? new QTreeWidgetItem(current) : new QTreeWidgetItem(m_folders);
        const bool driveRoot = path == m_driveRoot;
        item->setText(0, driveRoot ? m_drives->currentText() : QFileInfo(path).fileName());
        item->setIcon(0, open);
        item->setData(0, PathRole, path);
        current = item;
    }
    const QDir folder(m_folder);
    const QStringList inside = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                QDir::Name | QDir::IgnoreCase);
    for (const QString &name : inside) {
        auto *item = new QTreeWidgetItem(current);
        item->setText(0, name);
        item->setIcon(0, closed);
        item->setData(0, PathRole, folder.filePath(name));
    }
    m_folders->expandAll();
    m_folders->setCurrentItem(current);
    m_folders->scrollToItem(current);
}

void PhotoPicker::fillFiles()
{
    m_files->clear();
    m_files->addItems(QDir(m_folder).entryList(PictureFile::listedPatterns(), QDir::Files,
                                               QDir::Name | QDir::IgnoreCase));
}

void PhotoPicker::folderActivated(QTreeWidgetItem *item)
{
    const QString path = item ? item->data(0, PathRole).toString() : QString();
    if (path.isEmpty() || !QFileInfo(path).isDir()) {
        MessageBox::show(this, QStringLiteral("REPERTOIRE INCORRECTE "), MessageBox::Question,
                         Attention);
        setFolder(m_folder);
        return;
    }
    setFolder(path);
}

void PhotoPicker::fileClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    m_lastClicked = QDir(m_folder).filePath(item->text());
    if (!QFileInfo::exists(m_lastClicked)) {
        MessageBox::show(this, QStringLiteral("REPERTOIRE INCORRECTE "), MessageBox::Question,
                         Attention);
        fillFiles();
        return;
    }
    const QImage picture = PictureFile::read(m_lastClicked);
    if (picture.isNull()) {
        // A damaged picture file is refused like a dropped one: the
        // preview keeps what it showed.
        MessageBox::show(this, QStringLiteral("Cette image n'est pas valide"), MessageBox::Stop,
                         Attention);
        return;
    }
    showPicture(picture);
}

// --- preview and dropping -------------------------------------------------------

void PhotoPicker::setPhoto(const QByteArray &png)
{
    showPicture(PictureFile::decode(png));
}

void PhotoPicker::showPicture(const QImage &picture)
{
    m_picture = picture;
    if (picture.isNull())
        m_preview->clear();
    else
        m_preview->setPixmap(QPixmap::fromImage(picture));
}

bool PhotoPicker::dropPicture(const QList<QUrl> &urls)
{
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return false;
    const QImage picture = PictureFile::read(urls.first().toLocalFile());
    if (picture.isNull())
        return false;
    showPicture(picture);
    return true;
}

void PhotoPicker::refuseDroppedPicture()
{
    raise();
    activateWindow();
    MessageBox::show(this, QStringLiteral("Cette image n'est pas valide"), MessageBox::Stop,
                     Attention);
    raise();
    activateWindow();
}

// --- the three buttons -------------------------------------------------------------

void PhotoPicker::keep()
{
    handOver(PictureFile::toStoredForm(m_picture));
}

void PhotoPicker::removePhoto()
{
    handOver(QByteArray());
}

void PhotoPicker::handOver(const QByteArray &png)
{
    if (m_handOver) {
        if (const StoreError error = m_handOver(png))
            reportStoreError(error);
    }
    close();
}

void PhotoPicker::reportStoreError(const StoreError &error)
{
    switch (error.number()) {
    case StoreError::DuplicateKey:
        MessageBox::show(this, QStringLiteral("Numéro de Salarié déja donné"),
                         MessageBox::Exclamation, Attention);
        break;
    case StoreError::NothingToStore:
        MessageBox::show(this, QStringLiteral("Enregistrement effectuer"), MessageBox::Exclamation,
                         Attention);
        break;
    case StoreError::KeyMissing:
        MessageBox::show(this, QStringLiteral("Numéro de Salarié OBLIGATOIRE "),
                         MessageBox::Information, Attention);
        break;
    case StoreError::RequiredMissing:
        MessageBox::show(this, QStringLiteral("Nom du Salarié obligatoire pour l'enregister"),
                         MessageBox::Information, Attention);
        break;
    default:
        MessageBox::show(this, error.message(), MessageBox::Plain, Attention);
        break;
    }
}

// --- events --------------------------------------------------------------------------

bool PhotoPicker::event(QEvent *event)
{
    // Turning to another window of the program puts the picker aside; it is
    // not shown again just to be minimised when it is on its way out.
    if (event->type() == QEvent::WindowDeactivate && isVisible() && !isMinimized()
        && WindowActivation::passedToAnotherScreen(this))
        setWindowState(windowState() | Qt::WindowMinimized);
    return QWidget::event(event);
}

bool PhotoPicker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (m_hints.contains(watched))
            m_hint->setText(m_hints.value(watched));
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (watched == m_preview) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        }
        break;
    case QEvent::Drop:
        if (watched == m_preview) {
            auto *drop = static_cast<QDropEvent *>(event);
            drop->acceptProposedAction();
            // Read once the drop is over: the application the file came
            // from is not kept waiting by a picture being read or refused.
            const QList<QUrl> urls = drop->mimeData()->urls();
            QMetaObject::invokeMethod(this, [this, urls] {
                if (!dropPicture(urls))
                    refuseDroppedPicture();
            }, Qt::QueuedConnection);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
