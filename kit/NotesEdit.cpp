#include "NotesEdit.h"

#include <QKeyEvent>

CNotesEdit::CNotesEdit(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent)
{
    setTabChangesFocus(true);
}

void CNotesEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
