#pragma once

#include <QHeaderView>
#include <QList>
#include <QPixmap>

// A list's column header with sort images: per column a plain image (set 0) and one
// image for each sort order (sets 1 and 2). A click on a column moves it to set 1, or
// to set 2 when it is in set 1, puts every other column back to set 0, and asks for a
// sort: the column index for set 1, column count plus column index for set 2.
class CListHeaderCtrl : public QHeaderView {
    Q_OBJECT

public:
    explicit CListHeaderCtrl(QWidget* parent = nullptr);

    // The header's image strip, cut into 16-pixel images, three sets of columnCount.
    void setImages(const QList<QPixmap>& images, int columnCount);
    // Marks a column as a click would, and returns the sort code.
    int clickColumn(int column);
    // Shows a column sorted in its first order (set 1) and every other column plain.
    void showFirstOrder(int column);
    // The image set (0, 1 or 2) that a column shows.
    int imageSet(int column) const { return m_sets.value(column); }
    // The index in the strip of a column's current image.
    int imageIndex(int column) const { return imageSet(column) * m_columnCount + column; }

signals:
    void sortRequested(int sortCode);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QList<QPixmap> m_images;
    QList<int> m_sets;
    int m_columnCount = 0;
};
