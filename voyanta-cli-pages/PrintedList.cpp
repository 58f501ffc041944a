#include "PrintedList.h"

#include "CheckListModel.h"
#include "ColumnWidths.h"
#include "ExpenseModel.h"
#include "GListPrintJob.h"
#include "PageDevice.h"
#include "PrintTitles.h"
#include "StageDetailModel.h"
#include "StageListModel.h"
#include "TravelDetailModel.h"
#include "TravelListModel.h"

#include <QBuffer>
#include <QPdfWriter>

namespace {

// The client width the columns are laid out for.
constexpr int clientWidth = 1000;

} // namespace

ListPrintSource FilledList::source() const
{
    return ListPrintSource{model.get(), columnWidths, title};
}

FilledList FillList(TravelDataStore& store, PrintedList list, const RecordKey& key, QDate month)
{
    const DisplayFormats& formats = store.displayFormats();
    FilledList filled;
    switch (list) {
    case PrintedList::Travels: {
        auto model = std::make_unique<TravelListModel>(formats);
        model->fill(store, month);
        filled = {std::move(model), ColumnWidths::TravelList(clientWidth),
                  PrintTitles::TravelList()};
        break;
    }
    case PrintedList::Details: {
        auto model = std::make_unique<TravelDetailModel>(formats);
        model->setTravel(store.GetTravel(key));
        filled = {std::move(model), ColumnWidths::DetailSheet(clientWidth),
                  PrintTitles::TravelDetails()};
        break;
    }
    case PrintedList::CheckList: {
        auto model = std::make_unique<CheckListModel>(formats);
        model->setItems(store.LoadCheckList(key));
        filled = {std::move(model), ColumnWidths::CheckList(clientWidth),
                  PrintTitles::CheckListFor(store.GetTravel(key).title)};
        break;
    }
    case PrintedList::Expenses: {
        auto model = std::make_unique<ExpenseModel>(formats);
        model->setExpenses(store.LoadExpenses(key));
        const bool currencies = model->showsCurrencies();
        filled = {std::move(model), ColumnWidths::ExpenseList(clientWidth, currencies),
                  PrintTitles::ExpensesFor(store.GetTravel(key).title)};
        break;
    }
    case PrintedList::Stages: {
        auto model = std::make_unique<StageListModel>(formats);
        model->fill(store, key);
        filled = {std::move(model), ColumnWidths::StageList(clientWidth),
                  PrintTitles::StagesFor(store.GetTravel(key).title)};
        break;
    }
    case PrintedList::Stage: {
        auto model = std::make_unique<StageDetailModel>(formats);
        model->fill(store, key);
        filled = {std::move(model), ColumnWidths::DetailSheet(clientWidth),
                  PrintTitles::StageDetailsFor(store.GetStage(key).title)};
        break;
    }
    }
    return filled;
}

bool WriteListPdf(const ListPrintSource& source, const QPageSize& pageSize, QByteArray& pdf,
                  QString* error)
{
    pdf.clear();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(pageSize);
        writer.setCreator(QStringLiteral("Voyanta"));
        writer.setTitle(QStringLiteral("Voyanta") + source.title);
        PainterPageDevice device(writer);
        GListPrintJob job(source);
        if (job.print(device) == PrintResult::Failed) {
            if (error)
                *error = job.errorString();
            return false;
        }
    }
    return true;
}
