#include "WorkingDirectoryDialog.h"

#include "CommandIds.h"
#include "ControlIds.h"
#include "DataFolder.h"
#include "GuiKit.h"
#include "Prompter.h"
#include "StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CWorkingDirectoryDlg::CWorkingDirectoryDlg(Prompter& prompter, QString startingDirectory,
                                           Setter setWorkingDirectory,
                                           std::function<void()> openHelp, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_startingDirectory(std::move(startingDirectory)),
      m_setWorkingDirectory(std::move(setWorkingDirectory)), m_path(new CGuiEdit(this))
{
    WithControlId(this, Dialog::WorkingDirectoryDlg);
    setWindowTitle(QStringLiteral("Working Directory"));
    GuiDrawLayer::ApplyFace(this);
    WithControlId(m_path, Control::WorkingDirectoryPath);
    m_path->setReadOnly(true);
    m_path->setMinimumWidth(360);

    const auto button = [this](const QString& text, Control id) {
        auto* made = WithControlId(new CGuiButton(text, this), id);
        made->setAutoDefault(false);
        return made;
    };
    auto* browseButton = button(QStringLiteral("&Browse..."), Control::WorkingDirectoryBrowse);
    auto* helpButton = button(QStringLiteral("&Help"), Control::WorkingDirectoryHelp);
    auto* okButton = button(QStringLiteral("OK"), Control::Ok);
    auto* cancelButton = button(QStringLiteral("Cancel"), Control::Cancel);
    okButton->setDefault(true);
    connect(browseButton, &QPushButton::clicked, this, &CWorkingDirectoryDlg::browse);
    connect(helpButton, &QPushButton::clicked, this, [openHelp] {
        if (openHelp)
            openHelp();
    });
    connect(okButton, &QPushButton::clicked, this, &CWorkingDirectoryDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CWorkingDirectoryDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Choose the folder in which Voyanta keeps its \"%1\" folder:")
                       .arg(DataFolder::folderName()),
                   this));
    auto* row = new QHBoxLayout;
    row->addWidget(m_path, 1);
    row->addWidget(browseButton);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(helpButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    // The dialog opens on the folder in use.
    setPath(QDir::toNativeSeparators(m_startingDirectory));
}

QString CWorkingDirectoryDlg::path() const
{
    return m_path->text();
}

void CWorkingDirectoryDlg::setPath(const QString& path)
{
    m_path->setText(path);
}

void CWorkingDirectoryDlg::browse()
{
    QString picked = m_prompter.existingDirectory(this, QStringLiteral("Pick a Directory"),
                                                  path().isEmpty() ? QDir::homePath() : path());
    if (picked.isEmpty())
        return;
    picked = QDir::cleanPath(picked);
    const QFileInfo info(picked);
    if (info.fileName() == DataFolder::folderName())
        picked = info.path();
    setPath(QDir::toNativeSeparators(picked));
    if (QFileInfo(picked).isDir()) {
        m_setWorkingDirectory(picked);
        return;
    }
    m_prompter.inform(this, ResourceText(Str::DirectoryNotFound));
    setPath(QString());
}

void CWorkingDirectoryDlg::accept()
{
    if (path().isEmpty()) {
        reject();
        return;
    }
    // The folder it opened on may have gone (it is shown again after it was moved).
    if (!QFileInfo(QDir::fromNativeSeparators(path())).isDir()) {
        m_prompter.inform(this, ResourceText(Str::DirectoryNotFound));
        setPath(QString());
        return;
    }
    QDialog::accept();
}

void CWorkingDirectoryDlg::reject()
{
    m_setWorkingDirectory(m_startingDirectory);
    QDialog::reject();
}
