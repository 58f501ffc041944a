#include "UpperViewFactory.h"

#include "CheckListView.h"
#include "ExpenseListView.h"
#include "StageDetailListView.h"
#include "StageListView.h"
#include "TravelDetailListView.h"
#include "TravelListView.h"

namespace {

CUpperView* makeView(ViewKind kind, TravelDataStore& store, Prompter& prompter, QWidget* parent)
{
    switch (kind) {
    case ViewKind::TravelDetail:
        return new CTravelDetailListView(store, parent);
    case ViewKind::CheckList:
        return new CChekListView(store, parent);
    case ViewKind::ExpenseList:
        return new CExpenseListView(store, parent);
    case ViewKind::StageList:
        return new CStageListView(store, parent);
    case ViewKind::StageDetail:
        return new CStageDetailListView(store, prompter, parent);
    case ViewKind::TravelList:
        break;
    }
    return new CTravelListView(store, parent);
}

} // namespace

CUpperView* CreateUpperView(ViewKind kind, TravelDataStore& store, Prompter& prompter,
                            QWidget* parent)
{
    CUpperView* view = makeView(kind, store, prompter, parent);
    view->setPrompter(&prompter);
    return view;
}
