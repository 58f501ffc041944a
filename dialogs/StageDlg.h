#pragma once

#include "Records.h"

#include <QDialog>

class QDateEdit;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;

// "Stage Detail": title, place, date and notes of one stage. On OK the title is trimmed,
// and an empty one becomes "No Stage".
class CStageDlg : public QDialog {
    Q_OBJECT

public:
    explicit CStageDlg(const StageRecord& stage, QWidget* parent = nullptr);
    // The stage with the dialog's values; meaningful after OK.
    StageRecord stage() const;

private:
    StageRecord m_stage;
    QLineEdit* m_title;
    QLineEdit* m_place;
    QDateEdit* m_date;
    QPlainTextEdit* m_notes;
};

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
