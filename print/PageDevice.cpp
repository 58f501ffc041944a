#include "PageDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

PainterPageDevice::PainterPageDevice(QPagedPaintDevice& device, QString outputFile)
    : m_device(device), m_outputFile(std::move(outputFile))
{
}

PainterPageDevice::~PainterPageDevice()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    delete m_painter;
}

QRect PainterPageDevice::pageRect() const
{
    return QRect(0, 0, m_device.width(), m_device.height());
}

int PainterPageDevice::dpiX() const
{
    return m_device.logicalDpiX();
}

bool PainterPageDevice::beginDocument()
{
    m_painter = new QPainter;
    if (m_painter->begin(&m_device))
        return true;
    if (m_outputFile.isEmpty()) {
        m_error = QStringLiteral("The printer could not start the document.");
    } else {
        const QFileInfo file(m_outputFile);
        const QString reason = !file.absoluteDir().exists()
                                   ? QStringLiteral("its folder does not exist")
                                   : QStringLiteral("it cannot be written");
        m_error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_outputFile), reason);
    }
    return false;
}

void PainterPageDevice::startPage()
{
    // The painter opens the document on its first page.
    if (m_pageStarted)
        m_device.newPage();
    m_pageStarted = true;
}

void PainterPageDevice::endPage() {}

bool PainterPageDevice::endDocument()
{
    if (!m_painter || !m_painter->isActive())
        return false;
    const bool ended = m_painter->end();
    if (!ended)
        m_error = m_outputFile.isEmpty()
                      ? QStringLiteral("The printer could not finish the document.")
                      : QStringLiteral("%1: the file could not be written whole")
                            .arg(QDir::toNativeSeparators(m_outputFile));
    return ended;
}

void PainterPageDevice::drawText(const QRect& rect, int flags, const QString& text,
                                 const QFont& font)
{
    m_painter->setFont(font);
    m_painter->drawText(rect, flags | Qt::TextSingleLine, text);
}

void PainterPageDevice::drawLine(const QPoint& from, const QPoint& to)
{
    m_painter->drawLine(from, to);
}

int PainterPageDevice::textWidth(const QString& text, const QFont& font) const
{
    return QFontMetrics(font, &m_device).horizontalAdvance(text);
}

int PainterPageDevice::lineHeight(const QFont& font) const
{
    return QFontMetrics(font, &m_device).height();
}

QString PageDevice::elided(const QString& text, const QFont& font, int width) const
{
    if (textWidth(text, font) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    // The longest start that fits with the ellipsis after it.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (textWidth(text.left(middle) + ellipsis, font) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low > 0 ? text.left(low) + ellipsis : QString();
}
