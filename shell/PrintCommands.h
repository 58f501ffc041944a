#pragma once

#include <QObject>

class CMainFrame;
class CVoyantaApp;
struct ListPrintSource;

// Print and Print Preview: the list the upper view shows, as a paged table on a printer,
// in a PDF file or in the preview.
class CPrintCommands : public QObject {
    Q_OBJECT

public:
    CPrintCommands(CMainFrame& frame, CVoyantaApp& app);

    bool handles(int command) const;
    bool run(int command);

    void print();
    void preview();

private:
    ListPrintSource source() const;

    CMainFrame& m_frame;
    CVoyantaApp& m_app;
};
