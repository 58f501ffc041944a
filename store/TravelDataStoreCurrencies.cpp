#include "TravelDataStore.h"

#include "Currency.h"
#include "SaveFile.h"

#include <QFileInfo>

namespace {

// The side file's bytes: nothing when it is not there; `cause` is set when it is there
// but cannot be read.
std::optional<QByteArray> readSideBytes(const QString& path, QString* cause)
{
    QString reason;
    auto bytes = ReadWholeFile(path, &reason);
    if (!bytes && NameTaken(path))
        *cause = QStringLiteral("unreadable: %1").arg(reason);
    return bytes;
}

} // namespace

void TravelDataStore::setDisplayFormats(const DisplayFormats& formats)
{
    const QString home = m_currencySettings.home;
    m_formats = formats;
    if (!home.isEmpty())
        m_formats.setCurrency(home);
}

void TravelDataStore::readCurrencySettings()
{
    const QString fileName = DataFolder::currencySettingsFileName();
    QString cause;
    const auto bytes = readSideBytes(m_folder.filePath(fileName), &cause);
    std::optional<CurrencySettings> settings;
    if (bytes)
        settings = CurrencySide::DecodeSettings(*bytes, &cause);
    if (!cause.isEmpty())
        noteProblem(fileName, cause);
    m_currencySettings = settings.value_or(CurrencySettings{});
    m_formats.setCurrency(m_currencySettings.home.isEmpty()
                              ? Currency::LocaleCode(m_formats.locale())
                              : m_currencySettings.home);
}

Outcome TravelDataStore::writeCurrencySettings(const CurrencySettings& settings)
{
    Outcome written = writeDataFile(DataFolder::currencySettingsFileName(),
                                    CurrencySide::EncodeSettings(settings));
    if (written.ok())
        m_currencySettings = settings;
    return written;
}

Outcome TravelDataStore::SetHomeCurrency(const QString& code)
{
    if (!Currency::IsIsoCode(code))
        return Outcome::failure(m_folder.filePath(DataFolder::currencySettingsFileName()),
                                QStringLiteral("\"%1\" is no ISO 4217 currency code").arg(code));
    CurrencySettings settings = m_currencySettings;
    settings.home = code;
    Outcome written = writeCurrencySettings(settings);
    if (written.ok())
        m_formats.setCurrency(code);
    return written;
}

std::optional<RateQuote> TravelDataStore::LastRate(const QString& code) const
{
    const auto it = m_currencySettings.lastRates.constFind(code);
    return it == m_currencySettings.lastRates.cend() ? std::nullopt : std::optional(*it);
}

Outcome TravelDataStore::RememberRate(const QString& code, const RateQuote& quote)
{
    if (LastRate(code) == quote)
        return {};
    CurrencySettings settings = m_currencySettings;
    settings.lastRates.insert(code, quote);
    return writeCurrencySettings(settings);
}

QList<CurrencyEntry> TravelDataStore::applyCurrencies(const RecordKey& travelKey,
                                                      QList<ExpenseRecord>& lines)
{
    if (!IsSafeKey(travelKey))
        return {};
    const QString fileName = DataFolder::currencyFileName(travelKey);
    const QString path = m_folder.filePath(fileName);
    QString cause;
    auto bytes = readSideBytes(path, &cause);
    if (!bytes && cause.isEmpty())
        bytes = readNewestCopy(m_folder.path(), fileName);
    std::optional<CurrencySideFile> file;
    if (bytes)
        file = CurrencySide::Decode(*bytes, &cause);
    if (!cause.isEmpty()) {
        noteProblem(fileName, cause);
        return {};
    }
    clearProblem(fileName);
    if (!file)
        return {};
    return CurrencySide::Apply(*file, HomeCurrency(), DataFolder::expensesFileName(travelKey),
                               lines);
}

Outcome TravelDataStore::CopyCurrencies(const RecordKey& oldTravelKey,
                                        const RecordKey& newTravelKey)
{
    const ChangeNote note{*this, newTravelKey};
    if (!IsSafeKey(oldTravelKey) || !IsSafeKey(newTravelKey))
        return unsafeKey(IsSafeKey(oldTravelKey) ? newTravelKey : oldTravelKey);
    const QString source = m_folder.filePath(DataFolder::currencyFileName(oldTravelKey));
    QString cause;
    const auto bytes = readSideBytes(source, &cause);
    std::optional<CurrencySideFile> file;
    if (bytes)
        file = CurrencySide::Decode(*bytes, &cause);
    if (!cause.isEmpty())
        return Outcome::failure(source, cause);
    if (!file)
        return {};
    return writeDataFile(DataFolder::currencyFileName(newTravelKey), CurrencySide::Encode(*file));
}
