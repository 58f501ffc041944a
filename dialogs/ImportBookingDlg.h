#pragma once

#include "BookingExtractor.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QTreeWidget;

// "Import Booking": reads the bookings of a file with the booking extractor, without
// holding up the window (a busy bar shows while it runs; Cancel stops it), then shows
// them one a row (kind, when, from → to, booking number, seat) and where they will go.
// OK is offered once there is something to import.
class CImportBookingDlg : public QDialog {
    Q_OBJECT

public:
    CImportBookingDlg(const QString& file, const BookingExtractor::Settings& settings,
                      const QString& target, QWidget* parent = nullptr);

    // The bookings read, in the order of their times; empty until then.
    const QList<Booking>& bookings() const { return m_bookings; }
    bool isReading() const { return m_job.isRunning(); }
    QTreeWidget* preview() const { return m_preview; }
    QLabel* status() const { return m_status; }
    void reject() override;

private:
    void showResult(const BookingExtractor::Result& result);

    BookingExtractor::Job m_job;
    QList<Booking> m_bookings;
    QLabel* m_status;
    QProgressBar* m_busy;
    QTreeWidget* m_preview;
    QDialogButtonBox* m_buttons;
};
