#include "DataFolder.h"

#include <QDir>

DataFolder::DataFolder(const QString& workingDirectory)
    : m_workingDirectory(workingDirectory), m_path(QDir(workingDirectory).filePath(folderName()))
{
}

QString DataFolder::imagesFolderPath() const
{
    return QDir(m_workingDirectory).filePath(imagesFolderName());
}

QString DataFolder::filePath(const QString& fileName) const
{
    return m_path + QLatin1Char('/') + fileName;
}

QString DataFolder::travelFileName(const QString& travelKey)
{
    return QStringLiteral("Travel") + travelKey.trimmed() + QStringLiteral(".tra");
}

QString DataFolder::stageFileName(const QString& stageKey)
{
    return stageKey.trimmed() + QStringLiteral(".stg");
}

QString DataFolder::appointmentFileName(const QString& stageKey)
{
    return QStringLiteral("Appointment") + stageKey.trimmed() + QStringLiteral(".apt");
}

QString DataFolder::checkListFileName(const QString& travelKey)
{
    return QStringLiteral("CheckList") + travelKey.trimmed() + QStringLiteral(".chk");
}

QString DataFolder::currencyFileName(const QString& travelKey)
{
    return QStringLiteral("Currencies") + travelKey.trimmed() + QStringLiteral(".cur");
}

QString DataFolder::expensesFileName(const QString& travelKey)
{
    return QStringLiteral("Expenses") + travelKey.trimmed() + QStringLiteral(".exp");
}

QString DataFolder::preferenceFileName(int listNumber)
{
    return QStringLiteral("Preference%1.prf").arg(listNumber);
}

QString DataFolder::imageCategoryFileName(const QString& travelKey)
{
    return QStringLiteral("Images") + travelKey.trimmed() + QStringLiteral(".img");
}

QString DataFolder::travelFile(const QString& travelKey) const
{
    return filePath(travelFileName(travelKey));
}

QString DataFolder::stageFile(const QString& stageKey) const
{
    return filePath(stageFileName(stageKey));
}

QString DataFolder::appointmentFile(const QString& stageKey) const
{
    return filePath(appointmentFileName(stageKey));
}

QString DataFolder::checkListFile(const QString& travelKey) const
{
    return filePath(checkListFileName(travelKey));
}

QString DataFolder::expensesFile(const QString& travelKey) const
{
    return filePath(expensesFileName(travelKey));
}

QString DataFolder::preferenceFile(int listNumber) const
{
    return filePath(preferenceFileName(listNumber));
}

namespace {

bool isNamed(QStringView fileName, QStringView prefix, QStringView key, QStringView suffix)
{
    key = key.trimmed();
    return fileName.size() == prefix.size() + key.size() + suffix.size() &&
           fileName.startsWith(prefix) && fileName.endsWith(suffix) &&
           fileName.mid(prefix.size(), key.size()) == key;
}

} // namespace

bool DataFolder::isTravelFileName(QStringView fileName, QStringView travelKey)
{
    return isNamed(fileName, u"Travel", travelKey, u".tra");
}

bool DataFolder::isStageFileName(QStringView fileName, QStringView stageKey)
{
    return isNamed(fileName, {}, stageKey, u".stg");
}
