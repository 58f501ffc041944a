#include "SelectImageDlg.h"

#include "Bitmaps.h"
#include "ControlIds.h"
#include "GuiKit.h"
#include "ImagePreview.h"
#include "Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CSelectImageDlg::CSelectImageDlg(Prompter& prompter, const QString& displayTitle,
                                 const QString& picturePath, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_path(picturePath),
      m_preview(new CImagePreview(CImagePreview::EmptyText::SelectImage, this)),
      m_title(new CGuiEdit(displayTitle, this)), m_pathEdit(new CGuiEdit(this)),
      m_ok(new CGuiButton(QStringLiteral("OK"), this))
{
    WithControlId(this, Dialog::SelectImageDlg);
    setWindowTitle(QStringLiteral("Select Image"));
    GuiDrawLayer::ApplyFace(this);
    WithControlId(m_preview, SelectImageControl::PicturePreview);
    WithControlId(m_title, SelectImageControl::DisplayTitle);
    WithControlId(m_pathEdit, SelectImageControl::PicturePath);
    WithControlId(m_ok, Control::Ok);
    m_preview->setMinimumSize(412, 170);
    m_pathEdit->setReadOnly(true);
    m_title->setMinimumWidth(260);

    auto* browse = WithControlId(new CGuiButton(QStringLiteral("..."), this),
                                 SelectImageControl::BrowsePicture);
    browse->setToolTip(QStringLiteral("Choose a picture file"));
    browse->setAccessibleName(QStringLiteral("Choose a picture file"));
    browse->setAutoDefault(false);
    browse->setFixedWidth(30);
    auto* cancel = WithControlId(new CGuiButton(QStringLiteral("Cancel"), this), Control::Cancel);
    cancel->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(browse, &QPushButton::clicked, this, &CSelectImageDlg::browse);
    connect(m_ok, &QPushButton::clicked, this, &CSelectImageDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSelectImageDlg::reject);

    auto* titleLabel = new QLabel(QStringLiteral("Display &Title"), this);
    titleLabel->setBuddy(m_title);
    auto* pathLabel = new QLabel(QStringLiteral("Picture &Path"), this);
    pathLabel->setBuddy(browse);
    auto* form = new QGridLayout;
    form->addWidget(titleLabel, 0, 0);
    form->addWidget(m_title, 0, 1);
    form->addWidget(pathLabel, 1, 0);
    form->addWidget(m_pathEdit, 1, 1);
    form->addWidget(browse, 1, 2);
    form->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setTabOrder(m_title, browse);
    m_title->setFocus();
    showPath();
}

QString CSelectImageDlg::displayTitle() const
{
    return m_title->text();
}

QString CSelectImageDlg::FileFilter()
{
    return QStringLiteral(
        "All Image Files (*.bmp *.jpg *.jpeg *.gif *.png *.ico *.tiff *.tif *.wbmp);;"
        "Bitmap Images (*.bmp);;JPEG Images (*.jpg *.jpeg);;GIF Images (*.gif);;"
        "Icon Images (*.ico);;TIFF Images (*.tif *.tiff);;Windows Bitmap Images (*.wbmp);;"
        "All Files (*)");
}

void CSelectImageDlg::browse()
{
    const QString start = m_path.isEmpty() ? QString() : m_path; // empty: the folder last used
    const QString chosen = m_prompter.openFileName(this, FileFilter(), start);
    if (!chosen.isEmpty()) {
        m_path = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
        // A picture without a title is shown under its file's name until the user gives one.
        if (m_title->text().trimmed().isEmpty())
            m_title->setText(QFileInfo(chosen).completeBaseName());
    }
    showPath();
}

void CSelectImageDlg::showPath()
{
    m_pathEdit->setText(m_path);
    m_pathEdit->setCursorPosition(0);
    // Before a choice, a picture that shows where the chosen one will appear.
    m_preview->setPicture(m_path.isEmpty() ? BitmapResourcePath(Bitmaps::SelectImagePlaceholder)
                                           : QDir::fromNativeSeparators(m_path));
    m_ok->setEnabled(!m_path.isEmpty());
}
