#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>

class QListWidget;

// "Select Icon": the 113 travel icons; returns the chosen index.
class CSelectIconDlg : public QDialog {
    Q_OBJECT

public:
    CSelectIconDlg(const QList<QPixmap>& icons, int current, QWidget* parent = nullptr);
    int chosen() const;
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
    int m_current;
};
