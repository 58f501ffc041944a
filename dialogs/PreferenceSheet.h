#pragma once

#include <QDialog>

class CPreferencePage;
class Prompter;
class TravelDataStore;
class QTabWidget;

// "Voyanta Preferences": the seven master lists, one tab each. OK writes the lists of
// the tabs that were shown; Cancel writes nothing.
class CPreferenceSheet : public QDialog {
    Q_OBJECT

public:
    CPreferenceSheet(TravelDataStore& store, Prompter& prompter, QWidget* parent = nullptr);
    CPreferencePage* page(int listNumber) const;
    QTabWidget* tabs() const { return m_tabs; }
    void accept() override;

private:
    Prompter& m_prompter;
    QTabWidget* m_tabs;
};
