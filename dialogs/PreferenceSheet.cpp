#include "PreferenceSheet.h"

#include "DialogParts.h"
#include "GuiKit.h"
#include "PreferencePage.h"
#include "Prompter.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const pageCaptions[] = {"Mode",     "Priority", "Status",     "Type",
                                    "Products", "Units",    "Master List"};

} // namespace

CPreferenceSheet::CPreferenceSheet(TravelDataStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_tabs(new QTabWidget(this))
{
    WithControlId(this, Dialog::PreferenceSheet);
    setWindowTitle(QStringLiteral("Voyanta Preferences"));
    GuiDrawLayer::ApplyFace(this);
    for (int number = 1; number <= 7; ++number)
        m_tabs->addTab(new CPreferencePage(store, number, m_tabs),
                       QLatin1String(pageCaptions[number - 1]));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(OkCancelButtons(this));
    resize(380, 460);
}

CPreferencePage* CPreferenceSheet::page(int listNumber) const
{
    return static_cast<CPreferencePage*>(m_tabs->widget(listNumber - 1));
}

void CPreferenceSheet::accept()
{
    for (int number = 1; number <= 7; ++number) {
        if (Outcome written = page(number)->commit(); !written.ok()) {
            m_prompter.inform(this, written.message());
            return;
        }
    }
    QDialog::accept();
}
