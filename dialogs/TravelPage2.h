#pragma once

#include "Records.h"

#include <QWizardPage>

class TravelDataStore;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// "Travel Notes": status, ticket and seat numbers and notes.
class CTravelPage2 : public QWizardPage {
    Q_OBJECT

public:
    explicit CTravelPage2(TravelDataStore& store, QWidget* parent = nullptr);
    void show(const TravelRecord& travel);
    void take(TravelRecord& travel) const;

private:
    QComboBox* m_status;
    QLineEdit* m_ticket;
    QLineEdit* m_seat;
    QPlainTextEdit* m_notes;
};
