#pragma once

#include <QString>

#include <optional>

// What went wrong with one file: its path and the system's reason.
struct FileError {
    QString path;
    QString reason;

    // One line for a message box or standard error.
    QString message() const;
};

// The result of an operation that writes or removes files.
class [[nodiscard]] Outcome {
public:
    Outcome() = default;
    static Outcome failure(QString path, QString reason)
    {
        Outcome outcome;
        outcome.m_error = FileError{std::move(path), std::move(reason)};
        return outcome;
    }

    bool ok() const { return !m_error.has_value(); }
    const FileError& error() const { return *m_error; }
    QString message() const { return m_error ? m_error->message() : QString(); }

private:
    std::optional<FileError> m_error;
};

// An outcome that also carries the key of the record it made.
struct [[nodiscard]] KeyOutcome {
    QString key;
    Outcome outcome;

    bool ok() const { return outcome.ok(); }
};
