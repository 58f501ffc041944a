#pragma once

#include "Cli.h"

#include <QBuffer>

// What voyanta-cli, run in this process, gave: its exit code and its two outputs.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the command line with standard output in a buffer unless given another device.
inline CliRun runCli(const QStringList& arguments, const CliContext& context,
                     QIODevice* output = nullptr)
{
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
