#include "StageDetailModel.h"

#include "DetailSheetStyle.h"
#include "ListRules.h"
#include "TravelDataStore.h"

#include <numeric>

StageDetailModel::StageDetailModel(const DisplayFormats& formats, QObject* parent)
    : RowOrderModel(parent), m_formats(formats)
{
}

void StageDetailModel::fill(TravelDataStore& store, const RecordKey& stageKey)
{
    setStage(store.GetStage(stageKey), store.LoadAppointments(stageKey));
}

void StageDetailModel::setStage(const StageRecord& stage, QList<AppointmentRecord> appointments)
{
    beginResetModel();
    m_stage = stage;
    m_notes = ListRules::NotesPieces(stage.notes, ListRules::EmptyLines::Keep);
    m_appointments = std::move(appointments);
    m_modified = false;
    endResetModel();
    sortAppointments();
}

void StageDetailModel::clear()
{
    setStage(StageRecord(DateTimeValue{0.0, DateTimeValue::Null}), {});
}

int StageDetailModel::detailRowCount() const
{
    return FixedRowCount + int(std::max<qsizetype>(0, m_notes.size() - 1));
}

bool StageDetailModel::isAppointmentRow(int row) const
{
    return hasAppointmentSection() && row >= firstAppointmentRow() && row < rowCount();
}

const AppointmentRecord& StageDetailModel::appointment(int row) const
{
    Q_ASSERT(isAppointmentRow(row));
    return m_appointments[row - firstAppointmentRow()];
}

AppointmentRecord StageDetailModel::newAppointment() const
{
    AppointmentRecord appointment(m_stage.date);
    appointment.subject = m_stage.title;
    appointment.location = m_stage.place;
    appointment.notes = m_stage.notes;
    return appointment;
}

int StageDetailModel::addAppointment(const AppointmentRecord& appointment)
{
    const int row = hasAppointmentSection() ? rowCount() : firstAppointmentRow();
    beginInsertRows({}, hasAppointmentSection() ? row : detailRowCount(), row);
    m_appointments.append(appointment);
    m_modified = true;
    endInsertRows();
    const QList<int> order = sortAppointments();
    return int(order.indexOf(row));
}

int StageDetailModel::setAppointment(int row, const AppointmentRecord& appointment)
{
    if (!isAppointmentRow(row))
        return row;
    m_appointments[row - firstAppointmentRow()] = appointment;
    m_modified = true;
    emit dataChanged(index(row, Label), index(row, Value));
    const QList<int> order = sortAppointments();
    return int(order.indexOf(row));
}

void StageDetailModel::removeAppointment(int row)
{
    if (!isAppointmentRow(row))
        return;
    if (m_appointments.size() == 1) {
        beginRemoveRows({}, detailRowCount(), row);
        m_appointments.clear();
    } else {
        beginRemoveRows({}, row, row);
        m_appointments.removeAt(row - firstAppointmentRow());
    }
    m_modified = true;
    endRemoveRows();
}

Outcome StageDetailModel::save(TravelDataStore& store)
{
    if (!m_modified || m_stage.key.isEmpty())
        return {};
    Outcome saved = store.SaveAppointments(m_stage.key, m_appointments);
    if (saved.ok())
        setSaved();
    return saved;
}

QList<int> StageDetailModel::sortAppointments()
{
    QList<int> order(rowCount());
    std::iota(order.begin(), order.end(), 0);
    if (m_appointments.size() < 2)
        return order;
    const QList<int> sorted = ListRules::SortedOrder(
        m_appointments, [](const AppointmentRecord& a) { return a.when.isValid(); },
        [](const AppointmentRecord& a, const AppointmentRecord& b) {
            return ListRules::CompareDates(a.when, b.when) < 0;
        });
    const int first = firstAppointmentRow();
    for (int i = 0; i < int(sorted.size()); ++i)
        order[first + i] = first + sorted[i];
    applyRowOrder(order);
    return order;
}

void StageDetailModel::permuteRows(const QList<int>& order)
{
    const int first = firstAppointmentRow();
    QList<AppointmentRecord> sorted;
    sorted.reserve(m_appointments.size());
    for (int row = first; row < int(order.size()); ++row)
        sorted.append(m_appointments[order[row] - first]);
    m_appointments = std::move(sorted);
}

int StageDetailModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return detailRowCount() + (hasAppointmentSection() ? 2 + int(m_appointments.size()) : 0);
}

int StageDetailModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString StageDetailModel::text(int row, int column) const
{
    const bool label = column == Label;
    if (row >= firstAppointmentRow()) {
        const AppointmentRecord& a = m_appointments[row - firstAppointmentRow()];
        if (label)
            return m_formats.FormatShortDate(a.when) + QLatin1Char(' ') +
                   m_formats.FormatShortTime(a.when);
        return a.location.isEmpty() ? a.subject : a.subject + QStringLiteral(" at ") + a.location;
    }
    if (row == detailRowCount() + 1)
        return label ? QStringLiteral("Appointments:") : QString();
    if (row >= detailRowCount())
        return {};
    switch (row) {
    case TitleRow:
        return label ? QString() : m_stage.title;
    case DateRow:
        return label ? QStringLiteral("Date") : m_formats.FormatShortDate(m_stage.date);
    case PlaceRow:
        return label ? QStringLiteral("Place") : m_stage.place;
    default:
        if (row < NotesRow)
            return {};
        if (label)
            return row == NotesRow ? QStringLiteral("Notes") : QString();
        return m_notes.value(row - NotesRow);
    }
}

QVariant StageDetailModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    const bool label = index.column() == Label;
    switch (role) {
    case Qt::DisplayRole:
        return text(row, index.column());
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
