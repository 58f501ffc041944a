#pragma once

#include "Records.h"

#include <QDate>
#include <QList>
#include <QPixmap>
#include <QTime>
#include <QWizardPage>

class Prompter;
class TravelDataStore;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QToolButton;

// "Travel Detail": title, mode, route, dates, type, priority and icon.
class CTravelPage1 : public QWizardPage {
    Q_OBJECT

public:
    CTravelPage1(TravelDataStore& store, Prompter& prompter, QWidget* parent = nullptr);
    void show(const TravelRecord& travel);
    // Copies the page's values into the record (the title as typed).
    void take(TravelRecord& travel) const;
    void chooseIcon();

private:
    void showIcon();
    void onDateChosen(QDateEdit* picker);

    Prompter& m_prompter;
    QLineEdit* m_title;
    QComboBox* m_mode;
    QLineEdit* m_from;
    QLineEdit* m_destination;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QComboBox* m_type;
    QComboBox* m_priority;
    QToolButton* m_icon;
    QList<QPixmap> m_icons;
    int m_iconIndex = 0;
    QTime m_startTime;
    QTime m_endTime;
    QDate m_acceptedStart;
    QDate m_acceptedEnd;
    QDate m_latestStart;
    QDate m_earliestEnd;
};
