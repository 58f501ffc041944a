#pragma once

#include <QString>

// Record texts as HTML text: & < > and " become entities; nothing else changes.
QString HtmlEscape(const QString& text);

// A CSV field that is quoted only when it must be (it holds a comma, a double quote,
// a carriage return or a line feed), with inner double quotes doubled.
QString CsvField(const QString& text);

// A CSV field that is always quoted, with inner double quotes doubled.
QString CsvQuoted(const QString& text);
