#pragma once

#include "DateTimeValue.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QWidget;

// Pieces that every dialog of the program builds the same way.

// Gives a control its control id as object name, by which tests and help find it.
template <typename T> T* WithControlId(T* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

// OK (id 1, with the given caption) and Cancel (id 2), wired to accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText = QString());

// The moment a date-time editor starts from: the stored value, or now when it has none.
QDateTime EditableMoment(const DateTimeValue& value);

// Notes as an edit shows them ("\n") and as records keep them ("\r\n").
QString NotesForEditing(const QString& stored);
QString NotesForStoring(const QString& edited);
