#include "CQVImage.h"
#include "ImageLinkModel.h"
#include "ImagesViewRules.h"
#include "ModelRoles.h"
#include "PictureFit.h"
#include "PictureLoader.h"
#include "PicturePlace.h"
#include "TestSupport.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

ImageLink link(const QString& path, const QString& title, bool removed = false)
{
    ImageLink made;
    made.picturePath = path;
    made.displayTitle = title;
    made.removed = removed ? 1 : 0;
    return made;
}

// A picture with a different colour in each corner, so that a turned or mirrored read shows.
QImage cornerPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(width - 1, 0, qRgb(0, 0, 255));
    return picture;
}

// GIF has no writer in Qt: a picture of 2 x 1 red pixels, written by hand.
const char* const TwoRedPixelsGif = "47494638396102000100 81 0000"
                                    "ff0000 00ff00 0000ff ffffff"
                                    "2c 0000 0000 0200 0100 00"
                                    "02 02 040a 00 3b";

} // namespace

// The rules of the images view and the picture reading under it, without a window.
class ImageModelsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void fittingKeepsSmallPicturesAndFillsTheLimitingSide()
    {
        const QRect area(10, 20, 200, 100);
        // Smaller: natural size, centred.
        QCOMPARE(FitPicture(QSize(50, 40), area), QRect(85, 50, 50, 40));
        QCOMPARE(FitPicture(QSize(51, 41), area), QRect(84, 49, 51, 41));
        // Wider: the width fills, the height shrinks in proportion.
        QCOMPARE(FitPicture(QSize(400, 100), area), QRect(10, 45, 200, 50));
        // Taller: the height fills.
        QCOMPARE(FitPicture(QSize(100, 400), area), QRect(97, 20, 26, 100));
        // Larger on both sides, height limiting: margins truncated toward zero.
        QCOMPARE(FitPicture(QSize(400, 300), QRect(0, 0, 80, 50)), QRect(6, 0, 68, 50));
        // Only one side too large.
        QCOMPARE(FitPicture(QSize(300, 50), area), QRect(10, 53, 200, 34));
        // Nothing to draw.
        QVERIFY(FitPicture(QSize(0, 10), area).isEmpty());
        QVERIFY(FitPicture(QSize(10, 10), QRect(0, 0, 0, 50)).isEmpty());
    }

    void enablingFollowsTravelCategoryAndCurrentRow()
    {
        using ImagesViewRules::EnabledButtons;
        // The images view's tests go through a travel without categories, the last of
        // three images and none current; here the first of three.
        ImagesViewState state;
        QCOMPARE(EnabledButtons(state), ImageButtons{});
        state.travelShown = state.categorySelected = true;
        state.rowCount = 3;
        state.currentRow = 0;
        ImageButtons expected;
        expected.addCategory = expected.renameCategory = expected.deleteCategory = true;
        expected.addImage = expected.changeImage = expected.removeImage = true;
        expected.nextImage = true;
        QCOMPARE(EnabledButtons(state), expected);

        // No travel: nothing, whatever else is set.
        state.travelShown = false;
        state.currentRow = 1;
        QCOMPARE(EnabledButtons(state), ImageButtons{});

        QCOMPARE(ImagesViewRules::CategoryName(QStringLiteral("  Hotels ")),
                 QStringLiteral("Hotels"));
    }

    void theLinkModelListsTheLiveLinksOfACategory()
    {
        ImageLinkModel model;
        const auto checked = tester(&model);
        ImageLinkMap links;
        links.insert(1000, link(QStringLiteral("/a.png"), QStringLiteral("A")));
        links.insert(1001, link(QStringLiteral("/b.png"), QStringLiteral("B"), true));
        links.insert(1002, link(QStringLiteral("/c.png"), QStringLiteral("C")));
        links.insert(2000, link(QStringLiteral("/d.png"), QStringLiteral("D")));
        model.setLinks(links);
        QCOMPARE(model.rowCount(), 0);

        model.showCategory(1);
        QCOMPARE(column(&model),
                 (QStringList{QStringLiteral("A\n/a.png"), QStringLiteral("C\n/c.png")}));
        QCOMPARE(model.index(1, 0).data(ImageLinkModel::LinkKeyRole).toLongLong(), 1002LL);
        QCOMPARE(model.keyCount(1), 3);

        // A new link takes the next key, after the removed one.
        QCOMPARE(model.addLink(QStringLiteral("/e.png"), QStringLiteral("E")), 2);
        QCOMPARE(model.links().value(1003).displayTitle, QStringLiteral("E"));

        // Removing marks the link and keeps the key, so the numbering has no gap.
        model.removeLink(1);
        QCOMPARE(column(&model),
                 (QStringList{QStringLiteral("A\n/a.png"), QStringLiteral("E\n/e.png")}));
        QCOMPARE(model.links().value(1002).removed, 1);
        QCOMPARE(model.keyCount(1), 4);

        model.showCategory(0);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.addLink(QStringLiteral("/f.png"), QString()), -1);

        // A category holds at most as many links as its key range.
        ImageLinkMap full;
        for (LinkKey key = 3000; key < 3000 + LinksPerCategory; ++key)
            full.insert(key, link(QStringLiteral("/p.png"), QString(), key % 2 == 0));
        model.setLinks(full);
        model.showCategory(3);
        QCOMPARE(model.rowCount(), int(LinksPerCategory / 2));
        QCOMPARE(model.addLink(QStringLiteral("/q.png"), QString()), -1);
        QCOMPARE(LinkKey(model.links().size()), LinksPerCategory);
    }

    void everyFormatOfTheFilterReads()
    {
        const QImage picture = cornerPicture(24, 16);
        for (const char* format : {"bmp", "jpg", "png", "ico", "tiff", "wbmp"}) {
            const QString file = path(QStringLiteral("picture.") + QLatin1String(format));
            QImageWriter writer(file, format);
            QVERIFY2(writer.write(format == QByteArrayView("wbmp")
                                      ? picture.convertToFormat(QImage::Format_Mono)
                                      : picture),
                     format);
            const CQVImage image(file);
            QVERIFY2(image.IsValid(), format);
            QCOMPARE(image.size(), QSize(24, 16));
            const CQVImage::Reading read = CQVImage::Read(file, QSize(12, 12));
            QVERIFY2(!read.image.isNull(), format);
            QCOMPARE(read.image.size(), QSize(12, 8));
            QCOMPARE(read.fullSize, QSize(24, 16));
        }
        const QString gif = path(QStringLiteral("picture.gif"));
        QVERIFY(writeFile(gif, hex(TwoRedPixelsGif)));
        QCOMPARE(CQVImage(gif).size(), QSize(2, 1));
        const CQVImage::Reading read = CQVImage::Read(gif, QSize(10, 10));
        QCOMPARE(read.image.size(), QSize(2, 1));
        QCOMPARE(read.image.pixel(1, 0), qRgb(255, 0, 0));
    }

    void onlyRegularFilesOfASaneSizeAreOpened()
    {
        const QString text = path(QStringLiteral("notes.png"));
        QVERIFY(writeFile(text, "not a picture"));
        const QString fifo = path(QStringLiteral("pipe.png"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString huge = path(QStringLiteral("huge.png"));
        // A picture followed by a long sparse tail: too large, though it would read.
        QVERIFY(cornerPicture(4, 4).save(huge, "PNG"));
        QVERIFY(CQVImage(huge).IsValid());
        QVERIFY(QFile::resize(huge, CQVImage::MaxFileBytes + 1));
        const QString folder = path(QStringLiteral("folder.png"));
        QVERIFY(QDir().mkpath(folder));
        for (const QString& unreadable :
             {text, fifo, huge, folder, path(QStringLiteral("missing.png")), QString()}) {
            QVERIFY2(!CQVImage(unreadable).IsValid(), qPrintable(unreadable));
            QVERIFY2(CQVImage::Read(unreadable, QSize(50, 50)).image.isNull(),
                     qPrintable(unreadable));
        }
        QVERIFY(!CQVImage::MayOpen(fifo));
        QVERIFY(!CQVImage::MayOpen(huge));
        QVERIFY(CQVImage::MayOpen(text));
        // The program's own pictures.
        QVERIFY(CQVImage::MayOpen(QStringLiteral(":/voyanta/bitmaps/192.png")));
    }

    void picturesOfTooManyPixelsAreNotDecoded()
    {
        // A header that says 30000 x 30000 in a file of a few bytes.
        const QString vast = path(QStringLiteral("vast.png"));
        QVERIFY(writeFile(vast, hex("89504e470d0a1a0a0000000d4948445200007530000075300800000000434c"
                                    "a7660000000b49444154789c6360800100000a00017f80745e0000000049"
                                    "454e44ae426082")));
        QCOMPARE(CQVImage(vast).size(), QSize(30000, 30000));
        const CQVImage::Reading read = CQVImage::Read(vast, QSize(200, 200));
        QVERIFY(read.tooLarge);
        QVERIFY(read.image.isNull());

        PictureLoader loader(1, 1 << 20);
        (void)loader.picture(vast, QSize(64, 64));
        loader.waitForDone();
        const PictureLoader::Picture shown = loader.picture(vast, QSize(64, 64));
        QVERIFY(shown.tooLarge && shown.failed);
        QCOMPARE(shown.fullSize, QSize(30000, 30000));
    }

    void photosAreShownTheRightWayUp()
    {
        // Stored 40 x 20, tagged to be turned a quarter clockwise: shown 20 x 40.
        const QString file = path(QStringLiteral("turned.tif"));
        QImageWriter writer(file, "tiff");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(cornerPicture(40, 20)));
        const CQVImage::Reading read = CQVImage::Read(file, QSize(10, 100));
        QCOMPARE(read.fullSize, QSize(20, 40));
        QCOMPARE(read.image.size(), QSize(10, 20));
        // Read at full size, the red corner (top left as stored) is at the top right.
        const CQVImage::Reading whole = CQVImage::Read(file, QSize(100, 100));
        QCOMPARE(whole.image.size(), QSize(20, 40));
        QCOMPARE(whole.image.pixel(19, 0), qRgb(255, 0, 0));
    }

    void theLoaderReadsEachPictureOnceAtTheSizeItIsDrawn()
    {
        const QString photo = path(QStringLiteral("photo.jpg"));
        QVERIFY(cornerPicture(800, 600).save(photo, "JPEG"));
        PictureLoader loader(2, 1024 * 1024);
        QSignalSpy ready(&loader, &PictureLoader::pictureReady);
        // Nothing until the read arrives.
        PictureLoader::Picture first = loader.picture(photo, QSize(80, 50));
        QVERIFY(first.image.isNull() && !first.failed);
        loader.waitForDone();
        QCOMPARE(ready.size(), 1);
        PictureLoader::Picture shown = loader.picture(photo, QSize(80, 50));
        QCOMPARE(shown.fullSize, QSize(800, 600));
        QCOMPARE(shown.image.size(), QSize(68, 50));
        // Asked again, or for a little less or a pixel more: no new read.
        (void)loader.picture(photo, QSize(60, 40));
        (void)loader.picture(photo, QSize(81, 50));
        QCOMPARE(loader.readCount(), 1);
        // Larger: read again at that size.
        (void)loader.picture(photo, QSize(400, 300));
        loader.waitForDone();
        QCOMPARE(loader.readCount(), 2);
        QCOMPARE(loader.picture(photo, QSize(400, 300)).image.size(), QSize(400, 300));

        // A file that cannot be read fails once and is not read again...
        const QString missing = path(QStringLiteral("gone.jpg"));
        (void)loader.picture(missing, QSize(80, 50));
        loader.waitForDone();
        QVERIFY(loader.picture(missing, QSize(80, 50)).failed);
        QCOMPARE(loader.readCount(), 3);
        // ...until a new set of pictures is shown.
        QVERIFY(cornerPicture(8, 6).save(missing, "JPEG"));
        loader.cancelPending();
        (void)loader.picture(missing, QSize(80, 50));
        loader.waitForDone();
        QCOMPARE(loader.picture(missing, QSize(80, 50)).image.size(), QSize(8, 6));
        // A picture chosen again is read again.
        loader.forget(photo);
        (void)loader.picture(photo, QSize(80, 50));
        loader.waitForDone();
        QCOMPARE(loader.readCount(), 5);
    }

    // A working directory synchronised from another computer: its links name the folder it
    // has there, and its pictures are found by the ends of their paths, never outside it.
    void picturesAreFoundInTheWorkingDirectoryTheyCameWith()
    {
        const QString work = path(QStringLiteral("trips"));
        QVERIFY(QDir().mkpath(work + QStringLiteral("/Pictures/Lisbon")));
        const QString tram = work + QStringLiteral("/Pictures/Lisbon/tram.jpg");
        QVERIFY(cornerPicture(8, 6).save(tram, "JPEG"));
        QVERIFY(cornerPicture(4, 3).save(work + QStringLiteral("/tram.jpg"), "JPEG"));
        QVERIFY(cornerPicture(4, 3).save(path(QStringLiteral("outside.jpg")), "JPEG"));
        const QString there = QStringLiteral("/home/anna/Trips/Pictures/Lisbon/tram.jpg");
        QCOMPARE(PictureFileHere(there, work), tram);
        QCOMPARE(PictureFileHere(
                     QStringLiteral("C:\\Users\\anna\\Trips\\Pictures\\Lisbon\\tram.jpg"), work),
                 tram);
        QCOMPARE(PictureFileHere(tram, path(QStringLiteral("elsewhere"))), tram);
        for (const QString& stays :
             {QStringLiteral("/home/anna/gone.jpg"), QStringLiteral("/home/anna/../outside.jpg"),
              QStringLiteral("D:../outside.jpg")})
            QCOMPARE(PictureFileHere(stays, work), stays);

        // The loader reads it there and tells of it by the link's path.
        PictureLoader loader(1, 1024 * 1024);
        loader.setWorkingDirectory(work);
        QSignalSpy ready(&loader, &PictureLoader::pictureReady);
        (void)loader.picture(there, QSize(80, 50));
        loader.waitForDone();
        QCOMPARE(ready.value(0).value(0).toString(), there);
        QCOMPARE(loader.picture(there, QSize(80, 50)).fullSize, QSize(8, 6));
    }

    void theModelAnswersThumbnailsAndRepaintsTheirRows()
    {
        const QString photo = path(QStringLiteral("row.png"));
        QVERIFY(cornerPicture(300, 100).save(photo, "PNG"));
        PictureLoader loader(1, 1024 * 1024);
        ImageLinkModel model(&loader);
        ImageLinkMap links;
        links.insert(1000, link(photo, QStringLiteral("Row")));
        links.insert(1001, link(path(QStringLiteral("none.png")), QStringLiteral("None")));
        model.setLinks(links);
        model.showCategory(1);
        // Without a size to draw in, nothing is read.
        QVERIFY(model.index(0, 0).data(ImageLinkModel::ThumbnailRole).isNull());
        QCOMPARE(loader.readCount(), 0);
        model.setThumbnailBound(QSize(150, 50));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.index(0, 0).data(ImageLinkModel::ThumbnailRole).value<QImage>().isNull());
        QVERIFY(model.index(1, 0).data(ImageLinkModel::ThumbnailRole).value<QImage>().isNull());
        loader.waitForDone();
        QCOMPARE(changed.size(), 2);
        QVERIFY(!model.index(1, 0).data(ImageLinkModel::PictureSizeRole).toSize().isValid());
        QCOMPARE(loader.readCount(), 2);
    }
};

QTEST_GUILESS_MAIN(ImageModelsTest)
#include "tst_imagemodels.moc"
