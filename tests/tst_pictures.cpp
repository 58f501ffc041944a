#include "Bitmaps.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

// Every bitmap number the program's windows, views and dialogs ask for.
const QList<int> NumbersInUse = {
    130, 132, 145, 146, 147, 148, 149, 150, 151, 152, 155, 156, 157, 159, 160, 161, 162, 166, 167,
    169, 174, 175, 176, 177, 178, 179, 183, 184, 185, 186, 187, 188, 192, 194, 195, 196, 197, 198,
    199, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 215, 216, 217, 218,
};

bool IsBlank(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

QImage ImageOf(int bitmapNumber, int imageWidth, int index)
{
    const QList<QPixmap> images = LoadImageStrip(bitmapNumber, imageWidth);
    return index < images.size() ? images.at(index).toImage() : QImage();
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void cutsAStripIntoImages()
    {
        QImage strip(100, 10, QImage::Format_ARGB32);
        for (int slot = 0; slot < 4; ++slot) {
            for (int x = slot * 30; x < qMin(100, slot * 30 + 30); ++x) {
                for (int y = 0; y < 10; ++y)
                    strip.setPixel(x, y, qRgba(10 * slot, 20, 30, 255));
            }
        }
        const QList<QPixmap> images = CutImageStrip(strip, 30);
        QCOMPARE(images.size(), 3); // the last 10 pixels are less than an image: dropped
        for (int i = 0; i < images.size(); ++i) {
            QCOMPARE(images.at(i).size(), QSize(30, 10));
            QCOMPARE(images.at(i).toImage().pixel(0, 0), qRgba(10 * i, 20, 30, 255));
            QCOMPARE(images.at(i).toImage().pixel(29, 9), qRgba(10 * i, 20, 30, 255));
        }

        const QList<QPixmap> doubled = CutImageStrip(strip, 15, 2.0);
        QCOMPARE(doubled.size(), 3);
        QCOMPARE(doubled.first().size(), QSize(30, 10));
        QCOMPARE(doubled.first().deviceIndependentSize(), QSizeF(15, 5));

        QVERIFY(CutImageStrip(strip, 0).isEmpty());
        QVERIFY(CutImageStrip(strip, 101).isEmpty());
        QVERIFY(CutImageStrip(QImage(), 16).isEmpty());
    }

    void whiteIsTransparentOnlyInStripsWithoutAlpha()
    {
        QImage opaque(2, 1, QImage::Format_RGB32);
        opaque.setPixel(0, 0, qRgb(255, 255, 255));
        opaque.setPixel(1, 0, qRgb(254, 255, 255));
        const QImage keyed = CutImageStrip(opaque, 1).value(0).toImage();
        QCOMPARE(qAlpha(keyed.pixel(0, 0)), 0);
        const QImage nearWhite = CutImageStrip(opaque, 1).value(1).toImage();
        QCOMPARE(nearWhite.pixel(0, 0), qRgba(254, 255, 255, 255));

        QImage withAlpha(2, 1, QImage::Format_ARGB32);
        withAlpha.setPixel(0, 0, qRgba(255, 255, 255, 255));
        withAlpha.setPixel(1, 0, qRgba(0, 0, 0, 0));
        const QList<QPixmap> kept = CutImageStrip(withAlpha, 1);
        QCOMPARE(kept.value(0).toImage().pixel(0, 0), qRgba(255, 255, 255, 255));
        QCOMPARE(qAlpha(kept.value(1).toImage().pixel(0, 0)), 0);
    }

    void missingPictureGivesNothing()
    {
        QVERIFY(LoadImageStrip(999, 16).isEmpty());
        QVERIFY(LoadBitmap(999).isNull());
        QVERIFY(!Bitmaps::FindLayout(999));
        QCOMPARE(BitmapResourcePath(999), QStringLiteral(":/voyanta/bitmaps/999.png"));
        QVERIFY(LoadImageStrip(Bitmaps::TravelIcons32, 0).isEmpty());
    }

    // Also the pictures whose size the program leaves to its artwork: each matches its layout,
    // has a double-size copy and no image of it is blank; and no picture is left over.
    void everyNumberInUseHasItsPictures()
    {
        for (int number : NumbersInUse) {
            const Bitmaps::Layout* layout = Bitmaps::FindLayout(number);
            QVERIFY2(layout, qPrintable(QString::number(number)));
            const QSize size(layout->imageWidth * layout->imageCount, layout->imageHeight);
            QCOMPARE(LoadBitmap(number).size(), size);
            const QPixmap doubled = LoadBitmap(number, 2.0);
            QCOMPARE(doubled.size(), size * 2);
            QCOMPARE(doubled.deviceIndependentSize(), QSizeF(size));
            const QList<QPixmap> images = LoadImageStrip(number, layout->imageWidth);
            for (int i = 0; i < images.size(); ++i)
                QVERIFY2(!IsBlank(images.at(i).toImage()),
                         qPrintable(QStringLiteral("%1 image %2").arg(number).arg(i)));
        }
        QCOMPARE(std::size(Bitmaps::Layouts), std::size_t(NumbersInUse.size()));

        QSet<QString> expected;
        for (int number : NumbersInUse) {
            expected << QStringLiteral("%1.png").arg(number)
                     << QStringLiteral("%1@2x.png").arg(number);
        }
        const QStringList present = QDir(QStringLiteral(":/voyanta/bitmaps")).entryList();
        QCOMPARE(QSet<QString>(present.begin(), present.end()), expected);
    }

    void highDensityStripsKeepTheirLogicalSize()
    {
        const QList<QPixmap> icons = LoadImageStrip(Bitmaps::TravelIcons32, 32, 2.0);
        QCOMPARE(icons.size(), Bitmaps::TravelIconCount);
        QCOMPARE(icons.first().size(), QSize(64, 64));
        QCOMPARE(icons.first().devicePixelRatio(), 2.0);
        QCOMPARE(LoadImageStrip(Bitmaps::TreeImages, 16, 1.5).size(), 123);
    }

    void travelIconsAreAllDifferent()
    {
        for (const auto& [number, width] : {std::pair{145, 32}, std::pair{152, 16}}) {
            QList<QImage> icons;
            for (const QPixmap& icon : LoadImageStrip(number, width).mid(0, 113))
                icons.append(icon.toImage());
            QCOMPARE(icons.size(), 113);
            for (int i = 0; i < icons.size(); ++i) {
                for (int j = i + 1; j < icons.size(); ++j)
                    QVERIFY2(icons.at(i) != icons.at(j),
                             qPrintable(QStringLiteral("%1: %2 and %3").arg(number).arg(i).arg(j)));
            }
        }
    }

    // Pictures that stand for two states of one thing must not look the same.
    void variantsDiffer_data()
    {
        QTest::addColumn<QImage>("first");
        QTest::addColumn<QImage>("second");
        for (int image = Bitmaps::TreeRootImage; image <= Bitmaps::TreeStageImage; image += 2) {
            QTest::addRow("tree %d selected", image)
                << ImageOf(152, 16, image) << ImageOf(152, 16, image + 1);
        }
        QTest::newRow("import ticks") << ImageOf(169, 16, 0) << ImageOf(169, 16, 1);
        for (const auto& [number, columns] :
             {std::pair{159, 5}, std::pair{160, 5}, std::pair{162, 3}}) {
            for (int c = 0; c < columns; ++c) {
                QTest::addRow("%d column %d ascending, descending", number, c)
                    << ImageOf(number, 16, columns + c) << ImageOf(number, 16, 2 * columns + c);
            }
        }
        const QList<std::pair<int, int>> pairs = {
            {146, 147}, {148, 149}, {150, 151}, {194, 213}, {203, 210}, {211, 195}, {202, 209},
            {201, 212}, {197, 204}, {200, 208}, {199, 206}, {198, 207}, {196, 205},
        };
        for (const auto& [normal, other] : pairs) {
            QTest::addRow("%d and %d", normal, other)
                << LoadBitmap(normal).toImage() << LoadBitmap(other).toImage();
        }
    }

    void variantsDiffer()
    {
        QFETCH(QImage, first);
        QFETCH(QImage, second);
        QVERIFY(!first.isNull());
        QCOMPARE(first.size(), second.size());
        QVERIFY(first != second);
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
