#include "FindIndex.h"

#include "TravelDataStore.h"
#include "WholeTravel.h"

#include <QStringMatcher>

#include <algorithm>
#include <future>
#include <thread>
#include <vector>

namespace {

// The letters whose case folding is more than one letter (Unicode's full folds that
// are left once a text is decomposed): QChar folds only one to one. Null for others.
const char16_t* multiLetterFold(QChar c)
{
    switch (c.unicode()) {
    case 0x00DF: // ß
    case 0x1E9E: // ẞ
        return u"ss";
    case 0x0149: // ŉ
        return u"\u02BCn";
    case 0x0587: // Armenian ech yiwn
        return u"\u0565\u0582";
    case 0x1E9A: // ẚ
        return u"a\u02BE";
    case 0xFB00:
        return u"ff";
    case 0xFB01:
        return u"fi";
    case 0xFB02:
        return u"fl";
    case 0xFB03:
        return u"ffi";
    case 0xFB04:
        return u"ffl";
    case 0xFB05: // long s t
    case 0xFB06:
        return u"st";
    case 0xFB13: // Armenian men now, men ech, men ini, vew now, men xeh
        return u"\u0574\u0576";
    case 0xFB14:
        return u"\u0574\u0565";
    case 0xFB15:
        return u"\u0574\u056B";
    case 0xFB16:
        return u"\u057E\u0576";
    case 0xFB17:
        return u"\u0574\u056D";
    default:
        return nullptr;
    }
}

} // namespace

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
        for (const QChar part : QString(c).normalized(QString::NormalizationForm_D)) {
            if (const char16_t* letters = multiLetterFold(part)) {
                for (; *letters; ++letters) {
                    folded += QChar(*letters);
                    if (positions)
                        positions->append(i);
                }
                continue;
            }
            const QChar lower = part.toCaseFolded();
            if (lower.category() == QChar::Mark_NonSpacing)
                continue;
            folded += lower;
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

namespace {

// Ends each folded text in a travel's run of texts. A match that takes it in would span
// two texts and is passed over.
constexpr QChar separator(0xFFFF);

} // namespace

void FindIndex::add(TravelTexts& texts, const FindMatch& match, const QString& field,
                    const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    FindMatch entry = match;
    entry.field = field;
    entry.text = text;
    texts.matches.append(std::move(entry));
    texts.starts.append(texts.folded.size());
    texts.folded += Fold(text);
    texts.folded += separator;
}

FindIndex::TravelTexts FindIndex::textsOf(const WholeTravel& whole)
{
    TravelTexts texts;
    const TravelRecord& t = whole.travel;
    FindMatch travel{FindKind::Travel, t.key, {}, -1, t.start, t.title, {}, {}, 0, 0};
    const std::pair<const char*, const QString*> travelFields[] = {
        {"title", &t.title},   {"from", &t.from},       {"destination", &t.destination},
        {"mode", &t.mode},     {"type", &t.type},       {"priority", &t.priority},
        {"status", &t.status}, {"ticket", &t.ticketNo}, {"seat", &t.seatNo},
        {"notes", &t.notes}};
    for (const auto& [field, text] : travelFields)
        add(texts, travel, QLatin1String(field), *text);
    for (const StageWithAppointments& part : whole.stages) {
        const StageRecord& s = part.stage;
        const FindMatch stage{FindKind::Stage, t.key, s.key, -1, s.date, s.title, {}, {}, 0, 0};
        add(texts, stage, QStringLiteral("title"), s.title);
        add(texts, stage, QStringLiteral("place"), s.place);
        add(texts, stage, QStringLiteral("notes"), s.notes);
        for (int i = 0; i < int(part.appointments.size()); ++i) {
            const AppointmentRecord& a = part.appointments[i];
            const FindMatch appointment{
                FindKind::Appointment, t.key, s.key, i, a.when, a.subject, {}, {}, 0, 0};
            add(texts, appointment, QStringLiteral("subject"), a.subject);
            add(texts, appointment, QStringLiteral("location"), a.location);
            add(texts, appointment, QStringLiteral("notes"), a.notes);
        }
    }
    for (int i = 0; i < int(whole.checkList.size()); ++i) {
        const QString& text = whole.checkList[i].text;
        add(texts, {FindKind::CheckListEntry, t.key, {}, i, t.start, text, {}, {}, 0, 0},
            QStringLiteral("entry"), text);
    }
    for (int i = 0; i < int(whole.expenses.size()); ++i) {
        const ExpenseRecord& e = whole.expenses[i];
        const FindMatch expense{FindKind::Expense, t.key, {}, i, t.start, e.product, {}, {}, 0, 0};
        add(texts, expense, QStringLiteral("product"), e.product);
        add(texts, expense, QStringLiteral("unit"), e.unit);
    }
    texts.folded.squeeze();
    return texts;
}

void FindIndex::rebuild(TravelDataStore& store)
{
    m_texts.clear();
    m_last.reset();
    m_order = store.TravelKeys();
    for (const RecordKey& key : m_order)
        m_texts.insert(key, textsOf(GatherTravel(store, key)));
}

void FindIndex::updateTravel(TravelDataStore& store, const RecordKey& travelKey)
{
    m_last.reset();
    if (!store.HasTravel(travelKey)) {
        removeTravel(travelKey);
        return;
    }
    if (!m_texts.contains(travelKey)) {
        m_order.insert(std::lower_bound(m_order.begin(), m_order.end(), travelKey), travelKey);
    }
    m_texts.insert(travelKey, textsOf(GatherTravel(store, travelKey)));
}

void FindIndex::removeTravel(const RecordKey& travelKey)
{
    m_last.reset();
    if (m_texts.remove(travelKey) > 0)
        m_order.removeOne(travelKey);
}

int FindIndex::entryCount() const
{
    int count = 0;
    for (const TravelTexts& texts : m_texts)
        count += int(texts.matches.size());
    return count;
}

FindIndex::Scan FindIndex::scan(const QString& wanted, const RecordKey* begin, const RecordKey* end,
                                int limit) const
{
    Scan result;
    // A short text is found by its first character, which the library finds many at a
    // time, most candidates being ruled out by the second; a longer one by skipping
    // ahead by its length where it cannot start (Boyer-Moore).
    const QChar first = wanted.front();
    const QStringMatcher matcher(wanted, Qt::CaseSensitive);
    const bool skips = wanted.size() >= 4;
    const auto indexIn = [&](const QString& folded, qsizetype from) {
        if (skips)
            return matcher.indexIn(QStringView(folded), from);
        for (qsizetype at = from; (at = folded.indexOf(first, at)) >= 0; ++at) {
            if (QStringView(folded).sliced(at).startsWith(wanted))
                return at;
        }
        return qsizetype(-1);
    };
    QList<qsizetype> positions;
    for (const RecordKey* key = begin; key != end; ++key) {
        const auto texts = m_texts.constFind(*key);
        if (texts == m_texts.cend())
            continue;
        const QString& folded = texts->folded;
        const QList<qsizetype>& starts = texts->starts;
        qsizetype from = 0;
        qsizetype at;
        while ((at = indexIn(folded, from)) >= 0) {
            // The text the match starts in, and where the next one starts.
            const auto next = std::upper_bound(starts.cbegin(), starts.cend(), at);
            const qsizetype index = next - starts.cbegin() - 1;
            const qsizetype textEnd = next != starts.cend() ? *next - 1 : folded.size() - 1;
            from = textEnd + 1; // one match per text; the next search starts in the next
            if (at + wanted.size() > textEnd)
                continue; // runs into the separator: not in this text
            FindMatch match = texts->matches[index];
            // Where the match is in the text as written, through its folding.
            Fold(match.text, &positions);
            const qsizetype start = at - starts[index];
            match.start = positions.value(start);
            match.length = positions.value(start + wanted.size() - 1) - match.start + 1;
            result.matches.append(std::move(match));
            if (result.travels.isEmpty() || result.travels.constLast() != *key)
                result.travels.append(*key);
            if (int(result.matches.size()) >= limit)
                return result; // there may be more
        }
    }
    return result;
}

QList<FindMatch> FindIndex::find(const QString& text, int limit) const
{
    const QString wanted = Fold(text.trimmed());
    if (wanted.isEmpty() || limit <= 0)
        return {};
    const bool narrower = m_last && wanted.contains(m_last->wanted);
    const QList<RecordKey> order = narrower ? m_last->travels : m_order;
    // A large folder is searched in as many parts at once as the machine has cores; the
    // parts' matches are joined in key order.
    const int parts =
        order.size() < 1000 ? 1 : std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    std::vector<std::future<Scan>> running;
    const RecordKey* keys = order.constData();
    for (int part = 0; part < parts; ++part) {
        const RecordKey* begin = keys + order.size() * part / parts;
        const RecordKey* end = keys + order.size() * (part + 1) / parts;
        running.push_back(std::async(part == 0 ? std::launch::deferred : std::launch::async,
                                     [=, this] { return scan(wanted, begin, end, limit); }));
    }
    QList<FindMatch> matches;
    QList<RecordKey> found;
    bool complete = true;
    for (std::future<Scan>& part : running) {
        Scan result = part.get();
        if (!complete)
            continue; // every part is waited for: they read this index
        for (FindMatch& match : result.matches) {
            if (int(matches.size()) >= limit) {
                complete = false;
                break;
            }
            matches.append(std::move(match));
        }
        found += result.travels;
        complete = complete && int(matches.size()) < limit;
    }
    // A search that found every match narrows the next; one cut short by its limit
    // leaves the last complete one in place.
    if (complete)
        m_last = LastSearch{wanted, std::move(found)};
    return matches;
}
