#include "ImageLinkModel.h"

#include "ModelRoles.h"
#include "PictureLoader.h"

ImageLinkModel::ImageLinkModel(PictureLoader* thumbnails, QObject* parent)
    : QAbstractListModel(parent), m_thumbnails(thumbnails)
{
    if (m_thumbnails)
        connect(m_thumbnails, &PictureLoader::pictureReady, this, &ImageLinkModel::pictureArrived);
}

void ImageLinkModel::setLinks(ImageLinkMap links)
{
    beginResetModel();
    m_links = std::move(links);
    m_rows.clear();
    m_category = 0;
    endResetModel();
}

void ImageLinkModel::showCategory(int category)
{
    beginResetModel();
    m_category = qMax(0, category);
    m_rows.clear();
    if (m_category > 0) {
        for (LinkKey key : CategoryLinkKeys(m_links, m_category)) {
            if (m_links.value(key).removed == 0)
                m_rows.append(key);
        }
    }
    endResetModel();
}

int ImageLinkModel::keyCount(int category) const
{
    return int(CategoryLinkKeys(m_links, category).size());
}

int ImageLinkModel::addLink(const QString& picturePath, const QString& displayTitle)
{
    if (m_category <= 0)
        return -1;
    const int used = keyCount(m_category);
    if (used >= LinksPerCategory)
        return -1;
    ImageLink link;
    link.picturePath = picturePath;
    link.displayTitle = displayTitle;
    const LinkKey key = LinkKey(m_category) * LinksPerCategory + used;
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_links.insert(key, link);
    m_rows.append(key);
    endInsertRows();
    return row;
}

void ImageLinkModel::changeLink(int row, const QString& picturePath, const QString& displayTitle)
{
    if (row < 0 || row >= m_rows.size())
        return;
    ImageLink& link = m_links[m_rows[row]];
    link.picturePath = picturePath;
    link.displayTitle = displayTitle;
    emit dataChanged(index(row), index(row));
}

void ImageLinkModel::removeLink(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_links[m_rows[row]].removed = 1;
    m_rows.removeAt(row);
    endRemoveRows();
}

void ImageLinkModel::setThumbnailBound(QSize bound)
{
    if (bound == m_thumbnailBound)
        return;
    m_thumbnailBound = bound;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1), {ThumbnailRole});
}

int ImageLinkModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ImageLinkModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ImageLink& shown = link(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString(shown.displayTitle + QLatin1Char('\n') + shown.picturePath);
    case Qt::ToolTipRole:
        return shown.picturePath;
    case TitleRole:
        return shown.displayTitle;
    case PathRole:
        return shown.picturePath;
    case LinkKeyRole:
    case ModelRole::Key:
        return m_rows[index.row()];
    case ThumbnailRole:
    case PictureSizeRole: {
        if (!m_thumbnails || m_thumbnailBound.isEmpty())
            return {};
        const auto picture = m_thumbnails->picture(shown.picturePath, m_thumbnailBound);
        if (role == ThumbnailRole)
            return picture.image;
        return picture.failed ? QSize() : picture.fullSize;
    }
    default:
        return {};
    }
}

void ImageLinkModel::pictureArrived(const QString& path)
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_links.value(m_rows[row]).picturePath == path)
            emit dataChanged(index(row), index(row), {ThumbnailRole, PictureSizeRole});
    }
}
