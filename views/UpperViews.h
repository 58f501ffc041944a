#pragma once

#include "UpperView.h"

// The six upper views. Each lists its records plainly; their full behaviour (sorting,
// drawing, in-place editing) lives with each view.

class CChekListView : public CUpperView {
    Q_OBJECT
public:
    explicit CChekListView(TravelDataStore& store, QWidget* parent = nullptr);
    void load(const TreeSelection& selection) override;
};

class CExpenseListView : public CUpperView {
    Q_OBJECT
public:
    explicit CExpenseListView(TravelDataStore& store, QWidget* parent = nullptr);
    void load(const TreeSelection& selection) override;
};

class CStageListView : public CUpperView {
    Q_OBJECT
public:
    explicit CStageListView(TravelDataStore& store, QWidget* parent = nullptr);
    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    void setDisplayMode(int mode);

private:
    int m_displayMode = 3;
};

class CStageDetailListView : public CUpperView {
    Q_OBJECT
public:
    explicit CStageDetailListView(TravelDataStore& store, QWidget* parent = nullptr);
    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;

private:
    int m_detailRows = 0;
};
