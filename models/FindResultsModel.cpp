#include "FindResultsModel.h"

#include <QPoint>

FindResultsModel::FindResultsModel(const DisplayFormats& formats, QObject* parent)
    : QAbstractTableModel(parent), m_formats(formats)
{
}

void FindResultsModel::setMatches(QList<FindMatch> matches)
{
    beginResetModel();
    m_matches = std::move(matches);
    endResetModel();
}

int FindResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_matches.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString FindResultsModel::KindCaption(FindKind kind)
{
    switch (kind) {
    case FindKind::Travel:
        return QStringLiteral("Travel");
    case FindKind::Stage:
        return QStringLiteral("Stage");
    case FindKind::Appointment:
        return QStringLiteral("Appointment");
    case FindKind::CheckListEntry:
        return QStringLiteral("Check list entry");
    case FindKind::Expense:
        return QStringLiteral("Expense");
    }
    return {};
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FindMatch& match = m_matches[index.row()];
    // Texts of several lines show as one.
    const auto oneLine = [](QString text) {
        return text.replace(QLatin1String("\r\n"), QLatin1String(" "))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case Kind:
            return QStringLiteral("%1 (%2)").arg(KindCaption(match.kind), match.field);
        case Title:
            return oneLine(match.title);
        case Date:
            return match.kind == FindKind::Appointment
                       ? m_formats.FormatShortDate(match.date) + QLatin1Char(' ') +
                             m_formats.FormatShortTime(match.date)
                       : m_formats.FormatShortDate(match.date);
        default:
            return oneLine(match.text);
        }
    }
    if (role == MatchRole && index.column() == Text)
        return QPoint(int(match.start), int(match.length));
    return {};
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[ColumnCount] = {"Kind", "Title", "Date", "Found in"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section])
                                                 : QVariant();
}
