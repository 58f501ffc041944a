#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// Where printed pages go: a printer, a PDF file, or a recording for tests. Coordinates are
// the device's pixels; a document is begun once, and pages are started and ended in it.
class PageDevice {
public:
    virtual ~PageDevice() = default;

    // The printable area of a page.
    virtual QRect pageRect() const = 0;
    // Pixels per inch across the page.
    virtual int dpiX() const = 0;

    // False, with errorString() saying why, when the document cannot be started.
    virtual bool beginDocument() = 0;
    virtual void startPage() = 0;
    virtual void endPage() = 0;
    // False when the document could not be finished (a file that could not be written).
    virtual bool endDocument() = 0;
    virtual QString errorString() const = 0;

    // Draws text on one line in a rectangle, aligned by flags, clipped to it.
    virtual void drawText(const QRect& rect, int flags, const QString& text, const QFont& font) = 0;
    virtual void drawLine(const QPoint& from, const QPoint& to) = 0;
    virtual int textWidth(const QString& text, const QFont& font) const = 0;
    // The height of one line of text in a font.
    virtual int lineHeight(const QFont& font) const = 0;

    // The text as it fits a width: whole, or its start cut short with an ellipsis.
    QString elided(const QString& text, const QFont& font, int width) const;
};

// Pages painted with QPainter on a printer or a PDF writer.
class PainterPageDevice : public PageDevice {
public:
    // The name of the file the device writes, if any, for messages.
    PainterPageDevice(QPagedPaintDevice& device, QString outputFile = QString());
    ~PainterPageDevice() override;

    QRect pageRect() const override;
    int dpiX() const override;
    bool beginDocument() override;
    void startPage() override;
    void endPage() override;
    bool endDocument() override;
    QString errorString() const override { return m_error; }
    void drawText(const QRect& rect, int flags, const QString& text, const QFont& font) override;
    void drawLine(const QPoint& from, const QPoint& to) override;
    int textWidth(const QString& text, const QFont& font) const override;
    int lineHeight(const QFont& font) const override;

private:
    QPagedPaintDevice& m_device;
    QString m_outputFile;
    QPainter* m_painter = nullptr;
    bool m_pageStarted = false;
    QString m_error;
};
