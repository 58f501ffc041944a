#include "FindIndex.h"

#include "TravelDataStore.h"
#include "WholeTravel.h"

#include <algorithm>

QString FindIndex::Fold(const QString& text, QList<qsizetype>* positions)
{
    QString folded;
    folded.reserve(text.size());
    if (positions) {
        positions->clear();
        positions->reserve(text.size());
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            folded += c.toLower();
            if (positions)
                positions->append(i);
            continue;
        }
        for (const QChar part :
             QString(c).normalized(QString::NormalizationForm_D).toCaseFolded()) {
            if (part.category() == QChar::Mark_NonSpacing)
                continue;
            folded += part;
            if (positions)
                positions->append(i);
        }
    }
    return folded;
}

QString FindIndex::KindName(FindKind kind)
{
    switch (kind) {
    case FindKind::Travel:
        return QStringLiteral("travel");
    case FindKind::Stage:
        return QStringLiteral("stage");
    case FindKind::Appointment:
        return QStringLiteral("appointment");
    case FindKind::CheckListEntry:
        return QStringLiteral("checklist");
    case FindKind::Expense:
        return QStringLiteral("expense");
    }
    return {};
}

void FindIndex::add(QList<Entry>& entries, const FindMatch& match, const QString& field,
                    const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    Entry entry{match, {}, {}};
    entry.match.field = field;
    entry.match.text = text;
    entry.folded = Fold(text, &entry.positions);
    entries.append(std::move(entry));
}

QList<FindIndex::Entry> FindIndex::entriesOf(const WholeTravel& whole)
{
    QList<Entry> entries;
    const TravelRecord& t = whole.travel;
    FindMatch travel{FindKind::Travel, t.key, {}, -1, t.start, t.title, {}, {}, 0, 0};
    const std::pair<const char*, const QString*> travelFields[] = {
        {"title", &t.title},   {"from", &t.from},       {"destination", &t.destination},
        {"mode", &t.mode},     {"type", &t.type},       {"priority", &t.priority},
        {"status", &t.status}, {"ticket", &t.ticketNo}, {"seat", &t.seatNo},
        {"notes", &t.notes}};
    for (const auto& [field, text] : travelFields)
        add(entries, travel, QLatin1String(field), *text);
    for (const StageWithAppointments& part : whole.stages) {
        const StageRecord& s = part.stage;
        const FindMatch stage{FindKind::Stage, t.key, s.key, -1, s.date, s.title, {}, {}, 0, 0};
        add(entries, stage, QStringLiteral("title"), s.title);
        add(entries, stage, QStringLiteral("place"), s.place);
        add(entries, stage, QStringLiteral("notes"), s.notes);
        for (int i = 0; i < int(part.appointments.size()); ++i) {
            const AppointmentRecord& a = part.appointments[i];
            const FindMatch appointment{
                FindKind::Appointment, t.key, s.key, i, a.when, a.subject, {}, {}, 0, 0};
            add(entries, appointment, QStringLiteral("subject"), a.subject);
            add(entries, appointment, QStringLiteral("location"), a.location);
            add(entries, appointment, QStringLiteral("notes"), a.notes);
        }
    }
    for (int i = 0; i < int(whole.checkList.size()); ++i) {
        const QString& text = whole.checkList[i].text;
        add(entries, {FindKind::CheckListEntry, t.key, {}, i, t.start, text, {}, {}, 0, 0},
            QStringLiteral("entry"), text);
    }
    for (int i = 0; i < int(whole.expenses.size()); ++i) {
        const ExpenseRecord& e = whole.expenses[i];
        const FindMatch expense{FindKind::Expense, t.key, {}, i, t.start, e.product, {}, {}, 0, 0};
        add(entries, expense, QStringLiteral("product"), e.product);
        add(entries, expense, QStringLiteral("unit"), e.unit);
    }
    return entries;
}

void FindIndex::rebuild(TravelDataStore& store)
{
    m_entries.clear();
    m_order = store.TravelKeys();
    for (const RecordKey& key : m_order)
        m_entries.insert(key, entriesOf(GatherTravel(store, key)));
}

void FindIndex::updateTravel(TravelDataStore& store, const RecordKey& travelKey)
{
    if (!store.HasTravel(travelKey)) {
        removeTravel(travelKey);
        return;
    }
    if (!m_entries.contains(travelKey)) {
        m_order.insert(std::lower_bound(m_order.begin(), m_order.end(), travelKey), travelKey);
    }
    m_entries.insert(travelKey, entriesOf(GatherTravel(store, travelKey)));
}

void FindIndex::removeTravel(const RecordKey& travelKey)
{
    if (m_entries.remove(travelKey) > 0)
        m_order.removeOne(travelKey);
}

int FindIndex::entryCount() const
{
    int count = 0;
    for (const QList<Entry>& entries : m_entries)
        count += int(entries.size());
    return count;
}

QList<FindMatch> FindIndex::find(const QString& text, int limit) const
{
    QList<FindMatch> matches;
    const QString wanted = Fold(text.trimmed());
    if (wanted.isEmpty())
        return matches;
    for (const RecordKey& key : m_order) {
        for (const Entry& entry : m_entries.value(key)) {
            const qsizetype at = entry.folded.indexOf(wanted);
            if (at < 0)
                continue;
            FindMatch match = entry.match;
            const qsizetype end = at + wanted.size() - 1;
            match.start = entry.positions.value(at);
            match.length = entry.positions.value(end) - match.start + 1;
            matches.append(std::move(match));
            if (int(matches.size()) >= limit)
                return matches;
        }
    }
    return matches;
}
