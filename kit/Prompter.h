#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

// Everything through which the program asks the user or hands something to the
// desktop: message boxes, modal dialogs, folder and file pickers, opening a file in
// its program. Tests replace it with answers given in advance, so no test waits on a
// modal window.
class Prompter {
public:
    virtual ~Prompter() = default;

    // An information box with an OK button.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // A notice that does not wait for the user (the program goes on).
    virtual void notify(QWidget* parent, const QString& text) = 0;
    // A Yes/No question with a question icon; true for Yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // A question answered by one of several buttons, named by their texts with their
    // mnemonics ("&Retry"); returns the index of the button pressed. The last button is
    // the way out (Escape, closing the box).
    virtual int choose(QWidget* parent, const QString& text, const QStringList& buttons) = 0;
    // Runs a modal dialog; returns its result code (QDialog::Accepted or Rejected).
    virtual int run(QDialog* dialog) = 0;
    // A folder picker; empty when the user cancels.
    virtual QString existingDirectory(QWidget* parent, const QString& title,
                                      const QString& start) = 0;
    // A save-file picker with a default extension ("csv") and a filter ("csv Files
    // (*.csv)"); asks before replacing a file; empty when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& defaultSuffix,
                                 const QString& filter) = 0;
    // An open-file picker with a filter ("Images (*.png *.jpg);;All Files (*)"), starting in
    // the given folder or file's folder; empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& start) = 0;
    // The same picker letting the user take several files; empty when the user cancels.
    virtual QStringList openFileNames(QWidget* parent, const QString& filter,
                                      const QString& start) = 0;
    // Opens a file with the program the desktop associates with it.
    virtual bool openFile(const QString& path) = 0;
    // Starts another program without waiting for it.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The print dialog: the user picks a printer, or a PDF file, and the pages to print;
    // false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows the pages that `paint` prints on the printer it is given, until the user
    // closes the preview (or prints from it).
    virtual void previewPrint(QWidget* parent, QPrinter& printer,
                              const std::function<void(QPrinter*)>& paint) = 0;
};

// The folder a file picker of a kind ("Exports", "Pictures") last took a file from, kept
// in the profile; the home folder before the first.
QString LastUsedFolder(const QString& kind);
void RememberFolder(const QString& kind, const QString& chosenFile);

// The real thing: QMessageBox, QDialog::exec, QFileDialog, QDesktopServices, QProcess.
// File pickers start in the folder last used for their kind of file.
class DesktopPrompter : public Prompter {
public:
    void inform(QWidget* parent, const QString& text) override;
    void notify(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text) override;
    int choose(QWidget* parent, const QString& text, const QStringList& buttons) override;
    int run(QDialog* dialog) override;
    QString existingDirectory(QWidget* parent, const QString& title, const QString& start) override;
    QString saveFileName(QWidget* parent, const QString& defaultSuffix,
                         const QString& filter) override;
    QString openFileName(QWidget* parent, const QString& filter, const QString& start) override;
    QStringList openFileNames(QWidget* parent, const QString& filter,
                              const QString& start) override;
    bool openFile(const QString& path) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    void previewPrint(QWidget* parent, QPrinter& printer,
                      const std::function<void(QPrinter*)>& paint) override;
};
