#pragma once

#include <QDialog>

class CPreferencePage;
class Prompter;
class TravelDataStore;
class QComboBox;
class QTabWidget;

// "Voyanta Preferences": the working directory's home currency above the seven master
// lists, one tab each. OK writes the home currency when another was chosen and the lists
// of the tabs that were shown; Cancel writes nothing.
class CPreferenceSheet : public QDialog {
    Q_OBJECT

public:
    CPreferenceSheet(TravelDataStore& store, Prompter& prompter, QWidget* parent = nullptr);
    CPreferencePage* page(int listNumber) const;
    QTabWidget* tabs() const { return m_tabs; }
    // ISO 4217 codes with their names; each item's data is its code.
    QComboBox* homeCurrency() const { return m_homeCurrency; }
    void accept() override;

private:
    TravelDataStore& m_store;
    Prompter& m_prompter;
    QTabWidget* m_tabs;
    QComboBox* m_homeCurrency;
};
