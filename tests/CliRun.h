#pragma once

#include "Cli.h"
#include "PdfPages.h"

#include <QBuffer>

// What voyanta-cli, run in this process, gave: its exit code and its two outputs.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the command line with standard output in a buffer unless given another device;
// it makes pages as voyanta-cli-pages does unless the context has other pages.
inline CliRun runCli(const QStringList& arguments, CliContext context, QIODevice* output = nullptr)
{
    static const PdfPages pdfPages;
    if (!context.pages)
        context.pages = &pdfPages;
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    CliRun run;
    run.exitCode = RunCli(arguments, output ? *output : out, err, context);
    run.out = QString::fromUtf8(out.data());
    run.err = QString::fromUtf8(err.data());
    return run;
}
