#pragma once

#include "ListCtrl.h"
#include "ViewKinds.h"

#include <QWidget>

class CIconListCtrl;
class CListHeaderCtrl;
class QAbstractItemModel;
class QAbstractItemView;

// A list shown either as a report of columns (with the sorting header) or as small icons,
// large icons or a list: two views over one model and one selection, so a switch of mode
// rebuilds nothing and the marked row stays. Right clicks, the menu key, double clicks and
// Enter come out as signals.
class CModeListCtrl : public QWidget {
    Q_OBJECT

public:
    struct Look {
        int watermark;    // bitmap number
        int headerImages; // bitmap number of the header's image strip
        int columnCount;
        CListCtrl::WidthRule widths;
    };

    CModeListCtrl(QAbstractItemModel* model, const Look& look, QWidget* parent = nullptr);

    CListCtrl* report() const { return m_report; }
    CIconListCtrl* icons() const { return m_icons; }
    CListHeaderCtrl* header() const { return m_header; }
    // The view the present mode shows.
    QAbstractItemView* shownList() const;

    DisplayMode displayMode() const { return m_mode; }
    void setDisplayMode(DisplayMode mode);
    int markedRow() const { return m_report->markedRow(); }
    void markRow(int row) { m_report->markRow(row); }
    void scrollToMarked();

signals:
    // A row was double-clicked, or Enter pressed on the marked row.
    void opened(const QModelIndex& index);
    // A right click on a row (which it marks) or on no row (an invalid index), or the
    // menu key, at a screen position.
    void menuRequested(const QModelIndex& index, const QPoint& globalPosition);
    void markChanged(const QModelIndex& current);
    void sortRequested(int sortCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CListCtrl* m_report;
    CIconListCtrl* m_icons;
    CListHeaderCtrl* m_header;
    DisplayMode m_mode = DisplayMode::Report;
};
