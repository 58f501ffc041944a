#pragma once

#include "Records.h"

#include <QDialog>

class QDateEdit;
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
