#pragma once

#include "PageDevice.h"

#include <QList>

// A page device that records what is drawn instead of drawing it, with simple metrics
// that do not depend on the fonts installed: a line is as high as its font's point size
// at the device's resolution times 1.25, a character half as wide.
class RecordingPageDevice : public PageDevice {
public:
    struct Text {
        int page;
        QRect rect;
        int flags;
        QString text;
        QFont font;
    };
    struct Line {
        int page;
        QPoint from;
        QPoint to;
    };

    explicit RecordingPageDevice(QSize pageSize = QSize(2480, 3508), int dpi = 300);

    QRect pageRect() const override { return QRect(QPoint(0, 0), m_pageSize); }
    int dpiX() const override { return m_dpi; }
    bool beginDocument() override;
    void startPage() override;
    void endPage() override;
    bool endDocument() override;
    QString errorString() const override { return {}; }
    void drawText(const QRect& rect, int flags, const QString& text, const QFont& font) override;
    void drawLine(const QPoint& from, const QPoint& to) override;
    int textWidth(const QString& text, const QFont& font) const override;
    int lineHeight(const QFont& font) const override;

    int pageCount() const { return m_pages; }
    const QList<Text>& texts() const { return m_texts; }
    const QList<Line>& lines() const { return m_lines; }
    // The texts of one page, in the order they were drawn.
    QStringList textsOnPage(int page) const;
    bool begun() const { return m_begun; }
    bool ended() const { return m_ended; }

private:
    QSize m_pageSize;
    int m_dpi;
    int m_pages = 0;
    bool m_pageOpen = false;
    bool m_begun = false;
    bool m_ended = false;
    QList<Text> m_texts;
    QList<Line> m_lines;
};
