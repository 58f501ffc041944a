#pragma once

#include "BookingExtractor.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QRadioButton;
class QTreeWidget;

// "Import Booking": reads the bookings of one or more files with the booking extractor,
// without holding up the window (a busy bar shows while it runs; Cancel stops it), then
// shows them all in the order of their times, one a row (kind, when, from → to, booking
// number, seat). The user picks where they go: the travel selected in the tree, when there
// is one, or a new travel (the one that holds them already when they were imported before).
// Import is offered once there is something to import.
class CImportBookingDlg : public QDialog {
    Q_OBJECT

public:
    // selectedTravel: the title of the travel selected in the tree, empty when none is.
    CImportBookingDlg(const QStringList& files, const BookingExtractor::Settings& settings,
                      const QString& selectedTravel, QWidget* parent = nullptr);

    // The bookings read, in the order of their times; empty until then.
    const QList<Booking>& bookings() const { return m_bookings; }
    bool isReading() const { return m_job.isRunning(); }
    bool intoSelectedTravel() const;
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
    QRadioButton* m_intoSelected;
    QRadioButton* m_intoNew;
    QDialogButtonBox* m_buttons;
};
