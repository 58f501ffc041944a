#include "ImageLinkList.h"

#include "ControlIds.h"
#include "ImageLinkModel.h"
#include "PictureFit.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int LineHeight = 15;
constexpr int TitleInset = 5;
constexpr int PathInset = 35;
constexpr int FontPixels = 11;

QFont rowFont(const QFont& base, bool bold)
{
    QFont font = base;
    font.setPixelSize(FontPixels);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace

CImageLinkList::CImageLinkList(QWidget* parent) : QTreeView(parent)
{
    WithControlId(this, ImagesViewControl::ImageList);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new ImageLinkDelegate(this));
    verticalScrollBar()->setSingleStep(RowHeight / 4);
    header()->setStretchLastSection(false);
    setAccessibleName(QStringLiteral("Images"));

    m_rowMenu = buildMenu(QStringLiteral("Selection"), {{AddImage, QStringLiteral("&Add")},
                                                        {ChangeImage, QStringLiteral("&Mod")},
                                                        {RemoveImage, QStringLiteral("&Del")}});
    m_emptyMenu = buildMenu(QStringLiteral("NonSelection"), {{AddImage, QStringLiteral("&Add")}});
}

QMenu* CImageLinkList::buildMenu(const QString& name, const QList<std::pair<int, QString>>& items)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(name);
    for (const auto& [command, text] : items) {
        QAction* action = menu->addAction(text);
        // Named, not numbered: the frame takes numbered actions for its own commands, and
        // these numbers mean other commands there.
        action->setObjectName(IdName(ImagesViewControl::ImageList) + QString::number(command));
        action->setData(command);
        connect(action, &QAction::triggered, this,
                [this, command = command] { emit commandChosen(command); });
    }
    return menu;
}

void CImageLinkList::setLinkModel(ImageLinkModel* model)
{
    m_model = model;
    setModel(model);
}

int CImageLinkList::markedRow() const
{
    const QModelIndexList rows =
        selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CImageLinkList::markRow(int row)
{
    if (!model() || !selectionModel())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void CImageLinkList::setRowWidth(int width)
{
    setColumnWidth(0, qMax(0, width));
    if (m_model) {
        const QRect cell(0, 0, qMax(0, width), RowHeight);
        const QSize area = ImageLinkDelegate::ThumbnailArea(cell).size();
        m_model->setThumbnailBound((QSizeF(area) * devicePixelRatioF()).toSize());
    }
}

void CImageLinkList::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint at = event->pos();
    QModelIndex hit;
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard: the marked row's menu, beside that row.
        const int marked = markedRow();
        if (marked >= 0) {
            hit = model()->index(marked, 0);
            at = visualRect(hit).center();
        } else {
            at = QPoint(viewport()->width() / 2, 0);
        }
    } else {
        // The event may come to the list or to its viewport: the screen position tells.
        at = viewport()->mapFromGlobal(event->globalPos());
        hit = indexAt(at);
    }
    if (hit.isValid()) {
        markRow(hit.row());
        viewport()->update();
    }
    QMenu* menu = hit.isValid() ? m_rowMenu : m_emptyMenu;
    menu->popup(viewport()->mapToGlobal(at));
    event->accept();
}

void CImageLinkList::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Delete && markedRow() >= 0) {
            emit commandChosen(RemoveImage);
            return;
        }
        if (event->key() == Qt::Key_Insert) {
            emit commandChosen(AddImage);
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

QRect ImageLinkDelegate::ThumbnailArea(const QRect& cell)
{
    return cell.adjusted(0, LineHeight, 0, -LineHeight);
}

QSize ImageLinkDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), CImageLinkList::RowHeight};
}

void ImageLinkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, Qt::white);
    if (option.state.testFlag(QStyle::State_Selected)) {
        painter->setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
    } else {
        painter->setPen(QColor(0x96, 0x96, 0x96));
        painter->drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    }

    const QString title = index.data(ImageLinkModel::TitleRole).toString();
    const QString path = index.data(ImageLinkModel::PathRole).toString();
    const QRect titleRect(cell.left() + TitleInset, cell.top() + 1, cell.width() - 2 * TitleInset,
                          LineHeight - 1);
    const QFont titleFont = rowFont(option.font, true);
    painter->setFont(titleFont);
    painter->setPen(Qt::black);
    painter->drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      QFontMetrics(titleFont).elidedText(title, Qt::ElideRight, titleRect.width()));

    const QRect pathRect(cell.left() + PathInset, cell.bottom() + 1 - LineHeight,
                         cell.width() - 2 * PathInset, LineHeight);
    const QFont pathFont = rowFont(option.font, false);
    painter->setFont(pathFont);
    painter->setPen(QColor(0xB6, 0xB6, 0xB6));
    painter->drawText(pathRect, Qt::AlignCenter | Qt::TextSingleLine,
                      QFontMetrics(pathFont).elidedText(path, Qt::ElideMiddle, pathRect.width()));

    const QImage thumbnail = index.data(ImageLinkModel::ThumbnailRole).value<QImage>();
    const QSize full = index.data(ImageLinkModel::PictureSizeRole).toSize();
    if (!path.isEmpty() && !thumbnail.isNull() && full.isValid()) {
        const QRect fitted = FitPicture(full, ThumbnailArea(cell));
        painter->setPen(Qt::black);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(fitted.adjusted(-1, -1, 0, 0));
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(fitted, thumbnail);
    }
    painter->restore();
}
