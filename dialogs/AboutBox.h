#pragma once

#include <QDialog>

// "About Voyanta": one picture; a click on it closes the box, Escape cancels it.
class CAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit CAboutBox(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
