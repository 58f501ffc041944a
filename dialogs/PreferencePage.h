#pragma once

#include "Outcome.h"
#include "Records.h"

#include <QStringList>
#include <QWidget>

class TravelDataStore;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onItemChanged(QListWidgetItem* item);

    TravelDataStore& m_store;
    int m_listNumber;
    QListWidget* m_list;
    QLineEdit* m_newItem;
    bool m_shown = false;
};
