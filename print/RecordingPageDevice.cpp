#include "RecordingPageDevice.h"

#include <QStringList>

#include <cmath>

RecordingPageDevice::RecordingPageDevice(QSize pageSize, int dpi) : m_pageSize(pageSize), m_dpi(dpi)
{
}

bool RecordingPageDevice::beginDocument()
{
    m_begun = true;
    return true;
}

void RecordingPageDevice::startPage()
{
    ++m_pages;
    m_pageOpen = true;
}

void RecordingPageDevice::endPage()
{
    m_pageOpen = false;
}

bool RecordingPageDevice::endDocument()
{
    m_ended = true;
    return true;
}

void RecordingPageDevice::drawText(const QRect& rect, int flags, const QString& text,
                                   const QFont& font)
{
    m_texts.append({m_pages, rect, flags, text, font});
}

void RecordingPageDevice::drawLine(const QPoint& from, const QPoint& to)
{
    m_lines.append({m_pages, from, to});
}

int RecordingPageDevice::lineHeight(const QFont& font) const
{
    return int(std::lround(font.pointSizeF() * m_dpi / 72.0 * 1.25));
}

int RecordingPageDevice::textWidth(const QString& text, const QFont& font) const
{
    return int(text.size() * std::lround(font.pointSizeF() * m_dpi / 72.0 * 0.5));
}

QStringList RecordingPageDevice::textsOnPage(int page) const
{
    QStringList result;
    for (const Text& text : m_texts) {
        if (text.page == page)
            result.append(text.text);
    }
    return result;
}
