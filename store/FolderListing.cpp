#include "FolderListing.h"

#include "ConflictCopies.h"

#include <QFile>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& folder)
{
#ifdef Q_OS_WIN
    return fs::path(folder.toStdWString());
#else
    return fs::path(QFile::encodeName(folder).toStdString());
#endif
}

QString fileNameOf(const fs::path& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.filename().native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.filename().native()));
#endif
}

// The extension of a native name, read without decoding the whole name.
QString extensionOf(const fs::path::string_type& name)
{
    const auto dot = name.rfind(fs::path::value_type('.'));
    if (dot == fs::path::string_type::npos)
        return {};
    QString extension;
    for (auto i = dot + 1; i < name.size(); ++i)
        extension.append(QChar(char16_t(name[i])));
    return extension;
}

} // namespace

QMap<QString, QStringList> ListRecordFiles(const QString& folder, const QStringList& extensions,
                                           QStringList* conflictCopies)
{
    QMap<QString, QStringList> names;
    std::error_code error;
    fs::directory_iterator it(toPath(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        // The entry's type comes with the listing where the file system gives it, so
        // this costs no extra system call per file.
        if (it->is_symlink(error) || !it->is_regular_file(error))
            continue;
        const fs::path& path = it->path();
        if (const QString name = fileNameOf(path); IsConflictCopyName(name)) {
            if (conflictCopies)
                conflictCopies->append(name);
            continue;
        }
        const QString extension = extensionOf(path.native());
        for (const QString& wanted : extensions) {
            if (extension.compare(wanted, Qt::CaseInsensitive) == 0) {
                names[wanted].append(fileNameOf(path));
                break;
            }
        }
    }
    return names;
}

QStringList ListRecordFiles(const QString& folder, const QString& extension)
{
    return ListRecordFiles(folder, QStringList{extension}).value(extension);
}
