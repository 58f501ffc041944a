#pragma once

#include "ControlIds.h"
#include "Prompter.h"

#include <QAbstractButton>
#include <QDialog>
#include <QList>
#include <QProcess>
#include <QStringList>

#include <functional>
#include <optional>

// Answers every prompt from answers a test prepared in advance, and records what was
// asked. A prompt without a prepared answer is cancelled and noted in `unexpected`, so
// that no test ever waits on a modal window.
class ScriptedPrompter : public Prompter {
public:
    QStringList informed;
    QStringList notified;
    QStringList asked;
    QStringList opened;
    QList<QStringList> started; // program, then its arguments
    QStringList unexpected;

    QList<bool> answers;
    QStringList directories;
    QList<std::function<int(QDialog*)>> dialogs;
    bool reallyStartPrograms = false;

    void inform(QWidget*, const QString& text) override { informed.append(text); }
    void notify(QWidget*, const QString& text) override { notified.append(text); }
    // The next prepared answer of a queue; without one the prompt is noted as unexpected.
    template <typename Answer>
    std::optional<Answer> next(QList<Answer>& queue, const QString& prompt)
    {
        if (queue.isEmpty()) {
            unexpected.append(prompt);
            return std::nullopt;
        }
        return queue.takeFirst();
    }
    bool ask(QWidget*, const QString& text) override
    {
        asked.append(text);
        return next(answers, text).value_or(false);
    }
    // Answers of choose(), by the text of the button to press.
    QStringList choices;
    QStringList chooseTexts;
    int choose(QWidget*, const QString& text, const QStringList& buttons) override
    {
        chooseTexts.append(text);
        const std::optional<QString> wanted = next(choices, text);
        for (int i = 0; wanted && i < int(buttons.size()); ++i) {
            if (QString(buttons[i]).remove(QLatin1Char('&')) == *wanted)
                return i;
        }
        if (wanted)
            unexpected.append(*wanted);
        return int(buttons.size()) - 1;
    }
    int run(QDialog* dialog) override
    {
        const auto answer = next(dialogs, dialog->objectName());
        return answer ? (*answer)(dialog) : int(QDialog::Rejected);
    }
    QString existingDirectory(QWidget*, const QString& title, const QString&) override
    {
        return next(directories, title).value_or(QString());
    }
    QStringList saveNames;
    QString saveFileName(QWidget*, const QString&, const QString& filter) override
    {
        return next(saveNames, filter).value_or(QString());
    }
    QStringList openNames;
    QStringList openFilters;
    QString openFileName(QWidget*, const QString& filter, const QString&) override
    {
        openFilters.append(filter);
        return next(openNames, filter).value_or(QString());
    }
    // Several names in one answer are separated by line breaks.
    QStringList openFileNames(QWidget* parent, const QString& filter, const QString& start) override
    {
        const QString names = openFileName(parent, filter, start);
        return names.isEmpty() ? QStringList() : names.split(QLatin1Char('\n'));
    }
    bool openFails = false; // as on a desktop without a program to open the file with
    bool openFile(const QString& path) override
    {
        opened.append(path);
        return !openFails;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.append(QStringList{program} + arguments);
        return !reallyStartPrograms || QProcess::startDetached(program, arguments);
    }
    // Print dialog answers: set up the printer (a PDF file, say) and return true, or
    // return false to cancel.
    QList<std::function<bool(QPrinter&)>> printers;
    int previews = 0;
    bool choosePrinter(QWidget*, QPrinter& printer) override
    {
        const auto answer = next(printers, QStringLiteral("print dialog"));
        return answer && (*answer)(printer);
    }
    // The preview paints its pages on the printer as the real one does when it opens.
    void previewPrint(QWidget*, QPrinter& printer,
                      const std::function<void(QPrinter*)>& paint) override
    {
        ++previews;
        paint(&printer);
    }
};

// A control of a dialog or view by its identifier.
template <typename Widget, typename Id> Widget* control(const QWidget* dialog, Id id)
{
    return dialog->findChild<Widget*>(IdName(id));
}

// Dialog answers: press a button by its control id, as a user would.
inline std::function<int(QDialog*)> pressButton(Control id)
{
    return [id](QDialog* dialog) {
        if (auto* button = control<QAbstractButton>(dialog, id))
            button->click();
        return dialog->result();
    };
}
