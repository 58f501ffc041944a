#pragma once

#include "UpperView.h"

// One travel as a read-only sheet of labelled rows, with three shortcut icons in the
// first row that jump to the travel's check list, expenses and stages in the tree. A
// double click opens the travel for changing.
class CTravelDetailListView : public CUpperView {
    Q_OBJECT

public:
    explicit CTravelDetailListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    const RecordKey& travelKey() const { return m_travelKey; }
    // Which shortcut (1 check list, 2 expenses, 3 stages) an x position in row 0 hits,
    // given the row's right edge; 0 for none. The bounds are exclusive.
    static int shortcutAt(int x, int rowRight);
    // The x of each shortcut image, from the row's right edge.
    static constexpr int shortcutOffsets[3] = {154, 134, 114};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    RecordKey m_travelKey;
};
