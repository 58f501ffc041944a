#pragma once

#include "UpperView.h"

class CListCtrl;
class Prompter;
class StageDetailModel;

// One stage as a sheet of labelled rows, then its appointments by date. Appointments
// are made, changed and deleted here, in the rows, through the Appointment dialog; the
// rows are the working copy and reach the store when the frame saves the view, and at
// once when the last appointment is deleted. A double click on the stage's rows
// changes the stage, on an appointment the appointment.
class CStageDetailListView : public CUpperView {
    Q_OBJECT

public:
    CStageDetailListView(TravelDataStore& store, Prompter& prompter, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    ViewFacts facts() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownStage() const override;
    Outcome save() override;
    void discardChanges() override;
    Outcome keepAsNewTravel() override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void markFound(const FindMatch& match) override;

    // Asks for a new appointment, starting from the stage's date, title, place and
    // notes, and adds it to the rows.
    void newAppointment();
    void modifyAppointment(int row);
    // Asks first; deleting the last appointment saves at once.
    void deleteAppointment(int row);
    // Whether the rows hold appointments that the store does not have yet.
    bool hasUnsavedAppointments() const;

    StageDetailModel* model() const { return m_model; }
    CListCtrl* list() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool appointmentMarked() const;
    void openRow(int row);

    StageDetailModel* m_model;
    CListCtrl* m_list;
};
