#pragma once

#include <QStyledItemDelegate>
#include <QTreeView>

class ImageLinkModel;
class QMenu;

// The image list of the images view: one row of 80 pixels per picture link, with the
// link's title, its picture's thumbnail and its path. The marked row is the selected one.
// A right click opens the list's own menu: Add, Mod and Del on a row, Add elsewhere.
class CImageLinkList : public QTreeView {
    Q_OBJECT

public:
    // The commands of the list's menus.
    enum Command : int { AddImage = 32845, ChangeImage = 32846, RemoveImage = 32847 };
    static constexpr int RowHeight = 80;

    explicit CImageLinkList(QWidget* parent = nullptr);

    void setLinkModel(ImageLinkModel* model);
    ImageLinkModel* linkModel() const { return m_model; }
    // The marked row; -1 for none.
    int markedRow() const;
    // Marks, selects and scrolls to a row; -1 clears the mark.
    void markRow(int row);
    // The width of the one column; the rows' thumbnails are read to fit it.
    void setRowWidth(int width);
    // The menu shown on a row ("Selection") and elsewhere ("NonSelection").
    QMenu* rowMenu() const { return m_rowMenu; }
    QMenu* emptyMenu() const { return m_emptyMenu; }

signals:
    void commandChosen(int command);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMenu* buildMenu(const QString& name, const QList<std::pair<int, QString>>& items);

    ImageLinkModel* m_model = nullptr;
    QMenu* m_rowMenu = nullptr;
    QMenu* m_emptyMenu = nullptr;
};

// Draws a row of the image list: white, a black frame around the marked row and a grey
// line under the others, the title in bold at the top, the path in grey at the bottom and
// the thumbnail, framed, between them.
class ImageLinkDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The band between the title and the path, where the thumbnail goes.
    static QRect ThumbnailArea(const QRect& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
