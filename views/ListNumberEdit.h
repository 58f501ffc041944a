#pragma once

#include <QLineEdit>
#include <QLocale>

// The in-place box of a quantity or a price: right-aligned, digits with one decimal point
// (the locale's own, or ".") and at most two digits after it (or as many as asked for); no
// context menu, and the
// right mouse button does nothing. The locale's thousands separator typed is refused and
// the status bar says why; an amount pasted with its separators in place is taken
// without them.
class CListNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CListNumberEdit(const QLocale& locale, QWidget* parent = nullptr, int decimals = 2);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLocale m_locale;
};
