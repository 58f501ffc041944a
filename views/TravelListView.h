#pragma once

#include "Records.h"
#include "UpperView.h"

#include <QList>

class CListHeaderCtrl;
class QListWidget;

// The travels of the month picker's month: a report of five columns, or small icons,
// large icons or a list. A click on a header column sorts; a row change shows the
// travel's pictures below; a double click opens the travel in the tree.
class CTravelListView : public CUpperView {
    Q_OBJECT

public:
    explicit CTravelListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;

    int displayMode() const { return m_displayMode; }
    // 0 small icons, 1 large icons, 2 list, 3 report.
    void setDisplayMode(int mode);
    void sort(int sortCode);
    CListHeaderCtrl* header() const { return m_header; }
    QListWidget* iconList() const { return m_icons; }
    // The rows' travels, in row order.
    const QList<TravelRecord>& rows() const { return m_rows; }
    int markedRow() const { return m_marked; }
    void markRow(int row);
    // The row at a point of the widget that shows the rows; -1 for none.
    int rowAt(const QPoint& viewportPosition) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuildRows();
    void applyColumnWidths();
    void onContextMenu(QWidget* viewport, const QPoint& position);

    CListHeaderCtrl* m_header;
    QListWidget* m_icons;
    QList<TravelRecord> m_rows;
    QList<QPixmap> m_smallIcons;
    QList<QPixmap> m_largeIcons;
    int m_displayMode = 3;
    int m_marked = -1;
};
