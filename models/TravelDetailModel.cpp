#include "TravelDetailModel.h"

#include "DetailSheetStyle.h"
#include "ListRules.h"

namespace {

// Several labels end in a blank and some do not, as the sheet has always shown them.
const char* const labels[TravelDetailModel::FixedRowCount] = {
    "",      "",         "",      "From ",    "Destination ", "Start Date", "End Date ",
    "Mode ", "Priority", "Type ", "Seat No ", "Ticket No",    "Status ",    "Notes "};

} // namespace

TravelDetailModel::TravelDetailModel(const DisplayFormats& formats, QObject* parent)
    : QAbstractTableModel(parent), m_formats(formats)
{
}

void TravelDetailModel::setTravel(const TravelRecord& travel)
{
    beginResetModel();
    m_travel = travel;
    m_notes = ListRules::NotesPieces(travel.notes);
    endResetModel();
}

int TravelDetailModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return FixedRowCount + int(std::max<qsizetype>(0, m_notes.size() - 1));
}

int TravelDetailModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TravelDetailModel::value(int row) const
{
    const TravelRecord& t = m_travel;
    switch (row) {
    case TitleRow:
        return t.title;
    case FromRow:
        return t.from;
    case DestinationRow:
        return t.destination;
    case StartRow:
        return m_formats.FormatShortDate(t.start);
    case EndRow:
        return m_formats.FormatShortDate(t.end);
    case ModeRow:
        return t.mode;
    case PriorityRow:
        return t.priority;
    case TypeRow:
        return t.type;
    case SeatRow:
        return t.seatNo;
    case TicketRow:
        return t.ticketNo;
    case StatusRow:
        return t.status;
    default:
        return row >= NotesRow ? m_notes.value(row - NotesRow) : QString();
    }
}

QVariant TravelDetailModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const bool label = index.column() == Label;
    switch (role) {
    case Qt::DisplayRole:
        if (label)
            return row < FixedRowCount ? QString::fromLatin1(labels[row]) : QString();
        return value(row);
    case Qt::FontRole:
        return DetailSheetStyle::Font(label, row == TitleRow);
    case Qt::ForegroundRole:
        return DetailSheetStyle::TextColour(label);
    case DetailSheetStyle::HeadingRole:
        return row == TitleRow && !label;
    default:
        return {};
    }
}
