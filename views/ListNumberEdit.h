#pragma once

#include <QLineEdit>

// The in-place box of a quantity or a price: right-aligned, digits with one decimal point
// ("." or the user's own separator) and at most two digits after it; no context menu,
// and the right mouse button does nothing.
class CListNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    CListNumberEdit(QChar decimalPoint, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
