#include "PrintCommands.h"

#include "CommandIds.h"
#include "GListPrintJob.h"
#include "MainFrame.h"
#include "PageDevice.h"
#include "Prompter.h"
#include "UpperView.h"
#include "VoyantaApp.h"

#include <QDir>
#include <QPrinter>

CPrintCommands::CPrintCommands(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app)
{
}

bool CPrintCommands::handles(int command) const
{
    if (command != Cmd::Print && command != Cmd::PrintPreview)
        return false;
    // The images pane has no printed form: with it active, nothing prints.
    const CUpperView* view = m_frame.upperView();
    return !m_frame.imagesPaneActive() && view && view->printModel() &&
           !view->printTitle().isEmpty();
}

bool CPrintCommands::run(int command)
{
    if (!handles(command))
        return false;
    if (command == Cmd::Print)
        print();
    else
        preview();
    return true;
}

ListPrintSource CPrintCommands::source() const
{
    CUpperView* view = m_frame.upperView();
    view->prepareForPrint();
    return ListPrintSource{view->printModel(), view->printColumnWidths(), view->printTitle(),
                           view->logicalDpiX()};
}

void CPrintCommands::print()
{
    GListPrintJob job(source());
    QPrinter printer;
    if (!m_app.prompter().choosePrinter(&m_frame, printer))
        return;
    const QString file =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    PainterPageDevice device(printer, file);
    if (job.print(device) == PrintResult::Failed) {
        m_app.prompter().inform(&m_frame,
                                QStringLiteral("Nothing was printed. %1").arg(job.errorString()));
        return;
    }
    if (!file.isEmpty())
        m_frame.showStatus(QStringLiteral("Printed to %1").arg(QDir::toNativeSeparators(file)));
}

void CPrintCommands::preview()
{
    GListPrintJob job(source());
    QPrinter printer;
    m_app.prompter().previewPrint(&m_frame, printer, [&job](QPrinter* target) {
        PainterPageDevice device(*target);
        job.print(device);
    });
}
