#pragma once

#include "ControlIds.h"
#include "DateTimeValue.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QWidget;

// Pieces that every dialog of the program builds the same way.

// OK (with the given caption) and Cancel, wired to accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText = QString());

// The moment a date-time editor starts from: the stored value, or now when it has none,
// as wall-clock fields in UTC; DateTimeValue::fromDateTime takes them back as they are.
QDateTime EditableMoment(const DateTimeValue& value);

// Notes as an edit shows them ("\n") and as records keep them ("\r\n").
QString NotesForEditing(const QString& stored);
QString NotesForStoring(const QString& edited);
