#pragma once

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

// The program's themed window and control kit: thin classes over Qt's own, and one
// face colour that toolbars, status bar and dialogs share.
namespace GuiDrawLayer {

constexpr int PlannerStyle = 0x8002;
QColor GetRGBColorFace(int style = PlannerStyle);
// Paints a dialog, a view or a pane with the face colour.
void ApplyFace(QWidget* widget);

} // namespace GuiDrawLayer

class CGuiFrameWnd : public QMainWindow {
public:
    using QMainWindow::QMainWindow;
};

class CGuiToolBarWnd : public QToolBar {
public:
    using QToolBar::QToolBar;
};

class CGuiStatusBar : public QStatusBar {
public:
    explicit CGuiStatusBar(QWidget* parent = nullptr);
};

class CGuiSplitterWnd : public QSplitter {
public:
    using QSplitter::QSplitter;
};

class CGuiButton : public QPushButton {
public:
    using QPushButton::QPushButton;
};

class CGuiEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
};

class CGuiComboBoxExt : public QComboBox {
public:
    using QComboBox::QComboBox;
};
