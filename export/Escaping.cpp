#include "Escaping.h"

QString HtmlEscape(const QString& text)
{
    return text.toHtmlEscaped();
}

QString CsvQuoted(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString CsvField(const QString& text)
{
    const bool needsQuotes = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                             text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    return needsQuotes ? CsvQuoted(text) : text;
}
