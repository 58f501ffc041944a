#pragma once

#include <QDialog>

class QTextBrowser;

// The user guide in a window of the program's own, for a desktop that has no program to
// open it with: the guide's HTML in a browser pane, its links followed inside it.
class CHelpWindow : public QDialog {
    Q_OBJECT

public:
    CHelpWindow(const QString& guideFile, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
