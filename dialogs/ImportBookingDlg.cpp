#include "ImportBookingDlg.h"

#include "BookingMapping.h"
#include "DialogParts.h"
#include "GuiKit.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CImportBookingDlg::CImportBookingDlg(const QString& file,
                                     const BookingExtractor::Settings& settings,
                                     const QString& target, QWidget* parent)
    : QDialog(parent), m_job({file}, settings), m_status(new QLabel(this)),
      m_busy(new QProgressBar(this)), m_preview(new QTreeWidget(this)),
      m_buttons(OkCancelButtons(this, QStringLiteral("Import")))
{
    WithControlId(this, Dialog::ImportBookingDlg);
    setWindowTitle(QStringLiteral("Import Booking"));
    GuiDrawLayer::ApplyFace(this);
    m_status->setWordWrap(true);
    m_status->setText(
        QStringLiteral("Reading the bookings of %1\u2026").arg(QDir::toNativeSeparators(file)));
    m_busy->setRange(0, 0); // busy, for as long as it takes
    WithControlId(m_preview, Control::BookingPreview);
    m_preview->setRootIsDecorated(false);
    m_preview->setHeaderLabels({QStringLiteral("Kind"), QStringLiteral("When"),
                                QStringLiteral("From \u2192 To"), QStringLiteral("Booking No."),
                                QStringLiteral("Seat")});
    m_preview->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* into = new QLabel(QStringLiteral("Into %1").arg(target), this);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_busy);
    layout->addWidget(m_preview, 1);
    layout->addWidget(into);
    layout->addWidget(m_buttons);
    resize(640, 320);
    connect(&m_job, &BookingExtractor::Job::finished, this, &CImportBookingDlg::showResult);
    m_job.start();
}

void CImportBookingDlg::showResult(const BookingExtractor::Result& result)
{
    m_busy->hide();
    if (result.status != BookingExtractor::Result::Found) {
        m_status->setText(result.message);
        return;
    }
    m_bookings = result.bookings;
    SortBookings(m_bookings);
    m_status->setText(tr("%n booking(s) found:", nullptr, int(m_bookings.size())));
    for (const Booking& booking : m_bookings)
        new QTreeWidgetItem(m_preview, BookingPreview(booking));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(true);
}

void CImportBookingDlg::reject()
{
    m_job.cancel();
    QDialog::reject();
}
