#include "GPrintJob.h"

#include "PageDevice.h"

PrintResult GPrintJob::print(PageDevice& device)
{
    m_device = &device;
    m_page = 1;
    m_pageRect = device.pageRect().marginsRemoved(margins());
    m_error.clear();
    if (!device.beginDocument()) {
        m_error = device.errorString();
        return PrintResult::Failed;
    }
    printBody();
    if (!device.endDocument()) {
        m_error = device.errorString();
        return PrintResult::Failed;
    }
    return PrintResult::Printed;
}
