#pragma once

#include "ConflictCopies.h"

#include <QList>
#include <QObject>

class CMainFrame;
class CVoyantaApp;
class QLabel;

// The conflict copies that sync engines left in the working directory: the status bar
// counts them, the tree marks the travels they belong to, and Tools, Resolve Conflicts
// opens the dialog that settles them.
class CConflictsCommand : public QObject {
    Q_OBJECT

public:
    CConflictsCommand(CMainFrame& frame, CVoyantaApp& app);

    // Takes the copies the store's last Refresh found and those of the images folder, and
    // tells the tree and the status bar; call before the tree lists the travels again.
    void update();
    bool any() const { return !m_copies.isEmpty(); }
    const QList<ConflictCopy>& copies() const { return m_copies; }
    QString notice() const;
    // Tools, Resolve Conflicts: the dialog, then the folder read again.
    void open();

private:
    CMainFrame& m_frame;
    CVoyantaApp& m_app;
    QLabel* m_notice;
    QList<ConflictCopy> m_copies;
};
