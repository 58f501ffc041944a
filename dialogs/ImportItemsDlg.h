#pragma once

#include "Records.h"

#include <QDialog>
#include <QStringList>

class TravelDataStore;
class QListWidget;
class QListWidgetItem;

// "Import Items": the products (list 5) or the master check list (list 7) with tick
// boxes; Import returns the ticked texts in row order.
class CImportItemsDlg : public QDialog {
    Q_OBJECT

public:
    CImportItemsDlg(TravelDataStore& store, PreferenceList list, QWidget* parent = nullptr);
    QListWidget* list() const { return m_list; }
    const QStringList& result() const { return m_result; }
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle(QListWidgetItem* item);

    QListWidget* m_list;
    QStringList m_result;
};
