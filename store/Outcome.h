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
    // Why a save was refused without writing: another program removed the record it
    // belongs to, or replaced the record's file since it was read.
    enum class Refusal { None, OwnerGone, ChangedOutside };

    Outcome() = default;
    static Outcome failure(QString path, QString reason, Refusal refusal = Refusal::None)
    {
        Outcome outcome;
        outcome.m_error = FileError{std::move(path), std::move(reason)};
        outcome.m_refusal = refusal;
        return outcome;
    }

    bool ok() const { return !m_error.has_value(); }
    Refusal refusal() const { return m_refusal; }
    const FileError& error() const { return *m_error; }
    QString message() const { return m_error ? m_error->message() : QString(); }

private:
    std::optional<FileError> m_error;
    Refusal m_refusal = Refusal::None;
};

// An outcome that also carries the key of the record it made.
struct [[nodiscard]] KeyOutcome {
    QString key;
    Outcome outcome;

    bool ok() const { return outcome.ok(); }
};
