#pragma once

#include "Records.h"

#include <QDialog>

class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;

// "Appointment": subject, location, date and time, notes, all taken as typed.
class CAppointmentDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAppointmentDlg(const AppointmentRecord& appointment, QWidget* parent = nullptr);
    AppointmentRecord appointment() const;

private:
    QLineEdit* m_subject;
    QLineEdit* m_location;
    QDateTimeEdit* m_when;
    QPlainTextEdit* m_notes;
    DateTimeValue m_original;
};
