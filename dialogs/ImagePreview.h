#pragma once

#include "CQVImage.h"
#include "PictureLoader.h"

#include <QWidget>

#include <memory>

// A white pane that shows one picture fitted into it, or, without one, a help text. The
// picture is read at the size it is shown, off the window's thread, and drawn once it has
// arrived.
class CImagePreview : public QWidget {
    Q_OBJECT

public:
    // Which help text shows while there is no picture.
    enum class EmptyText { ImagesView, SelectImage };

    explicit CImagePreview(EmptyText emptyText, QWidget* parent = nullptr);

    // Shows the picture of a path; an empty path, or one that names no readable picture,
    // shows the help text.
    void setPicture(const QString& path);
    void clear();
    // The picture held: none when its file could not be read.
    const CQVImage* picture() const { return m_picture.get(); }
    // Whether the help text shows (no picture, or its pixels could not be decoded).
    bool showsHelpText();
    QString helpText() const;
    // What shows in place of a picture too large to decode.
    static QString TooLargeText(QSize size);
    // Where the picture is drawn; empty without one.
    QRect pictureRect() const;
    PictureLoader& loader() { return m_loader; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The size in device pixels, at which the picture is read.
    QSize readSize() const;

    std::unique_ptr<CQVImage> m_picture;
    EmptyText m_emptyText;
    PictureLoader m_loader;
};
