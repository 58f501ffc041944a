#pragma once

#include <QList>
#include <QPixmap>
#include <QTreeView>

#include <functional>

// The report list of every upper view: rows in columns, a pale watermark behind them,
// and column widths that follow a rule of the client width whenever that width changes,
// from the first show on.
class CListCtrl : public QTreeView {
    Q_OBJECT

public:
    using WidthRule = std::function<QList<int>(int clientWidth)>;

    explicit CListCtrl(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void setWatermark(const QPixmap& picture);
    const QPixmap& watermark() const { return m_watermark; }
    void setColumnWidthRule(WidthRule rule);
    // The widths the rule gives for the present client width.
    QList<int> columnWidths() const;
    // The row that Modify and Delete act on; -1 for none.
    int markedRow() const;
    void markRow(int row);

signals:
    void columnWidthsApplied();

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    void applyColumnWidths();

    QPixmap m_watermark;
    WidthRule m_widthRule;
    int m_appliedWidth = -1;
};
