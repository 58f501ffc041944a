#pragma once

#include <QDialog>
#include <QString>

class CGuiButton;
class CGuiEdit;
class CImagePreview;
class Prompter;

// Chooses a picture file and the title it is shown under. The path comes only from the
// file picker; OK stays disabled until there is one.
class CSelectImageDlg : public QDialog {
    Q_OBJECT

public:
    CSelectImageDlg(Prompter& prompter, const QString& displayTitle, const QString& picturePath,
                    QWidget* parent = nullptr);

    QString displayTitle() const;
    QString picturePath() const { return m_path; }
    CImagePreview* preview() const { return m_preview; }

    // The file picker's filter: every picture format the program reads, then each alone.
    static QString FileFilter();

private:
    void browse();
    void showPath();

    Prompter& m_prompter;
    QString m_path;
    CImagePreview* m_preview;
    CGuiEdit* m_title;
    CGuiEdit* m_pathEdit;
    CGuiButton* m_ok;
};
