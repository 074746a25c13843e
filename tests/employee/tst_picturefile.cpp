#include "metafileimage.h"
#include "picturefile.h"
#include "picturefixtures.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

// Picture files read for a photo, and the PNG form a photo is stored in.
class TestPictureFile : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryListedKind_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("bitmap") << "photo.bmp" << QByteArray("BMP");
        QTest::newRow("icon") << "photo.ico" << QByteArray("ICO");
        QTest::newRow("png") << "photo.png" << QByteArray("PNG");
        QTest::newRow("jpeg") << "photo.jpg" << QByteArray("JPEG");
        QTest::newRow("metafile") << "photo.wmf" << QByteArray("WMF");
    }

    void readsEveryListedKind()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        const QColor red(220, 20, 30);
        if (format == "WMF")
            QVERIFY(PictureFixtures::writeFile(path, PictureFixtures::metafile(red, 60, 80)));
        else
            QVERIFY(PictureFixtures::save(PictureFixtures::filled(red), path, format.constData()));

        const QImage picture = PictureFile::read(path);
        QVERIFY(!picture.isNull());
        const QColor middle = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        QVERIFY2(qAbs(middle.red() - red.red()) < 8 && qAbs(middle.green() - red.green()) < 8
                     && qAbs(middle.blue() - red.blue()) < 8,
                 qPrintable(middle.name()));
    }

    void metafileKeepsItsProportions()
    {
        const QImage picture = MetafileImage::render(PictureFixtures::metafile(Qt::blue, 60, 80));
        QVERIFY(!picture.isNull());
        QVERIFY(qAbs(picture.width() - 60) <= 1);
        QVERIFY(qAbs(picture.height() - 80) <= 1);
    }

    void refusesWhatIsNotAPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("text") << QByteArray("Ceci n'est pas une image.\n") << "txt";
        QTest::newRow("text named bmp") << QByteArray("Ceci n'est pas une image.\n") << "bmp";
        QTest::newRow("empty") << QByteArray() << "png";
        QByteArray brokenMetafile = PictureFixtures::metafile(Qt::red, 60, 80).left(30);
        QTest::newRow("cut metafile") << brokenMetafile << "wmf";
    }

    void refusesWhatIsNotAPicture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, suffix);
        QVERIFY(PictureFile::decode(bytes, suffix).isNull());
    }

    void missingFileIsNoPicture()
    {
        QVERIFY(PictureFile::read(QStringLiteral("/nulle/part/photo.bmp")).isNull());
    }

    void storedFormIsPngScaledDown_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("stored");
        QTest::newRow("small kept") << QSize(120, 160) << QSize(120, 160);
        QTest::newRow("large scaled") << QSize(1200, 1600) << QSize(360, 480);
    }

    void storedFormIsPngScaledDown()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, stored);
        const QByteArray png = PictureFile::toStoredForm(
            PictureFixtures::filled(Qt::green, size.width(), size.height()));
        QVERIFY(png.startsWith("\x89PNG"));
        QCOMPARE(QImage::fromData(png, "PNG").size(), stored);
    }

    void noPictureIsStoredAsNothing()
    {
        QVERIFY(PictureFile::toStoredForm(QImage()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
