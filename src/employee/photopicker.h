#pragma once

#include "storeerror.h"

#include <QHash>
#include <QImage>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Where the clerk chooses an employee's photo: drives, folders and picture
// files on the left, the picture previewed on the right (a file can also be
// dropped on it), and three buttons to keep the previewed picture, leave the
// photo as it is, or remove it. The chosen photo is handed to the employee
// screen as PNG bytes; the picker itself stores nothing.
class PhotoPicker : public QWidget
{
    Q_OBJECT

public:
    // Receives the photo (empty bytes: no photo); a refusal of the store is
    // reported by the picker.
    using HandOver = std::function<StoreError(const QByteArray &png)>;

    explicit PhotoPicker(QWidget *parent = nullptr);

    // The employee's current photo, shown in the preview (PNG or any picture bytes).
    void setPhoto(const QByteArray &png);
    void setHandOver(HandOver handOver) { m_handOver = std::move(handOver); }

    QImage preview() const { return m_picture; }
    QString folder() const { return m_folder; }
    QString lastClickedPath() const { return m_lastClicked; }

    // The drive list's entry for the root folder.
    static QString rootDriveName() { return QStringLiteral("C:\\"); }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildLists();
    QWidget *buildButtons();
    QWidget *buildPreview();
    QPushButton *addButton(QWidget *row, const QString &name, const QString &caption,
                           const QString &hint);
    void fillDrives();
    void watchHints();

    void chooseDrive(int index);
    void setFolder(const QString &path);
    void fillFolders();
    void fillFiles();
    void folderActivated(QTreeWidgetItem *item);
    void fileClicked(QListWidgetItem *item);
    bool dropPicture(const QList<QUrl> &urls);
    void refuseDroppedPicture();
    void showPicture(const QImage &picture);

    void keep();
    void removePhoto();
    void handOver(const QByteArray &png);
    void reportStoreError(const StoreError &error);

    HandOver m_handOver;
    QImage m_picture;
    QString m_driveRoot;
    QString m_folder;
    QString m_lastClicked;

    QComboBox *m_drives = nullptr;  // Drive1
    QTreeWidget *m_folders = nullptr; // Dir1
    QListWidget *m_files = nullptr; // File1
    QLabel *m_preview = nullptr;    // Image1
    QLabel *m_hint = nullptr;       // Label1
    QHash<QObject *, QString> m_hints;
};
