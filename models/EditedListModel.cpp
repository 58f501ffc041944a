#include "EditedListModel.h"

void EditedListModel::rowsFilled()
{
    m_modified = false;
    m_caption = caption();
    emit captionChanged(m_caption);
}

void EditedListModel::rowsEdited()
{
    m_modified = true;
    const QString now = caption();
    if (now != m_caption) {
        m_caption = now;
        emit captionChanged(m_caption);
    }
}

void EditedListModel::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

Qt::ItemFlags EditedListModel::editableFlags(Qt::ItemFlags flags) const
{
    if (m_readOnly)
        flags &= ~(Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    return flags;
}
