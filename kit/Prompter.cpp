#include "Prompter.h"

#include "CommandIds.h"
#include "StringTable.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QUrl>

void DesktopPrompter::inform(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, ResourceText(Str::ProgramTitle), text);
}

void DesktopPrompter::notify(QWidget* parent, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, ResourceText(Str::ProgramTitle), text,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

bool DesktopPrompter::ask(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, ResourceText(Str::ProgramTitle), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int DesktopPrompter::choose(QWidget* parent, const QString& text, const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Warning, ResourceText(Str::ProgramTitle), text,
                    QMessageBox::NoButton, parent);
    QList<QAbstractButton*> pressed;
    for (int i = 0; i < int(buttons.size()); ++i) {
        const bool last = i == int(buttons.size()) - 1;
        pressed.append(
            box.addButton(buttons[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!pressed.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(pressed.first()));
        box.setEscapeButton(pressed.last());
    }
    box.exec();
    const int index = int(pressed.indexOf(box.clickedButton()));
    return index >= 0 ? index : int(buttons.size()) - 1;
}

int DesktopPrompter::run(QDialog* dialog)
{
    return dialog->exec();
}

QString DesktopPrompter::existingDirectory(QWidget* parent, const QString& title,
                                           const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

QString LastUsedFolder(const QString& kind)
{
    const QString folder = QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
                               .value(QStringLiteral("Folders/") + kind)
                               .toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void RememberFolder(const QString& kind, const QString& chosenFile)
{
    if (chosenFile.isEmpty())
        return;
    QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
        .setValue(QStringLiteral("Folders/") + kind, QFileInfo(chosenFile).absolutePath());
}

QString DesktopPrompter::saveFileName(QWidget* parent, const QString& defaultSuffix,
                                      const QString& filter)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setNameFilter(filter);
    dialog.setDirectory(LastUsedFolder(QStringLiteral("Exports")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    RememberFolder(QStringLiteral("Exports"), dialog.selectedFiles().first());
    return dialog.selectedFiles().first();
}

QString DesktopPrompter::openFileName(QWidget* parent, const QString& filter, const QString& start)
{
    const QString picked = QFileDialog::getOpenFileName(
        parent, QString(), start.isEmpty() ? LastUsedFolder(QStringLiteral("Pictures")) : start,
        filter);
    RememberFolder(QStringLiteral("Pictures"), picked);
    return picked;
}

QStringList DesktopPrompter::openFileNames(QWidget* parent, const QString& filter,
                                           const QString& start)
{
    return QFileDialog::getOpenFileNames(parent, QString(), start, filter);
}

bool DesktopPrompter::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopPrompter::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool DesktopPrompter::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

void DesktopPrompter::previewPrint(QWidget* parent, QPrinter& printer,
                                   const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    // A page's height where the screen has it, never more than the screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 900, 1000);
    preview.resize(qMin(900, available.width() * 9 / 10), qMin(1000, available.height() * 9 / 10));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* target) { paint(target); });
    preview.exec();
}
