#include "UpperView.h"

CUpperView::CUpperView(ViewKind kind, TravelDataStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_kind(kind)
{
    setObjectName(QStringLiteral("upperView%1").arg(int(kind)));
}

ViewFacts CUpperView::facts() const
{
    ViewFacts facts;
    facts.kind = m_kind;
    return facts;
}

bool CUpperView::handles(int) const
{
    return false;
}

bool CUpperView::run(int)
{
    return false;
}

Outcome CUpperView::importItems(const QStringList&)
{
    return {};
}
