#pragma once

#include "RowOrderModel.h"

#include <QString>

// The rows of a list the user edits in place (the check list, the expenses): the working
// copy of a travel's records until the view saves them, with the tree's caption of the
// list following every change.
class EditedListModel : public RowOrderModel {
    Q_OBJECT

public:
    using RowOrderModel::RowOrderModel;

    // Empties the rows; nothing is unsaved afterwards.
    virtual void clear() = 0;
    // Whether a row holds one of the list's records (not a total or a blank row).
    virtual bool isRecordRow(int row) const = 0;
    // The tree's caption of the list as the rows stand.
    virtual QString caption() const = 0;
    // Whether the rows changed since they were filled or last saved.
    bool isModified() const { return m_modified; }
    void setSaved() { m_modified = false; }
    // Rows read from a file that could not be read whole are shown, not edited: a save
    // would write the shortened list over what is left of the file.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

signals:
    // The caption changed with an edit, or the rows were filled anew.
    void captionChanged(const QString& caption);

protected:
    // The flags of an editable cell, less editing and ticking while the rows are read-only.
    Qt::ItemFlags editableFlags(Qt::ItemFlags flags) const;
    // Takes the caption of the rows as they start out, without telling it.
    void startCaption() { m_caption = caption(); }
    // After the rows were filled anew: nothing is unsaved, and the caption is told.
    void rowsFilled();
    // After the user changed the rows: they are unsaved, and a new caption is told.
    void rowsEdited();

private:
    bool m_modified = false;
    bool m_readOnly = false;
    QString m_caption;
};
