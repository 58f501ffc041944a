// Printing a long list to PDF against drawing the same texts with a bare QPainter loop on
// the same kind of device, both measured in this run:
//   QT_QPA_PLATFORM=offscreen build/bin/voyanta-print-bench [ENTRIES]
#include "BenchTiming.h"
#include "GListPrintJob.h"
#include "PageDevice.h"
#include "PrintFonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

void printList(const QStandardItemModel& model, const QString& path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    PainterPageDevice device(writer, path);
    GListPrintJob job({&model, {800}, QStringLiteral(" - Check List for Bench"), 96});
    job.print(device);
}

// The same texts, one per line, page after page, with nothing but QPainter.
void paintBare(const QStandardItemModel& model, const QString& path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    painter.setFont(PrintFonts::Body());
    const int line = QFontMetrics(painter.font(), &writer).height();
    int y = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (y + line > writer.height()) {
            writer.newPage();
            y = 0;
        }
        painter.drawText(QRect(0, y, writer.width(), line), Qt::AlignLeft,
                         model.index(row, 0).data().toString());
        y += line;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const int entries = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QStandardItemModel model(entries, 1);
    model.setHorizontalHeaderLabels({QStringLiteral("Check List Items")});
    for (int row = 0; row < entries; ++row)
        model.setItem(row,
                      new QStandardItem(QStringLiteral("Packing list entry number %1").arg(row)));
    QTemporaryDir dir;
    QTextStream out(stdout);
    for (int round = 0; round < 3; ++round) {
        const double bare =
            Seconds([&] { paintBare(model, dir.filePath(QStringLiteral("bare.pdf"))); });
        const double printed =
            Seconds([&] { printList(model, dir.filePath(QStringLiteral("list.pdf"))); });
        out << QStringLiteral(
                   "%1 entries to PDF: printed list %2 s, bare QPainter loop %3 s, ratio %4\n")
                   .arg(entries)
                   .arg(printed, 0, 'f', 3)
                   .arg(bare, 0, 'f', 3)
                   .arg(printed / bare, 0, 'f', 2);
        out.flush();
    }
    return 0;
}
