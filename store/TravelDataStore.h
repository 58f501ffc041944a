#pragma once

#include "Archive.h"
#include "CheckListTotals.h"
#include "ConflictCopies.h"
#include "CurrencySideFile.h"
#include "DataFolder.h"
#include "DisplayFormats.h"
#include "ExpenseTotals.h"
#include "ImageRecords.h"
#include "Outcome.h"
#include "RecordKeyMaker.h"
#include "Records.h"
#include "SaveFile.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>
#include <map>
#include <set>
#include <unordered_map>

// Where LoadCategories lists the category names: the images view's drop-down list.
class CategoryDropDown {
public:
    virtual ~CategoryDropDown() = default;
    virtual void clear() = 0;
    virtual void append(const QString& name, int categoryNumber) = 0;
};

// The picture links of a travel's categories: category c owns the keys c * 1000,
// c * 1000 + 1, ... up to the first key that is missing.
using LinkKey = qint64;
using ImageLinkMap = QMap<LinkKey, ImageLink>;
constexpr LinkKey LinksPerCategory = 1000;
// The keys of a category's links in order: from c * 1000 up to the first missing key, and
// never past the category's own last slot, c * 1000 + 999: the next key is another
// category's first.
QList<LinkKey> CategoryLinkKeys(const ImageLinkMap& links, int category);

// A record file that could not be read whole, and why. The file itself is left alone.
struct LoadProblem {
    QString fileName;
    QString cause;

    bool operator==(const LoadProblem&) const = default;
};

// What TravelDataStore::CopyLegacyPictures did.
struct LegacyPictures {
    QString from;            // the folder copied from; empty when there was nothing to copy
    int copied = 0;          // travels whose category file was copied
    int failed = 0;          // travels whose category file could not be copied
    QList<FileError> errors; // why, one for each file (or for the folders)

    // "Copied the pictures of 3 travels from FOLDER into this working directory", or
    // empty when nothing was copied.
    QString copiedMessage() const;
    // What could not be copied and why, or empty when nothing failed.
    QString failureMessage() const;
};

// The planner's records in memory and all file work on them. Travels and stages are
// held in maps keyed by their keys; appointments, check lists, expenses and preference
// lists live only in their files and are read and written whole on each request.
// Every change is written to its file first and to memory second, so a failed save
// leaves memory as it was. Callers always receive copies.
class TravelDataStore {
public:
    using Clock = RecordKeyMaker::Clock;

    TravelDataStore() = default;

    // The folder the data folder lives in. Takes effect at the next Refresh. The images
    // folder becomes the working directory's own (DataFolder::imagesFolderPath).
    void setWorkingDirectory(const QString& workingDirectory);
    const DataFolder& dataFolder() const { return m_folder; }
    // Where picture-category files live, for tests and tools that keep them elsewhere
    // (until the working directory is set again); empty means there are none.
    void setImagesFolder(const QString& imagesFolder) { m_imagesFolder = imagesFolder; }
    const QString& imagesFolder() const { return m_imagesFolder; }
    // The formats of the captions; the system locale's until set.
    // The home currency read at Refresh (or set) stays.
    void setDisplayFormats(const DisplayFormats& formats);
    const DisplayFormats& displayFormats() const { return m_formats; }
    // The clock that new keys are made from: the local system clock unless set. Keys
    // never wait for it; tests give a clock that stands still until they move it.
    void setClock(Clock now) { m_keys.setClock(std::move(now)); }
    QDateTime now() const { return m_keys.now(); }

    // Told the key of each travel whose files this store writes or removes (its own,
    // its stages', their appointments', its lists'), whether or not the change worked;
    // an empty key after Refresh: any travel may have changed.
    using ChangeObserver = std::function<void(const RecordKey& travelKey)>;
    void setChangeObserver(ChangeObserver observer) { m_changeObserver = std::move(observer); }

    // Creates the data folder if missing, writes the default preference lists into a
    // folder without any, reads the home currency (as LoadTravels does too) and every
    // travel and stage file. Files that cannot be
    // read whole are skipped and listed in problems(). Fails when the data folder
    // cannot be created or the defaults cannot be written.
    Outcome Refresh();
    void LoadTravels();
    void LoadStages();
    // When this store last wrote or removed a file (milliseconds since the epoch), so
    // that a folder watcher can tell the program's own changes from others'.
    qint64 lastChangeMsecs() const { return m_lastChangeMsecs; }
    // Files skipped or read only in part since the last Refresh, by file name.
    QList<LoadProblem> problems() const;
    // The conflict copies a sync engine left in the data folder, as the last Refresh
    // found them, by the record file they are versions of (newest copy first). A copy
    // is never read while its record file is there; where the record file is gone, the
    // newest copy is read in its place, and readFromCopy names it.
    const QMap<QString, QList<ConflictCopy>>& conflictCopies() const { return m_conflicts; }
    // The copy read in place of a record file (or list file), or empty.
    QString readFromCopy(const QString& recordName) const
    {
        return m_readFromCopy.value(recordName);
    }

    // Travels
    // Gives the travel a new key, taken so that no other process can take it too, and
    // saves it. On failure the outcome's key is empty and no file stays behind.
    KeyOutcome AddTravel(TravelRecord travel);
    // A travel this store read is saved only while its file is there and, unless told
    // to overwrite, holds what was read: the outcome refuses with OwnerGone when another
    // program removed it and with ChangedOutside when another program replaced it.
    enum class TravelWrite { Checked, Overwrite };
    Outcome SaveTravel(const TravelRecord& travel, TravelWrite write = TravelWrite::Checked);
    // A copy of the travel, or a new record with an empty key when there is none.
    TravelRecord GetTravel(const RecordKey& key) const;
    bool HasTravel(const RecordKey& key) const;
    // Every travel key, ascending.
    QList<RecordKey> TravelKeys() const;
    // Travels whose start falls in the month and year of the given value, by start.
    QList<RecordKey> TravelsStartingIn(const DateTimeValue& month) const;
    // The same travels in map order, for views that sort their rows themselves.
    QList<RecordKey> TravelsStartingInUnsorted(const DateTimeValue& month) const;
    Outcome DeleteTravel(const RecordKey& key);
    // A copy that fails part way is removed again: the outcome names the failure, and
    // the original is never touched.
    KeyOutcome CopyTravel(const RecordKey& key);

    // Every save of what belongs to a travel (its lists, stages, appointments, picture
    // categories) first makes sure the travel's file, and for appointments the stage's,
    // is still there; when another program removed it, nothing is written and the
    // outcome refuses with OwnerGone.
    Outcome requireTravel(const RecordKey& travelKey) const;
    Outcome requireStage(const RecordKey& stageKey) const;

    // The cause when the record file of that name could not be read whole at its last
    // reading; empty when it was read whole or is not there.
    QString damageOf(const QString& fileName) const { return m_problems.value(fileName); }
    // Keeps a data file that could not be read whole beside it, as "<name>.damaged" (or
    // "<name>.damaged-2", ...: an earlier one is never overwritten), before what could
    // be read of it is saved over it.
    Outcome KeepDamagedCopy(const QString& fileName);

    // Stages
    // The stage's key is its travel key followed by a new record key, taken as above.
    KeyOutcome AddStage(StageRecord stage);
    // Stages with their appointments, added as AddStage and SaveAppointments would add
    // them one after the other, but with the disk asked to keep all their files at once.
    // One outcome per stage, in their order, up to the first that failed.
    struct NewStage {
        StageRecord stage;
        QList<AppointmentRecord> appointments;
    };
    QList<KeyOutcome> AddStages(QList<NewStage> stages);
    Outcome SaveStage(const StageRecord& stage);
    StageRecord GetStage(const RecordKey& key) const;
    int CountStages(const RecordKey& travelKey) const;
    QList<RecordKey> StagesOf(const RecordKey& travelKey) const;
    QList<RecordKey> StagesOfUnsorted(const RecordKey& travelKey) const;
    Outcome DeleteStage(const RecordKey& key);
    Outcome DeleteStagesOf(const RecordKey& travelKey);
    Outcome CopyStages(const RecordKey& oldTravelKey, const RecordKey& newTravelKey);

    // Appointments of a stage
    QList<AppointmentRecord> LoadAppointments(const RecordKey& stageKey);
    Outcome SaveAppointments(const RecordKey& stageKey, const QList<AppointmentRecord>& items);
    int CountAppointments(const RecordKey& stageKey);
    Outcome CopyAppointments(const RecordKey& oldStageKey, const RecordKey& newStageKey);

    // Check list and expenses of a travel
    QList<CheckListItem> LoadCheckList(const RecordKey& travelKey);
    enum class CheckedValues { ZeroOrOne, AsGiven };
    // Checked states are written as 0 or 1, or as given when restoring stored values.
    Outcome SaveCheckList(const RecordKey& travelKey, const QList<CheckListItem>& items,
                          CheckedValues values = CheckedValues::ZeroOrOne);
    CheckListCount CountCheckList(const RecordKey& travelKey);
    // "Check List", or "Check List [checked/total]" when the list has items.
    QString CheckListCaption(const RecordKey& travelKey);
    Outcome CopyCheckList(const RecordKey& oldTravelKey, const RecordKey& newTravelKey);
    QList<ExpenseRecord> LoadExpenses(const RecordKey& travelKey);
    // Each line's total is written rounded to the currency's minor unit.
    Outcome SaveExpenses(const RecordKey& travelKey, const QList<ExpenseRecord>& lines);
    // The sum adds the purchased lines' rounded totals (ExpenseTotals).
    ExpenseCount CountExpenses(const RecordKey& travelKey);
    // "Expense List", or "Expenses [purchased/total] - " and the purchased sum.
    QString ExpensesCaption(const RecordKey& travelKey);
    Outcome CopyExpenses(const RecordKey& oldTravelKey, const RecordKey& newTravelKey);

    // Currencies. Expenses load with the foreign price of each line whose entry in the
    // travel's side file still names it, and save it there; the expense file holds the
    // home amounts as before. Entries that no longer name their line are kept aside,
    // never applied: what the last LoadExpenses set aside, with the reason.
    QList<CurrencyEntry> SetAsideCurrencies(const RecordKey& travelKey) const
    {
        return m_setAsideCurrencies.value(travelKey);
    }
    // The working directory's home currency: the locale's until one is set.
    QString HomeCurrency() const { return m_formats.currencyCode(); }
    Outcome SetHomeCurrency(const QString& code);
    // The rate last used for a currency, offered for the next expense in it.
    std::optional<RateQuote> LastRate(const QString& code) const;
    Outcome RememberRate(const QString& code, const RateQuote& quote);
    Outcome CopyCurrencies(const RecordKey& oldTravelKey, const RecordKey& newTravelKey);

    // Picture categories of the travel the images view shows
    // Puts the category in the map under the next number and returns the number.
    int AddCategory(const ImageCategory& category);
    void SetCategory(int number, const ImageCategory& category);
    // The category's links stay in the caller's map but are no longer saved.
    void RemoveCategory(int number);
    QMap<int, ImageCategory> Categories() const { return m_categories; }
    // Reads the travel's picture file: categories numbered 1, 2, ... in file order,
    // their names into the drop-down (when given), their links into the map. A missing
    // file leaves all three empty; a damaged one keeps what was read and is reported.
    void LoadCategories(const RecordKey& travelKey, CategoryDropDown* dropDown,
                        ImageLinkMap& links);
    // Writes every category of the map with its links that are not marked removed.
    Outcome SaveCategories(const RecordKey& travelKey, const ImageLinkMap& links);
    QString imageCategoryFile(const RecordKey& travelKey) const;
    // When the images folder is not there yet, copies the category files of the loaded
    // travels from the per-machine folder of earlier versions (see LegacyImagesFolder)
    // into it, creating it when there is something to copy. The legacy folder is never
    // changed, links are never followed and no file is replaced. Does nothing when the
    // images folder exists.
    LegacyPictures CopyLegacyPictures(const QString& legacyFolder) const;

    // Preference lists 1 to 7
    // Splits the text at each "\n", drops empty items and writes the list.
    Outcome WritePreferenceList(const QString& text, int listNumber);
    QStringList ReadPreferenceList(int listNumber);

private:
    // Tells the change observer about a travel when it goes out of scope, however the
    // operation that made it ends.
    struct ChangeNote {
        const TravelDataStore& store;
        RecordKey travelKey;
        ~ChangeNote()
        {
            if (store.m_changeObserver)
                store.m_changeObserver(travelKey);
        }
    };
    void loadTravelFiles(const QStringList& fileNames);
    void loadStageFiles(const QStringList& fileNames);
    // Reads each file whole and hands it to `decode`, which returns why the record cannot
    // be taken, or nothing; a file unread or refused is noted as a problem and skipped.
    using RecordDecoder = std::function<QString(ArchiveReader& reader, const QString& fileName,
                                                const FileStamp& stamp)>;
    void readRecordFiles(const QStringList& fileNames, const RecordDecoder& decode);
    // Whether a record was read from its own file; one read from a file under another
    // name is noted in `others`, and a conflict copy read in place of a record file that
    // is gone is kept until it is resolved.
    static bool fromOwnFile(const QString& fileName, bool ownName, const RecordKey& key,
                            std::map<RecordKey, QStringList>& others);
    Outcome writeDefaultPreferences();
    // Reads a list file into decode(reader); a missing file leaves the list empty.
    void readListFile(const QString& path, const std::function<bool(ArchiveReader&)>& decode);
    // The list in the file that fileName(key) names; empty when the key is unsafe.
    template <typename T>
    QList<T> loadListFile(const RecordKey& key, QString (*fileName)(const QString&),
                          bool (*decode)(ArchiveReader&, StoredList<T>&));
    template <typename T>
    Outcome copyListFile(const RecordKey& oldKey, const RecordKey& newKey,
                         QString (*fileName)(const QString&),
                         bool (*decode)(ArchiveReader&, StoredList<T>&),
                         QByteArray (*encode)(const StoredList<T>&));
    // Saves a file of the data folder; a problem noted for it is gone once it is saved.
    Outcome writeDataFile(const QString& fileName, const QByteArray& bytes);
    Outcome removeDataFile(const QString& path);
    Outcome unsafeKey(const QString& key) const;
    // Takes the next key of a series (see RecordKeyMaker) that taken() does not reject
    // by giving the record's file, named fileName(key), its whole content(key) while no
    // file of that name exists: no other process can take the same key, and no reader
    // sees an empty record.
    // Adds the stages as one write to the disk; false after a failure, which is the
    // last outcome in *made.
    bool addStageBatch(QList<NewStage> stages, QList<KeyOutcome>& made);
    Outcome markAppointmentsWritten();
    KeyOutcome claimKey(const QString& prefix, int firstCounter,
                        QString (*fileName)(const QString&),
                        const std::function<bool(const RecordKey&)>& taken,
                        const std::function<QByteArray(const RecordKey&)>& content);
    bool travelKeyTaken(const RecordKey& key) const;
    bool stageKeyTaken(const RecordKey& key) const;
    void putStage(const StageRecord& stage);
    void eraseStage(const RecordKey& key);
    Outcome removeOtherFiles(std::map<RecordKey, QStringList>& otherFiles, const RecordKey& key);
    void noteProblem(const QString& fileName, const QString& cause);
    void clearProblem(const QString& fileName);

    ChangeObserver m_changeObserver;
    DataFolder m_folder;
    QString m_imagesFolder;
    RecordKeyMaker m_keys;
    // Hash maps: a folder of many thousand records loads without comparing long keys;
    // where key order shows, the keys are sorted on the way out.
    std::unordered_map<RecordKey, TravelRecord> m_travels;
    std::unordered_map<RecordKey, StageRecord> m_stages;
    // Stage keys of each travel key, in stage-map order.
    std::unordered_map<RecordKey, std::set<RecordKey>> m_stagesByTravel;
    // Files that held a record under another name than its key gives (renamed by a
    // sync tool, or a second file with the same key). A save makes the record's own
    // file the only one; a delete removes them all, so the record cannot come back.
    std::map<RecordKey, QStringList> m_otherTravelFiles;
    std::map<RecordKey, QStringList> m_otherStageFiles;
    // Conflict copies from the last Refresh, and the copies read in place of a record
    // file that is gone (record name to copy name); a save writes the record's own file
    // and leaves the copy alone.
    QMap<QString, QList<ConflictCopy>> m_conflicts;
    QMap<QString, QString> m_readFromCopy;
    // Reads the newest conflict copy of a record file that is not there, or nothing.
    std::optional<QByteArray> readNewestCopy(const QString& folder, const QString& recordName);
    // Whether the record file is gone but the copy read in its place is there.
    bool copyStandsIn(const QString& recordName) const;
    // What each travel's own file held when it was last read or written.
    std::unordered_map<RecordKey, FileStamp> m_travelStamps;
    QMap<QString, QString> m_problems;
    DisplayFormats m_formats;
    CurrencySettings m_currencySettings;
    QMap<RecordKey, QList<CurrencyEntry>> m_setAsideCurrencies;
    void readCurrencySettings();
    Outcome writeCurrencySettings(const CurrencySettings& settings);
    // Gives the lines their foreign prices from the travel's side file; returns the
    // entries set aside.
    QList<CurrencyEntry> applyCurrencies(const RecordKey& travelKey, QList<ExpenseRecord>& lines);
    int m_lastCategoryNumber = 0;
    qint64 m_lastChangeMsecs = 0;
    QMap<int, ImageCategory> m_categories;
};
