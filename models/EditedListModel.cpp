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
