#pragma once

#include "Outcome.h"

#include <QDialog>
#include <QStringList>

class Prompter;
class TravelDataStore;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;

// One master list on a tab: its items with Add, Edit (in place) and Delete. Blank texts
// are never added and never replace an item; texts are kept trimmed.
class CPreferencePage : public QWidget {
    Q_OBJECT

public:
    CPreferencePage(TravelDataStore& store, int listNumber, QWidget* parent = nullptr);

    int listNumber() const { return m_listNumber; }
    QListWidget* list() const { return m_list; }
    QLineEdit* newItem() const { return m_newItem; }
    QStringList items() const;
    bool wasShown() const { return m_shown; }

    void add();
    void deleteMarked();
    void editMarked();
    // Writes the list when the tab has been shown.
    Outcome commit();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onItemChanged(QListWidgetItem* item);

    TravelDataStore& m_store;
    int m_listNumber;
    QListWidget* m_list;
    QLineEdit* m_newItem;
    bool m_shown = false;
};

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

// "Import Items": the products (list 5) or the master check list (list 7) with tick
// boxes; Import returns the ticked texts in row order.
class CImportItemsDlg : public QDialog {
    Q_OBJECT

public:
    CImportItemsDlg(TravelDataStore& store, bool products, QWidget* parent = nullptr);
    QListWidget* list() const { return m_list; }
    const QStringList& result() const { return m_result; }
    void accept() override;

private:
    QListWidget* m_list;
    QStringList m_result;
};
