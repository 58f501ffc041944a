#pragma once

#include "RecordKey.h"
#include "Records.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class TravelDataStore;
struct WholeTravel;

// What kind of record a match is in.
enum class FindKind { Travel, Stage, Appointment, CheckListEntry, Expense };

// One text of a record that holds what was looked for.
struct FindMatch {
    FindKind kind = FindKind::Travel;
    RecordKey travelKey;
    RecordKey stageKey;   // of a stage or an appointment
    int item = -1;        // the appointment, check-list entry or expense, in file order
    DateTimeValue date;   // of the travel, stage or appointment; the travel's for list items
    QString title;        // the record's own title (subject, entry text, product)
    QString field;        // "title", "notes", "place" ...
    QString text;         // the whole text of that field
    qsizetype start = 0;  // where the match is in the text
    qsizetype length = 0; // and how long it is there
};

// Every text of every travel, stage, appointment, check-list entry and expense of a
// data folder, kept so that a search answers without reading a file. Searches ignore
// case and accents ("zurich" finds "Zürich", "strasse" finds "Straße"). Travels are brought up to
// date one by one as they change.
class FindIndex {
public:
    // Reads every travel of the store.
    void rebuild(TravelDataStore& store);
    // Reads one travel again, or drops it when the store no longer has it.
    void updateTravel(TravelDataStore& store, const RecordKey& travelKey);
    void removeTravel(const RecordKey& travelKey);

    // Matches in travel-key order, at most `limit` of them. A text that holds the one
    // searched for before (the user typed on) is looked for only in the travels that
    // matched then, when that search found every match.
    QList<FindMatch> find(const QString& text, int limit = 1000) const;
    int entryCount() const;

    // The form texts are compared in: decomposed, without accents, case folded in full
    // ("Straße" reads "strasse", "ﬁ" "fi"). The positions map each unit of the folded
    // text back to the original's.
    static QString Fold(const QString& text, QList<qsizetype>* positions = nullptr);
    // "travel", "stage", "appointment", "checklist", "expense".
    static QString KindName(FindKind kind);

private:
    // The texts of one travel's records. Their folded forms are kept end to end in one
    // text, so that a search runs over each travel in one pass.
    struct TravelTexts {
        QList<FindMatch> matches; // one per text, without start and length
        QString folded;           // every folded text, each followed by a separator
        QList<qsizetype> starts;  // where each text starts in `folded`
    };
    static void add(TravelTexts& texts, const FindMatch& match, const QString& field,
                    const QString& text);
    static TravelTexts textsOf(const WholeTravel& travel);
    // The matches in the travels from begin to end, at most `limit` of them, and the
    // travels they are in.
    struct Scan {
        QList<FindMatch> matches;
        QList<RecordKey> travels;
    };
    Scan scan(const QString& wanted, const RecordKey* begin, const RecordKey* end, int limit) const;

    QHash<RecordKey, TravelTexts> m_texts;
    QList<RecordKey> m_order; // travel keys, ascending

    // The last search that found every match, and the travels it found them in, in
    // key order; forgotten whenever a travel changes.
    struct LastSearch {
        QString wanted;
        QList<RecordKey> travels;
    };
    mutable std::optional<LastSearch> m_last;
};
