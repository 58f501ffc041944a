#include "ImportBookingDlg.h"

#include "BookingMapping.h"
#include "DialogParts.h"
#include "GuiKit.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString readingText(const QStringList& files)
{
    if (files.size() == 1) {
        return QStringLiteral("Reading the bookings of %1\u2026")
            .arg(QDir::toNativeSeparators(files.first()));
    }
    return QStringLiteral("Reading the bookings of %1 files\u2026").arg(files.size());
}

} // namespace

CImportBookingDlg::CImportBookingDlg(const QStringList& files,
                                     const BookingExtractor::Settings& settings,
                                     const QString& selectedTravel, QWidget* parent)
    : QDialog(parent), m_job(files, settings), m_status(new QLabel(readingText(files), this)),
      m_busy(new QProgressBar(this)), m_preview(new QTreeWidget(this)),
      m_intoSelected(new QRadioButton(this)),
      m_intoNew(new QRadioButton(
          QStringLiteral("a &new travel, or the one that holds these bookings already"), this)),
      m_buttons(OkCancelButtons(this, QStringLiteral("&Import")))
{
    WithControlId(this, Dialog::ImportBookingDlg);
    setWindowTitle(QStringLiteral("Import Booking"));
    GuiDrawLayer::ApplyFace(this);
    m_status->setWordWrap(true);
    m_busy->setRange(0, 0); // busy, for as long as it takes
    WithControlId(m_preview, Control::BookingPreview);
    m_preview->setRootIsDecorated(false);
    m_preview->setHeaderLabels({QStringLiteral("Kind"), QStringLiteral("When"),
                                QStringLiteral("From \u2192 To"), QStringLiteral("Booking No."),
                                QStringLiteral("Seat")});
    m_preview->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* target = new QGroupBox(QStringLiteral("Import into"), this);
    auto* targetLayout = new QVBoxLayout(target);
    WithControlId(m_intoSelected, Control::IntoSelectedTravel);
    WithControlId(m_intoNew, Control::IntoNewTravel);
    if (selectedTravel.isEmpty()) {
        m_intoSelected->hide();
        m_intoNew->setChecked(true);
    } else {
        m_intoSelected->setText(
            QStringLiteral("the &selected travel \u201c%1\u201d")
                .arg(QString(selectedTravel).replace(QLatin1Char('&'), QLatin1String("&&"))));
        m_intoSelected->setChecked(true);
    }
    targetLayout->addWidget(m_intoSelected);
    targetLayout->addWidget(m_intoNew);

    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_busy);
    layout->addWidget(m_preview, 1);
    layout->addWidget(target);
    layout->addWidget(m_buttons);
    resize(680, 360);
    connect(&m_job, &BookingExtractor::Job::finished, this, &CImportBookingDlg::showResult);
    m_job.start();
}

bool CImportBookingDlg::intoSelectedTravel() const
{
    return m_intoSelected->isChecked();
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
    m_preview->setCurrentItem(m_preview->topLevelItem(0));
    QPushButton* import = m_buttons->button(QDialogButtonBox::Ok);
    import->setEnabled(true);
    import->setDefault(true);
    import->setFocus();
}

void CImportBookingDlg::reject()
{
    m_job.cancel();
    QDialog::reject();
}
