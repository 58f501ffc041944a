#pragma once

#include <QString>

// The data folder under a working directory and the names of the record files in it.
// Keys are trimmed wherever a name is built from them. Names are only built from safe
// keys (see IsSafeKey); callers check first.
class DataFolder {
public:
    static QString folderName() { return QStringLiteral("Voyanta Files"); }
    // The folder of the picture-category files, beside the data folder: a working
    // directory carries its pictures along, and keys never meet another folder's.
    static QString imagesFolderName() { return QStringLiteral("Travel Images"); }

    DataFolder() = default;
    explicit DataFolder(const QString& workingDirectory);

    const QString& workingDirectory() const { return m_workingDirectory; }
    const QString& path() const { return m_path; }
    QString imagesFolderPath() const;
    QString filePath(const QString& fileName) const;

    static QString travelFileName(const QString& travelKey);
    static QString stageFileName(const QString& stageKey);
    static QString appointmentFileName(const QString& stageKey);
    static QString checkListFileName(const QString& travelKey);
    static QString expensesFileName(const QString& travelKey);
    static QString preferenceFileName(int listNumber);
    static QString markerFileName() { return QStringLiteral("Preferences.alm"); }
    // The currencies of a travel's expenses, beside its expense file, and the working
    // directory's home currency with the last rates used (CurrencySideFile.h).
    static QString currencyFileName(const QString& travelKey);
    static QString currencySettingsFileName() { return QStringLiteral("Currencies.cur"); }
    // Picture categories live in the images folder, not here.
    static QString imageCategoryFileName(const QString& travelKey);

    // Whether a file name is the one the key gives it (without building that name).
    static bool isTravelFileName(QStringView fileName, QStringView travelKey);
    static bool isStageFileName(QStringView fileName, QStringView stageKey);

    QString travelFile(const QString& travelKey) const;
    QString stageFile(const QString& stageKey) const;
    QString appointmentFile(const QString& stageKey) const;
    QString checkListFile(const QString& travelKey) const;
    QString expensesFile(const QString& travelKey) const;
    QString preferenceFile(int listNumber) const;

private:
    QString m_workingDirectory;
    QString m_path;
};
