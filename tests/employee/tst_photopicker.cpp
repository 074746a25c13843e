#include "photopicker.h"
#include "picturefile.h"
#include "picturefixtures.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

namespace {

using TestSupport::ModalBox;

const QColor Red(200, 30, 30);
const QColor Blue(30, 40, 200);

} // namespace

// The photo picker over a folder of pictures made by the test, driven by
// its lists, its preview frame and its buttons.
class TestPhotoPicker : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fixture(const QString &name) const { return m_dir.filePath(QStringLiteral("photos/") + name); }

    template<class T> static T *control(QWidget *picker, const char *name)
    {
        auto *found = picker->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    static QStringList texts(QListWidget *list)
    {
        QStringList found;
        for (int i = 0; i < list->count(); ++i)
            found << list->item(i)->text();
        return found;
    }

    static QColor middleOf(const QImage &picture)
    {
        return picture.pixelColor(picture.width() / 2, picture.height() / 2);
    }

    // Adds the test's folder as a drive and chooses it with the keyboard.
    void chooseTestDrive(PhotoPicker *picker, const QString &label = QStringLiteral("E:\\"),
                         const QString &root = QString())
    {
        auto *drives = control<QComboBox>(picker, "Drive1");
        drives->addItem(label, root.isEmpty() ? m_dir.path() : root);
        drives->setFocus();
        QTest::keyClick(drives, Qt::Key_End);
    }

    static void activateFolder(PhotoPicker *picker, const QString &name)
    {
        auto *folders = control<QTreeWidget>(picker, "Dir1");
        const QList<QTreeWidgetItem *> found = folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        const QRect place = folders->visualItemRect(found.first());
        // As the system delivers a double click: a click, then the double click.
        QTest::mousePress(folders->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseRelease(folders->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, place.center());
    }

    static void clickFile(PhotoPicker *picker, const QString &name)
    {
        auto *files = control<QListWidget>(picker, "File1");
        const QList<QListWidgetItem *> found = files->findItems(name, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
    }

    static void drop(PhotoPicker *picker, const QString &path)
    {
        QWidget *frame = control<QLabel>(picker, "Image1");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPointF at(frame->width() / 2.0, frame->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &dropped);
    }

    // A picker opened on the test's pictures folder.
    PhotoPicker *openOnPictures()
    {
        auto *picker = new PhotoPicker;
        picker->show();
        chooseTestDrive(picker);
        activateFolder(picker, QStringLiteral("photos"));
        return picker;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("photos/famille")));
        QVERIFY(PictureFixtures::save(PictureFixtures::filled(Red), fixture("rouge.bmp"), "BMP"));
        QVERIFY(PictureFixtures::save(PictureFixtures::filled(Blue, 32, 32), fixture("bleu.ico"), "ICO"));
        QVERIFY(PictureFixtures::save(PictureFixtures::filled(Blue), fixture("Moderne.PNG"), "PNG"));
        QVERIFY(PictureFixtures::writeFile(fixture("dessin.wmf"), PictureFixtures::metafile(Red, 40, 50)));
        QVERIFY(PictureFixtures::writeFile(fixture("notes.txt"), "Ceci n'est pas une image.\n"));
        QVERIFY(PictureFixtures::writeFile(fixture("faux.bmp"), "pas une image non plus\n"));
    }

    void opensAtTheRootFolder()
    {
        PhotoPicker picker;
        QCOMPARE(picker.objectName(), QStringLiteral("photo"));
        QCOMPARE(picker.windowTitle(), QStringLiteral("photo"));
        QCOMPARE(picker.property("helpContext").toInt(), 1);
        QVERIFY(picker.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(picker.folder(), QStringLiteral("/"));
        auto *drives = control<QComboBox>(&picker, "Drive1");
        QCOMPARE(drives->itemText(0), QStringLiteral("C:\\"));
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(control<QTreeWidget>(&picker, "Dir1")->topLevelItem(0)->text(0), QStringLiteral("C:\\"));
        QVERIFY(control<QLabel>(&picker, "Label1")->text().isEmpty());
        QCOMPARE(control<QPushButton>(&picker, "Command1")->text(), QStringLiteral("&Valider"));
        QCOMPARE(control<QPushButton>(&picker, "Command2")->text(), QStringLiteral("&Annuler"));
        QCOMPARE(control<QPushButton>(&picker, "Command3")->text(), QStringLiteral("Aucu&ne"));
    }

    void listsFoldersAndPictureFiles()
    {
        std::unique_ptr<PhotoPicker> picker(openOnPictures());
        QCOMPARE(picker->folder(), m_dir.filePath(QStringLiteral("photos")));
        QCOMPARE(texts(control<QListWidget>(picker.get(), "File1")),
                 (QStringList{"bleu.ico", "dessin.wmf", "faux.bmp", "Moderne.PNG", "rouge.bmp"}));
        auto *folders = control<QTreeWidget>(picker.get(), "Dir1");
        QCOMPARE(folders->topLevelItem(0)->text(0), QStringLiteral("E:\\"));
        QCOMPARE(folders->currentItem()->text(0), QStringLiteral("photos"));
        QCOMPARE(folders->currentItem()->child(0)->text(0), QStringLiteral("famille"));

        // Down into a folder with no picture, and back up by the drive's entry.
        activateFolder(picker.get(), QStringLiteral("famille"));
        QVERIFY(control<QListWidget>(picker.get(), "File1")->count() == 0);
        activateFolder(picker.get(), QStringLiteral("E:\\"));
        QCOMPARE(picker->folder(), QDir::cleanPath(m_dir.path()));
    }

    void clickShowsThePicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("bitmap") << "rouge.bmp" << Red;
        QTest::newRow("icon") << "bleu.ico" << Blue;
        QTest::newRow("png") << "Moderne.PNG" << Blue;
        QTest::newRow("metafile") << "dessin.wmf" << Red;
    }

    void clickShowsThePicture()
    {
        QFETCH(QString, file);
        QFETCH(QColor, colour);
        std::unique_ptr<PhotoPicker> picker(openOnPictures());
        clickFile(picker.get(), file);
        QCOMPARE(picker->lastClickedPath(), fixture(file));
        QCOMPARE(middleOf(picker->preview()).rgb(), colour.rgb());
        QVERIFY(!control<QLabel>(picker.get(), "Image1")->pixmap().isNull());
    }

    void clickOnADamagedPictureKeepsThePreview()
    {
        std::unique_ptr<PhotoPicker> picker(openOnPictures());
        clickFile(picker.get(), QStringLiteral("rouge.bmp"));
        ModalBox box;
        box.expect();
        clickFile(picker.get(), QStringLiteral("faux.bmp"));
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("Cette image n'est pas valide"));
        QCOMPARE(middleOf(picker->preview()).rgb(), Red.rgb());
    }

    void clickOnAVanishedFileSaysSo()
    {
        const QString path = fixture("disparue.bmp");
        QVERIFY(PictureFixtures::save(PictureFixtures::filled(Blue), path, "BMP"));
        std::unique_ptr<PhotoPicker> picker(openOnPictures());
        QVERIFY(QFile::remove(path));
        ModalBox box;
        box.expect();
        clickFile(picker.get(), QStringLiteral("disparue.bmp"));
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("REPERTOIRE INCORRECTE "));
        QCOMPARE(box.title, QStringLiteral("ATTENTION "));
        QCOMPARE(box.icon, QMessageBox::Question);
        QVERIFY(picker->preview().isNull());
        QVERIFY(control<QListWidget>(picker.get(), "File1")->findItems("disparue.bmp", Qt::MatchExactly).isEmpty());
    }

    void droppedPictureIsShown()
    {
        std::unique_ptr<PhotoPicker> picker(openOnPictures());
        drop(picker.get(), fixture("rouge.bmp"));
        QTRY_VERIFY(!picker->preview().isNull());
        QCOMPARE(middleOf(picker->preview()).rgb(), Red.rgb());
    }

    void droppedTextFileIsRefused()
    {
        std::unique_ptr<PhotoPicker> picker(openOnPictures());
        picker->setPhoto(PictureFile::toStoredForm(PictureFixtures::filled(Blue)));
        drop(picker.get(), fixture("notes.txt"));
        ModalBox box;
        box.expect();
        QTRY_VERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("Cette image n'est pas valide"));
        QCOMPARE(box.title, QStringLiteral("ATTENTION "));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(middleOf(picker->preview()).rgb(), Blue.rgb());
    }

    void driveWithoutMediumGoesBackToTheRoot()
    {
        PhotoPicker picker;
        picker.show();
        ModalBox box;
        box.expect();
        chooseTestDrive(&picker, QStringLiteral("A:\\"), m_dir.filePath(QStringLiteral("lecteur-vide")));
        QVERIFY(box.seen);
        QCOMPARE(box.text, QStringLiteral("Le lecteur A:\\ est vide"));
        QCOMPARE(box.title, QStringLiteral("lecteur A:\\"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(control<QComboBox>(&picker, "Drive1")->currentIndex(), 0);
        QCOMPARE(picker.folder(), QStringLiteral("/"));
        QCOMPARE(control<QTreeWidget>(&picker, "Dir1")->topLevelItem(0)->text(0), QStringLiteral("C:\\"));
    }

    void hintsFollowTheMouse_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Valider") << "Command1" << "Appuyer sur VALIDER pour conserver l'image.";
        QTest::newRow("Annuler") << "Command2" << "Appuyer sur ANNULER pour ne pas conserver l'image.";
        QTest::newRow("Aucune") << "Command3" << "Appuyer sur AUCUNE pour ne conserver aucune image.";
        QTest::newRow("files") << "File1" << "Clicker sur un fichier image pour le faire apparaître dans le cadre.";
        QTest::newRow("preview") << "Image1" << "Vous pouvez faire glisser un fichier image dans le cadre.";
    }

    void hintsFollowTheMouse()
    {
        QFETCH(QString, element);
        QFETCH(QString, hint);
        PhotoPicker picker;
        auto *target = picker.findChild<QWidget *>(element);
        QVERIFY(target);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(target, &enter);
        QCOMPARE(control<QLabel>(&picker, "Label1")->text(), hint);
    }

    void buttonsHandOverThePhoto_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("handOvers");
        QTest::addColumn<bool>("withPicture");
        QTest::newRow("Valider") << "Command1" << 1 << true;
        QTest::newRow("Aucune") << "Command3" << 1 << false;
        QTest::newRow("Annuler") << "Command2" << 0 << false;
    }

    void buttonsHandOverThePhoto()
    {
        QFETCH(QString, button);
        QFETCH(int, handOvers);
        QFETCH(bool, withPicture);
        QPointer<PhotoPicker> picker = openOnPictures();
        clickFile(picker, QStringLiteral("rouge.bmp"));
        QList<QByteArray> handed;
        picker->setHandOver([&handed](const QByteArray &png) {
            handed << png;
            return StoreError();
        });
        QTest::mouseClick(picker->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(handed.size(), handOvers);
        if (handOvers) {
            QCOMPARE(handed.first().isEmpty(), !withPicture);
            if (withPicture) {
                QVERIFY(handed.first().startsWith("\x89PNG"));
                QCOMPARE(middleOf(QImage::fromData(handed.first(), "PNG")).rgb(), Red.rgb());
            }
        }
        QTRY_VERIFY(picker.isNull());
    }

    void validerKeepsTheCurrentPhotoWhenNothingWasChosen()
    {
        QPointer<PhotoPicker> picker = new PhotoPicker;
        picker->setPhoto(PictureFile::toStoredForm(PictureFixtures::filled(Blue)));
        QByteArray handed;
        picker->setHandOver([&handed](const QByteArray &png) {
            handed = png;
            return StoreError();
        });
        picker->show();
        QTest::mouseClick(control<QPushButton>(picker, "Command1"), Qt::LeftButton);
        QCOMPARE(middleOf(QImage::fromData(handed, "PNG")).rgb(), Blue.rgb());
        QTRY_VERIFY(picker.isNull());
    }

    void storeRefusalsAreReportedByNumber_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("3022") << 3022 << "Numéro de Salarié déja donné" << int(QMessageBox::Warning);
        QTest::newRow("3020") << 3020 << "Enregistrement effectuer" << int(QMessageBox::Warning);
        QTest::newRow("3058") << 3058 << "Numéro de Salarié OBLIGATOIRE " << int(QMessageBox::Information);
        QTest::newRow("3314") << 3314 << "Nom du Salarié obligatoire pour l'enregister"
                              << int(QMessageBox::Information);
        QTest::newRow("other") << 3027 << "Impossible d’enregistrer : le disque est plein."
                               << int(QMessageBox::NoIcon);
    }

    void storeRefusalsAreReportedByNumber()
    {
        QFETCH(int, number);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QPointer<PhotoPicker> picker = new PhotoPicker;
        picker->setHandOver([number](const QByteArray &) {
            return StoreError(number, QStringLiteral("Impossible d’enregistrer : le disque est plein."));
        });
        picker->show();
        ModalBox box;
        box.expect();
        QTest::mouseClick(control<QPushButton>(picker, "Command1"), Qt::LeftButton);
        QVERIFY(box.seen);
        QCOMPARE(box.text, message);
        QCOMPARE(box.title, QStringLiteral("ATTENTION "));
        QCOMPARE(int(box.icon), icon);
        QTRY_VERIFY(picker.isNull());
    }

    void turningToAnotherWindowMinimises()
    {
        PhotoPicker picker;
        picker.show();
        QApplication::setActiveWindow(&picker);
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(picker.isMinimized());
    }

    void ownMessageOrAnotherApplicationKeepsThePicker()
    {
        PhotoPicker picker;
        picker.show();
        QApplication::setActiveWindow(&picker);
        QMessageBox message(QMessageBox::Warning, QStringLiteral("ATTENTION "), QStringLiteral("?"),
                            QMessageBox::Ok, &picker);
        message.show();
        QApplication::setActiveWindow(&message);
        QVERIFY(!picker.isMinimized());
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!picker.isMinimized());
    }
};

QTEST_MAIN(TestPhotoPicker)
#include "tst_photopicker.moc"
