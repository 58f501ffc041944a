#pragma once

#include "ViewKinds.h"

#include <QListView>
#include <QPixmap>

// The small-icon, large-icon and list modes of a list: the same model and selection as
// its report, a watermark behind the icons, and the longer tooltip of these modes.
class CIconListCtrl : public QListView {
    Q_OBJECT

public:
    explicit CIconListCtrl(QWidget* parent = nullptr);

    void setWatermark(const QPixmap& picture);
    // Lays the icons out for small icons, large icons or a list.
    void setDisplayMode(DisplayMode mode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    QPixmap m_watermark;
};
