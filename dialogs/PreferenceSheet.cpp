#include "PreferenceSheet.h"

#include "Currency.h"
#include "DialogParts.h"
#include "GuiKit.h"
#include "PreferencePage.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QComboBox>
#include <QFormLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const pageCaptions[] = {"Mode",     "Priority", "Status",     "Type",
                                    "Products", "Units",    "Master List"};

} // namespace

CPreferenceSheet::CPreferenceSheet(TravelDataStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_store(store), m_prompter(prompter), m_tabs(new QTabWidget(this)),
      m_homeCurrency(new QComboBox(this))
{
    m_homeCurrency->setObjectName(QStringLiteral("homeCurrency"));
    const QLocale& locale = store.displayFormats().locale();
    for (const QString& code : Currency::CurrentCodes())
        m_homeCurrency->addItem(code + QStringLiteral(" \u2013 ") + Currency::Name(code, locale),
                                code);
    m_homeCurrency->setCurrentIndex(m_homeCurrency->findData(store.HomeCurrency()));
    WithControlId(this, Dialog::PreferenceSheet);
    setWindowTitle(QStringLiteral("Voyanta Preferences"));
    GuiDrawLayer::ApplyFace(this);
    for (int number = 1; number <= 7; ++number)
        m_tabs->addTab(new CPreferencePage(store, number, m_tabs),
                       QLatin1String(pageCaptions[number - 1]));
    auto* layout = new QVBoxLayout(this);
    auto* currency = new QFormLayout;
    currency->addRow(QStringLiteral("&Home currency:"), m_homeCurrency);
    layout->addLayout(currency);
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
    const QString home = m_homeCurrency->currentData().toString();
    if (!home.isEmpty() && home != m_store.HomeCurrency()) {
        if (Outcome written = m_store.SetHomeCurrency(home); !written.ok()) {
            m_prompter.inform(this, written.message());
            return;
        }
    }
    for (int number = 1; number <= 7; ++number) {
        if (Outcome written = page(number)->commit(); !written.ok()) {
            m_prompter.inform(this, written.message());
            return;
        }
    }
    QDialog::accept();
}
