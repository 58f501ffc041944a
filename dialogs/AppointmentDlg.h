#pragma once

#include "Records.h"

#include <QDialog>

class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;

// "Appointment": subject, location, date and time, notes, all taken as typed. Date and
// time read as the locale writes them short; the time shows and edits no seconds, so a
// new appointment starts on a whole minute.
class CAppointmentDlg : public QDialog {
    Q_OBJECT

public:
    // Whether the dialog makes a new appointment (from the values given) or changes one.
    enum class Purpose { Change, Create };

    explicit CAppointmentDlg(const AppointmentRecord& appointment, QWidget* parent = nullptr,
                             Purpose purpose = Purpose::Change);
    AppointmentRecord appointment() const;

private:
    QLineEdit* m_subject;
    QLineEdit* m_location;
    QDateTimeEdit* m_when;
    QPlainTextEdit* m_notes;
    DateTimeValue m_original;
};
