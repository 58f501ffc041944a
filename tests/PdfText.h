#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// How pdftotext lays out the text of a PDF.
enum class PdfTextOrder {
    Reading, // reading order, pages ended by form feeds
    Layout,  // the columns kept where they stand on the page
};

// The text of a PDF file as pdftotext reads it; empty when it cannot be read.
inline QString pdfText(const QString& path, PdfTextOrder order = PdfTextOrder::Reading)
{
    QStringList arguments{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (order == PdfTextOrder::Layout)
        arguments.append(QStringLiteral("-layout"));
    arguments << path << QStringLiteral("-");
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), arguments);
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return {};
    return QString::fromUtf8(reader.readAllStandardOutput());
}
