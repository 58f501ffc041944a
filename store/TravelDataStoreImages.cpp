#include "TravelDataStore.h"

#include "RecordCodec.h"
#include "SaveFile.h"

#include <QDir>
#include <QFileInfo>

QList<LinkKey> CategoryLinkKeys(const ImageLinkMap& links, int category)
{
    QList<LinkKey> keys;
    const LinkKey first = LinkKey(category) * LinksPerCategory;
    for (LinkKey key = first; key < first + LinksPerCategory && links.contains(key); ++key)
        keys.append(key);
    return keys;
}

int TravelDataStore::AddCategory(const ImageCategory& category)
{
    ++m_lastCategoryNumber;
    m_categories.insert(m_lastCategoryNumber, category);
    return m_lastCategoryNumber;
}

void TravelDataStore::SetCategory(int number, const ImageCategory& category)
{
    m_categories.insert(number, category);
}

void TravelDataStore::RemoveCategory(int number)
{
    m_categories.remove(number);
}

QString TravelDataStore::imageCategoryFile(const RecordKey& travelKey) const
{
    return QDir(m_imagesFolder).filePath(DataFolder::imageCategoryFileName(travelKey));
}

void TravelDataStore::LoadCategories(const RecordKey& travelKey, CategoryDropDown* dropDown,
                                     ImageLinkMap& links)
{
    if (dropDown)
        dropDown->clear();
    m_categories.clear();
    links.clear();
    if (!IsSafeKey(travelKey) || m_imagesFolder.isEmpty())
        return;
    QList<StoredImageCategory> stored;
    const QString path = imageCategoryFile(travelKey);
    readListFile(path, [&](ArchiveReader& reader) {
        return RecordCodec::decodeImageCategories(reader, stored);
    });
    int number = 0;
    for (const StoredImageCategory& category : stored) {
        ++number;
        ImageCategory loaded = category.category;
        // A category keeps at most as many links as its key range holds.
        const qsizetype kept = qMin<qsizetype>(category.links.size(), LinksPerCategory);
        if (kept < category.links.size()) {
            noteProblem(QFileInfo(path).fileName(),
                        QStringLiteral("category %1 holds more than %2 pictures; the rest were "
                                       "not loaded")
                            .arg(number)
                            .arg(LinksPerCategory));
        }
        loaded.imageCount = qint32(kept);
        m_categories.insert(number, loaded);
        m_lastCategoryNumber = number;
        if (dropDown)
            dropDown->append(loaded.name, number);
        for (qsizetype i = 0; i < kept; ++i) {
            ImageLink link = category.links[i];
            link.removed = 0;
            links.insert(LinkKey(number) * LinksPerCategory + i, link);
        }
    }
}

Outcome TravelDataStore::SaveCategories(const RecordKey& travelKey, const ImageLinkMap& links)
{
    const QString path = imageCategoryFile(travelKey);
    if (!IsSafeKey(travelKey))
        return Outcome::failure(path, UnsafeKeyCause(travelKey));
    if (m_imagesFolder.isEmpty())
        return Outcome::failure(path, QStringLiteral("no folder for pictures is set"));
    if (Outcome there = requireTravel(travelKey); !there.ok())
        return there;
    QDir().mkpath(m_imagesFolder);
    QList<StoredImageCategory> stored;
    for (auto it = m_categories.cbegin(); it != m_categories.cend(); ++it) {
        StoredImageCategory category{it.value(), {}};
        for (LinkKey key : CategoryLinkKeys(links, it.key()))
            category.links.append(links.value(key));
        stored.append(category);
    }
    Outcome outcome = SaveRecordFile(path, RecordCodec::encodeImageCategories(stored));
    if (outcome.ok())
        clearProblem(QFileInfo(path).fileName());
    return outcome;
}

namespace {

QString travels(int count)
{
    return count == 1 ? QStringLiteral("1 travel") : QStringLiteral("%1 travels").arg(count);
}

} // namespace

QString LegacyPictures::copiedMessage() const
{
    if (copied == 0)
        return {};
    return QStringLiteral("Copied the pictures of %1 from %2 into this working directory")
        .arg(travels(copied), QDir::toNativeSeparators(from));
}

QString LegacyPictures::failureMessage() const
{
    if (errors.isEmpty())
        return {};
    QStringList reasons;
    for (const FileError& error : errors)
        reasons.append(error.message());
    const QString what =
        failed > 0 ? QStringLiteral("The pictures of %1 could not be copied").arg(travels(failed))
                   : QStringLiteral("No pictures were copied");
    return QStringLiteral("%1 from %2 into this working directory: %3")
        .arg(what, QDir::toNativeSeparators(from), reasons.join(QLatin1String("; ")));
}

LegacyPictures TravelDataStore::CopyLegacyPictures(const QString& legacyFolder) const
{
    LegacyPictures result;
    const QString& own = m_imagesFolder;
    const QFileInfo ownInfo(own);
    if (own.isEmpty() || legacyFolder.isEmpty() || ownInfo.exists() || ownInfo.isSymLink())
        return result;
    const QFileInfo legacy(legacyFolder);
    const QDir from(legacyFolder);
    QStringList names;
    if (legacy.isSymLink()) {
        // What it names is not looked into: the pictures of every travel stay behind.
        result.errors.append(
            FileError{legacyFolder, QStringLiteral("a link, not a folder; nothing was copied")});
    } else if (legacy.isDir()) {
        for (const RecordKey& key : TravelKeys()) {
            const QString name = DataFolder::imageCategoryFileName(key);
            const QFileInfo file(from.filePath(name));
            if (file.exists() || file.isSymLink())
                names.append(name);
        }
    }
    if (names.isEmpty() && result.errors.isEmpty())
        return result;
    result.from = legacyFolder;
    if (!result.errors.isEmpty())
        return result;
    if (const Outcome created = CreateFolder(own); !created.ok()) {
        result.failed = int(names.size());
        result.errors.append(created.error());
        return result;
    }
    const QDir to(own);
    for (const QString& name : names) {
        const QString target = to.filePath(name);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue; // saved here since the folder was made: the newer one stays
        const QString source = from.filePath(name);
        QString reason;
        std::optional<QByteArray> bytes;
        if (QFileInfo(source).isSymLink())
            reason = QStringLiteral("a link, not a file"); // what it names is never read
        else
            bytes = ReadWholeFile(source, &reason);
        Outcome saved = bytes ? SaveRecordFile(target, *bytes) : Outcome::failure(source, reason);
        if (saved.ok()) {
            ++result.copied;
        } else {
            ++result.failed;
            result.errors.append(saved.error());
        }
    }
    return result;
}
