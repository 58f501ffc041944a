#include "ImagesViewBench.h"

#include "BenchTiming.h"
#include "CQVImage.h"
#include "ImageLinkList.h"
#include "ImageLinkModel.h"
#include "ImagesView.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

constexpr int LinkCount = 200;

class QuietPrompter : public DesktopPrompter {
public:
    void inform(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

// The resident memory of this process now, in megabytes.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// A photo-like picture: soft colour gradients under fine noise, so that it compresses as a
// photo does; written once and copied, each copy a picture of its own to the program.
QStringList makePhotos(const QString& folder, QSize size)
{
    QImage photo(size, QImage::Format_RGB32);
    QRandomGenerator random(12);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int noise = int(random.bounded(24u));
            line[x] = qRgb((x * 255 / size.width() + noise) & 0xff,
                           (y * 255 / size.height() + noise) & 0xff, (x + y + noise) & 0xff);
        }
    }
    const QString first = QStringLiteral("%1/photo000.jpg").arg(folder);
    if (!photo.save(first, "JPEG", 90))
        qFatal("cannot write %s", qPrintable(first));
    QStringList paths{first};
    for (int i = 1; i < LinkCount; ++i) {
        const QString copy =
            QStringLiteral("%1/photo%2.jpg").arg(folder).arg(i, 3, 10, QLatin1Char('0'));
        QFile::copy(first, copy);
        paths.append(copy);
    }
    return paths;
}

bool visibleRowsHaveThumbnails(CImagesView& view)
{
    CImageLinkList* list = view.imageList();
    const QRect shown = list->viewport()->rect();
    for (int y = shown.top(); y <= shown.bottom(); y += CImageLinkList::RowHeight / 2) {
        const QModelIndex index = list->indexAt(QPoint(5, y));
        if (index.isValid() && index.data(ImageLinkModel::ThumbnailRole).value<QImage>().isNull())
            return false;
    }
    return true;
}

struct Scroll {
    double firstScreen = 0; // seconds until the first screen is painted with thumbnails
    double longestHold = 0; // the longest single turn of the event loop meanwhile, seconds
    double peakGrowth = 0;  // resident memory above the start while scrolling, megabytes
    int reads = 0;
    int firstScreenRows = 0;
};

// Runs the event loop until the visible rows have their thumbnails and are painted.
double untilThumbnailsShow(CImagesView& view, double& longestHold)
{
    QElapsedTimer timer;
    timer.start();
    while (!visibleRowsHaveThumbnails(view)) {
        QElapsedTimer turn;
        turn.start();
        QApplication::processEvents();
        longestHold = qMax(longestHold, double(turn.nsecsElapsed()) / 1e9);
        QThread::msleep(1);
    }
    view.imageList()->viewport()->repaint();
    return double(timer.nsecsElapsed()) / 1e9;
}

Scroll scrollThrough(QSize photoSize)
{
    QTemporaryDir dir;
    const QString photos = dir.filePath(QStringLiteral("photos"));
    QDir().mkpath(photos);
    const QStringList paths = makePhotos(photos, photoSize);

    TravelDataStore store;
    store.setWorkingDirectory(dir.path());
    store.setImagesFolder(dir.filePath(QStringLiteral("Travel Images")));
    (void)store.Refresh();
    TravelRecord travel;
    travel.title = QStringLiteral("Photos");
    const RecordKey key = store.AddTravel(travel).key;
    ImageLinkMap links;
    ImageCategory category;
    category.name = QStringLiteral("Photos");
    const int number = store.AddCategory(category);
    for (int i = 0; i < paths.size(); ++i) {
        ImageLink link;
        link.picturePath = paths[i];
        link.displayTitle = QStringLiteral("Photo %1").arg(i + 1);
        links.insert(LinkKey(number) * LinksPerCategory + i, link);
    }
    if (!store.SaveCategories(key, links).ok())
        qFatal("cannot write the category file");

    QuietPrompter prompter;
    CImagesView view(store, prompter);
    view.resize(1000, 420);
    view.show();
    QApplication::processEvents();
    const double before = residentMegabytes();
    Scroll result;
    QElapsedTimer timer;
    timer.start();
    // Loading the travel holds the window's thread too.
    result.longestHold = Seconds([&] { view.showTravel(key); });
    untilThumbnailsShow(view, result.longestHold);
    result.firstScreen = double(timer.nsecsElapsed()) / 1e9;
    result.firstScreenRows = view.thumbnails().readCount();
    double peak = residentMegabytes();
    QScrollBar* bar = view.imageList()->verticalScrollBar();
    while (bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + view.imageList()->viewport()->height());
        double ignored = 0;
        untilThumbnailsShow(view, ignored);
        peak = qMax(peak, residentMegabytes());
    }
    result.peakGrowth = peak - before;
    result.reads = view.thumbnails().readCount();
    return result;
}

} // namespace

int RunImagesViewBench()
{
    const QSize large(4000, 3000);
    const Scroll photos = scrollThrough(large);
    const Scroll smaller = scrollThrough(QSize(2000, 1500));

    // One photo decoded whole, the way a program that reads pictures at full size would.
    QTemporaryDir dir;
    const QString one = makePhotos(dir.path(), large).first();
    const double fullDecode = Seconds([&] {
        QImageReader reader(one);
        if (reader.read().isNull())
            qFatal("cannot decode %s", qPrintable(one));
    });
    // And read at the size of a row's thumbnail, as the view reads it.
    const double thumbnailRead = Seconds([&] {
        if (CQVImage::Read(one, QSize(400, 50)).image.isNull())
            qFatal("cannot read %s", qPrintable(one));
    });

    std::printf("%-52s %8.3f s  baseline %8.3f s  ratio %5.2f\n",
                "first screen of thumbnails, 200 x 12 MP photos", photos.firstScreen, fullDecode,
                photos.firstScreen / fullDecode);
    std::printf("%-52s %8.1f ms\n", "  longest turn of the window's event loop meanwhile",
                photos.longestHold * 1000);
    std::printf("%-52s %8.1f ms  (file of %.1f MB; %d rows on the first screen)\n",
                "  one photo read at thumbnail size", thumbnailRead * 1000,
                QFileInfo(one).size() / (1024.0 * 1024.0), photos.firstScreenRows);
    std::printf("%-52s %8d reads for %d photos\n", "scrolling through all 200", photos.reads,
                LinkCount);
    std::printf("%-52s %8.1f MB  (3 MP photos: %.1f MB, one 12 MP photo decoded: %.1f MB)\n",
                "  memory growth while scrolling, 12 MP photos", photos.peakGrowth,
                smaller.peakGrowth, large.width() * large.height() * 4 / (1024.0 * 1024.0));
    return 0;
}
