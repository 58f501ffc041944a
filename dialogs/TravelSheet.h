#pragma once

#include "Records.h"

#include <QDialog>
#include <QWizardPage>

class Prompter;
class TravelDataStore;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
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
};

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

// The two pages as a wizard (New Travel: Next, Back, Finish) or as tabs ("Modify
// Travel": OK, Cancel). Works on a copy of one travel; on OK or Finish the title is
// trimmed and an empty one becomes "No Title".
class CTravelSheet {
public:
    enum class Form { Wizard, Tabbed };

    CTravelSheet(Form form, const TravelRecord& travel, TravelDataStore& store, Prompter& prompter,
                 QWidget* parent, int startPage = 0);
    ~CTravelSheet();

    QDialog* dialog() const { return m_dialog; }
    CTravelPage1* page1() const { return m_page1; }
    CTravelPage2* page2() const { return m_page2; }
    // The travel with the pages' values.
    TravelRecord record() const;

private:
    TravelRecord m_travel;
    QDialog* m_dialog;
    CTravelPage1* m_page1;
    CTravelPage2* m_page2;
};

// "Select Icon": the 113 travel icons; returns the chosen index.
class CSelectIconDlg : public QDialog {
    Q_OBJECT

public:
    CSelectIconDlg(const QList<QPixmap>& icons, int current, QWidget* parent = nullptr);
    int chosen() const;
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
    int m_current;
};
