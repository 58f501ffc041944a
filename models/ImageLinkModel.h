#pragma once

#include "TravelDataStore.h"

#include <QAbstractListModel>
#include <QList>
#include <QSize>

class PictureLoader;

// The picture links of one travel, and the rows of the category shown: one row per link
// that is not removed, in key order. Category c owns the link keys c * 1000, c * 1000 + 1,
// ... without gaps, so removing a link only marks it; the store leaves marked links out
// when it writes the travel's category file. With a picture loader the rows also answer
// their thumbnails, read at the size set by setThumbnailBound().
class ImageLinkModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role : int {
        TitleRole = Qt::UserRole + 40,
        PathRole,
        LinkKeyRole,
        // The thumbnail read so far (QImage, null while none), and the picture's own size
        // (QSize, invalid while unknown or when it cannot be read).
        ThumbnailRole,
        PictureSizeRole,
    };

    explicit ImageLinkModel(PictureLoader* thumbnails = nullptr, QObject* parent = nullptr);

    // Every link of a travel; no category is shown until showCategory().
    void setLinks(ImageLinkMap links);
    const ImageLinkMap& links() const { return m_links; }
    // Lists the live links of a category; 0 lists none.
    void showCategory(int category);
    int category() const { return m_category; }

    // Adds a link at the end of the category shown and returns its row; -1 when no category
    // is shown or it holds all the links it can.
    int addLink(const QString& picturePath, const QString& displayTitle);
    void changeLink(int row, const QString& picturePath, const QString& displayTitle);
    // Marks the row's link removed and drops the row.
    void removeLink(int row);
    const ImageLink& link(int row) const { return m_links.find(m_rows[row]).value(); }
    LinkKey linkKey(int row) const { return m_rows[row]; }
    // How many consecutive keys a category holds, removed links included.
    int keyCount(int category) const;

    // Where the rows' thumbnails are drawn.
    void setThumbnailBound(QSize bound);
    QSize thumbnailBound() const { return m_thumbnailBound; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void pictureArrived(const QString& path);

    PictureLoader* m_thumbnails;
    ImageLinkMap m_links;
    QList<LinkKey> m_rows;
    int m_category = 0;
    QSize m_thumbnailBound;
};
