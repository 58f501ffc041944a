#pragma once

#include <QStringList>

class CliPages;

// The words of the command line after the program's name, without --verbose. Unless
// --verbose is among them, what Qt says of fonts and of the session while pages are made
// (a script without a font, a missing runtime folder) is kept off standard error from now
// on: it is not the command's output.
QStringList TakeCliArguments(int argc, char* argv[]);

// Runs a command line as voyanta-cli does: on standard output and error, in the user's
// profile; its exit status.
int RunCliProgram(const QStringList& arguments, const CliPages* pages);

// Hands a command that makes pages to voyanta-cli-pages, with the same command line
// (argv as main had it). On Unix that program takes this process's place; elsewhere this
// one waits for it. Its exit status, or ExitFailed with a message when it cannot be
// started.
int HandToPageProgram(char* argv[]);
