#pragma once

#include "Records.h"

class CTravelPage1;
class CTravelPage2;
class Prompter;
class TravelDataStore;
class QDialog;
class QWidget;

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
