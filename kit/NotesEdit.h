#pragma once

#include <QPlainTextEdit>

// A multi-line notes box: Return starts a new line, Tab moves on to the next control as
// in every other box of a dialog, and Ctrl+Tab types a tab.
class CNotesEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CNotesEdit(const QString& text = QString(), QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
