#pragma once

#include "DisplayFormats.h"
#include "Outcome.h"
#include "Records.h"
#include "RowOrderModel.h"

#include <QStringList>

class TravelDataStore;

// One stage as a sheet of labelled rows (its title, date, place and notes in pieces of
// at most 50 characters, an empty line of the notes an empty row), followed, while the stage has
// appointments, by an empty row, the row "Appointments:" and one row per appointment by date. The
// appointments are the working copy that the stage detail edits: they go back to the store only
// through appointments().
class StageDetailModel : public RowOrderModel {
    Q_OBJECT

public:
    enum Column { Label, Value, ColumnCount };
    enum Row { TitleRow = 1, DateRow = 3, PlaceRow = 4, NotesRow = 5, FixedRowCount = 6 };

    explicit StageDetailModel(const DisplayFormats& formats, QObject* parent = nullptr);

    // Shows a stage with its appointments as the store holds them.
    void fill(TravelDataStore& store, const RecordKey& stageKey);
    void setStage(const StageRecord& stage, QList<AppointmentRecord> appointments);
    void clear();

    const StageRecord& stage() const { return m_stage; }
    const RecordKey& stageKey() const { return m_stage.key; }
    // The rows above the appointment section: 6 plus one per further piece of the notes.
    int detailRowCount() const;
    // The row of the first appointment (whether or not there is one).
    int firstAppointmentRow() const { return detailRowCount() + 2; }
    bool hasAppointmentSection() const { return !m_appointments.isEmpty(); }
    bool isAppointmentRow(int row) const;
    const AppointmentRecord& appointment(int row) const;
    // The appointments in row order, as they are saved.
    const QList<AppointmentRecord>& appointments() const { return m_appointments; }

    // What a new appointment of the stage starts from: its date, title, place and notes.
    AppointmentRecord newAppointment() const;
    // Adds an appointment (and the section's two rows before the first one) and sorts;
    // returns the appointment's row.
    int addAppointment(const AppointmentRecord& appointment);
    // Changes the appointment of a row and sorts; returns its row then.
    int setAppointment(int row, const AppointmentRecord& appointment);
    // Removes the appointment of a row; with the last one the section goes too.
    void removeAppointment(int row);

    // Whether the appointments changed since they were filled or last saved.
    bool isModified() const { return m_modified; }
    void setSaved() { m_modified = false; }
    // Writes changed appointments to the store under the stage's key.
    Outcome save(TravelDataStore& store);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The columns have no captions (not the numbers a model shows by default).
    QVariant headerData(int, Qt::Orientation, int) const override { return {}; }

protected:
    void permuteRows(const QList<int>& order) override;

private:
    // Sorts the appointment rows by date and returns the order applied (old rows).
    QList<int> sortAppointments();
    QString text(int row, int column) const;

    DisplayFormats m_formats;
    StageRecord m_stage;
    QStringList m_notes;
    QList<AppointmentRecord> m_appointments;
    bool m_modified = false;
};
