#include "TravelSheet.h"

#include "Bitmaps.h"
#include "DialogParts.h"
#include "GuiKit.h"
#include "TravelPage1.h"
#include "TravelPage2.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <QWizard>

CTravelSheet::CTravelSheet(Form form, const TravelRecord& travel, TravelDataStore& store,
                           Prompter& prompter, QWidget* parent, int startPage)
    : m_travel(travel)
{
    m_page1 = new CTravelPage1(store, prompter);
    m_page2 = new CTravelPage2(store);
    m_page1->show(travel);
    m_page2->show(travel);
    if (form == Form::Wizard) {
        auto* wizard = new QWizard(parent);
        wizard->setWizardStyle(QWizard::ModernStyle);
        wizard->setPixmap(QWizard::WatermarkPixmap, LoadBitmap(Bitmaps::WizardWatermark));
        wizard->setPixmap(QWizard::LogoPixmap, LoadBitmap(Bitmaps::WizardHeader));
        wizard->setOption(QWizard::NoCancelButton, false);
        wizard->addPage(m_page1);
        wizard->addPage(m_page2);
        wizard->setWindowTitle(QStringLiteral("New Travel"));
        GuiDrawLayer::ApplyFace(wizard);
        m_dialog = wizard;
    } else {
        auto* dialog = new QDialog(parent);
        dialog->setWindowTitle(QStringLiteral("Modify Travel"));
        GuiDrawLayer::ApplyFace(dialog);
        auto* tabs = new QTabWidget(dialog);
        WithControlId(tabs, Control::Pages);
        tabs->addTab(m_page1, QStringLiteral("Travel Detail"));
        tabs->addTab(m_page2, QStringLiteral("Travel Notes"));
        tabs->setCurrentIndex(startPage);
        // The keyboard starts in the page's first field, not on its tab.
        QWidget* page = tabs->currentWidget();
        for (QWidget* next = page->nextInFocusChain(); next != page;
             next = next->nextInFocusChain()) {
            if (page->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus)) {
                next->setFocus();
                break;
            }
        }
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(tabs);
        layout->addWidget(OkCancelButtons(dialog));
        m_dialog = dialog;
    }
    WithControlId(m_dialog, Dialog::TravelSheet);
    m_dialog->resize(480, 460);
}

CTravelSheet::~CTravelSheet()
{
    delete m_dialog;
}

TravelRecord CTravelSheet::record() const
{
    TravelRecord travel = m_travel;
    m_page1->take(travel);
    m_page2->take(travel);
    travel.title = travel.title.trimmed();
    if (travel.title.isEmpty())
        travel.title = QStringLiteral("No Title");
    return travel;
}
