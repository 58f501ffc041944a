#pragma once

#include <QMargins>
#include <QRect>
#include <QString>

class PageDevice;

// How a print run ended.
enum class PrintResult : int {
    Printed = 0,
    Cancelled = 1,     // the print dialog was cancelled
    Failed = 2,        // no printer, or the document could not be started or written
    FileCancelled = 3, // choosing the print-to-file name was cancelled
};

// A printed report: opens the document on a page device, runs the body that the report
// gives, and closes the document. The dialog steps before it (choosing the printer or the
// file) are the caller's.
class GPrintJob {
public:
    virtual ~GPrintJob() = default;

    // Prints the body on the device. After Failed, errorString() says why.
    PrintResult print(PageDevice& device);
    const QString& errorString() const { return m_error; }

    PageDevice& device() const { return *m_device; }
    // The printable area less the margins, in device pixels.
    const QRect& pageRect() const { return m_pageRect; }
    int currentPage() const { return m_page; }
    void nextPage() { ++m_page; }

protected:
    virtual void printBody() = 0;
    // Five device pixels on every side.
    virtual QMargins margins() const { return {5, 5, 5, 5}; }

private:
    PageDevice* m_device = nullptr;
    QRect m_pageRect;
    int m_page = 1;
    QString m_error;
};
