#pragma once

#include "RecordKey.h"

#include <QWidget>

// The lower right-hand pane: the picture categories of the travel in hand.
class CImagesView : public QWidget {
    Q_OBJECT

public:
    explicit CImagesView(QWidget* parent = nullptr);

    // Shows the travel's pictures; an empty key shows none. Ignored once closed.
    void showTravel(const RecordKey& travelKey);
    const RecordKey& travelKey() const { return m_travelKey; }
    // After this, every request to show a travel is ignored.
    void setClosed() { m_closed = true; }

private:
    RecordKey m_travelKey;
    bool m_closed = false;
};
