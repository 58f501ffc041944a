#include "ConflictCopies.h"

#include "FolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct Pattern {
    const char* engine;
    QRegularExpression expression; // named groups: stem, ext, date, time; or record
};

QDateTime parseWhen(const QString& date, const QString& time)
{
    const QString digits = QString(date).remove(QLatin1Char('-'));
    const QDate day = QDate::fromString(digits, QStringLiteral("yyyyMMdd"));
    if (!day.isValid())
        return {};
    const QTime at = time.isEmpty() ? QTime(0, 0)
                                    : QTime::fromString(QString(time).remove(QLatin1Char(':')),
                                                        QStringLiteral("HHmmss"));
    return QDateTime(day, at.isValid() ? at : QTime(0, 0));
}

const QList<Pattern>& patterns()
{
    static const QList<Pattern> list = [] {
        const auto re = [](const char* text) {
            return QRegularExpression(QLatin1String(text),
                                      QRegularExpression::CaseInsensitiveOption);
        };
        return QList<Pattern>{
            {"Syncthing", re(R"(^(?<stem>.+)\.sync-conflict-(?<date>\d{8})-(?<time>\d{6})-)"
                             R"([A-Z0-9]{7}(?<ext>\.[^.]*)?$)")},
            {"Nextcloud", re(R"(^(?<stem>.+) \(conflicted copy (?:.* )?(?<date>\d{4}-\d{2}-\d{2}) )"
                             R"((?<time>\d{6})\)(?<ext>\.[^.]*)?$)")},
            {"Dropbox", re(R"(^(?<stem>.+) \(.+['’]s conflicted copy (?<date>\d{4}-\d{2}-\d{2}))"
                           R"((?: \(\d+\))?\)(?<ext>\.[^.]*)?$)")},
            {"Unison", re(R"(^(?<stem>.+) \(conflict[_ ]on[_ ](?<date>\d{4}-\d{2}-\d{2}))"
                          R"((?:[_ T](?<time>\d{2}:?\d{2}:?\d{2}))?\)(?<ext>\.[^.]*)?$)")},
            {"rclone", re(R"(^(?<record>.+)\.(?:\.path[12]|conflict\d+)$)")},
        };
    }();
    return list;
}

} // namespace

std::optional<ConflictName> ParseConflictName(const QString& fileName)
{
    // Most names hold none of the engines' marks; those are told apart without a match.
    if (!fileName.contains(QLatin1String("conflict"), Qt::CaseInsensitive) &&
        !fileName.contains(QLatin1String("..path"), Qt::CaseInsensitive))
        return std::nullopt;
    for (const Pattern& pattern : patterns()) {
        const QRegularExpressionMatch match = pattern.expression.match(fileName);
        if (!match.hasMatch())
            continue;
        ConflictName name;
        name.engine = QLatin1String(pattern.engine);
        name.recordName = match.captured(u"record");
        if (name.recordName.isEmpty()) {
            name.recordName = match.captured(u"stem") + match.captured(u"ext");
            name.when = parseWhen(match.captured(u"date"), match.captured(u"time"));
        }
        return name;
    }
    return std::nullopt;
}

bool IsRecordFileName(const QString& fileName)
{
    static const char* const extensions[] = {".tra", ".stg", ".apt", ".chk",
                                             ".exp", ".img", ".prf", ".cur"};
    return std::any_of(std::begin(extensions), std::end(extensions), [&](const char* extension) {
        return fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive);
    });
}

QString ConflictCopy::recordPath() const
{
    return QDir(folder).filePath(recordName);
}

QString ConflictCopy::copyPath() const
{
    return QDir(folder).filePath(copyName);
}

QMap<QString, QList<ConflictCopy>> GroupConflictCopies(const QString& folder,
                                                       const QStringList& names)
{
    QMap<QString, QList<ConflictCopy>> copies;
    for (const QString& name : names) {
        const auto parsed = ParseConflictName(name);
        if (!parsed || !IsRecordFileName(parsed->recordName))
            continue;
        ConflictCopy copy{folder, parsed->recordName, name, parsed->engine, parsed->when};
        if (!copy.when.isValid())
            copy.when = QFileInfo(copy.copyPath()).lastModified();
        copies[parsed->recordName].append(copy);
    }
    for (QList<ConflictCopy>& list : copies) {
        std::sort(list.begin(), list.end(), [](const ConflictCopy& a, const ConflictCopy& b) {
            return a.when != b.when ? a.when > b.when : a.copyName > b.copyName;
        });
    }
    return copies;
}

QMap<QString, QList<ConflictCopy>> FindConflictCopies(const QString& folder)
{
    QStringList names;
    ListRecordFiles(folder, QStringList{}, &names);
    return GroupConflictCopies(folder, names);
}

QList<ConflictCopy> AllConflictCopies(const QMap<QString, QList<ConflictCopy>>& dataFolderCopies,
                                      const QString& imagesFolder)
{
    QList<ConflictCopy> all;
    for (const QList<ConflictCopy>& copies : dataFolderCopies)
        all += copies;
    if (!imagesFolder.isEmpty()) {
        for (const QList<ConflictCopy>& copies : FindConflictCopies(imagesFolder))
            all += copies;
    }
    return all;
}

QString TravelKeyOfRecordName(const QString& recordName)
{
    static const QRegularExpression key(
        QStringLiteral("^(?:Travel|CheckList|Expenses|Images|Appointment)?(\\d{16})"),
        QRegularExpression::CaseInsensitiveOption);
    return key.match(recordName).captured(1);
}

QSet<QString> TravelsWithConflicts(const QList<ConflictCopy>& copies)
{
    QSet<QString> travels;
    for (const ConflictCopy& copy : copies) {
        if (const QString key = TravelKeyOfRecordName(copy.recordName); !key.isEmpty())
            travels.insert(key);
    }
    return travels;
}
