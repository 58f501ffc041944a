#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class Prompter;
class QLineEdit;

// Lets the user pick the folder that holds the data folder. A pick of the data folder
// itself selects the folder around it; a folder that cannot be found is refused. The
// picked folder becomes the working directory at once; Cancel restores the one the
// dialog started with, and OK without a path counts as Cancel.
class CWorkingDirectoryDlg : public QDialog {
    Q_OBJECT

public:
    using Setter = std::function<void(const QString&)>;

    CWorkingDirectoryDlg(Prompter& prompter, QString startingDirectory, Setter setWorkingDirectory,
                         std::function<void()> openHelp, QWidget* parent = nullptr);

    QString path() const;
    void setPath(const QString& path);
    // Runs the folder picker and takes what it gives.
    void browse();

    void accept() override;
    void reject() override;

private:
    Prompter& m_prompter;
    const QString m_startingDirectory;
    Setter m_setWorkingDirectory;
    QLineEdit* m_path;
};
