#pragma once

#include "ExportFile.h"
#include "Outcome.h"
#include "RecordKey.h"
#include "Records.h"

#include <QObject>

class CMainFrame;
class CVoyantaApp;

// The record commands of the main window: new, modify, delete and copy travels; new,
// modify and delete stages; new appointments; imports into the list the upper view
// edits; exports to a file the user names. Each asks what it must ask, hands the result
// to the store, reports a failure with the file and its cause, and then brings the tree
// and the views up to what is on disk. Nothing else writes travels and stages.
class CRecordCommands : public QObject {
    Q_OBJECT

public:
    CRecordCommands(CMainFrame& frame, CVoyantaApp& app);

    // Whether one of these commands can run now, and running it; run returns false for
    // a command that is not one of these.
    bool handles(int command) const;
    bool run(int command);

    void newTravel();
    // Reads the bookings of the files the user picks, shows them and imports them.
    void importBooking();
    // Imports the bookings of files the user picked or dropped on the window, all in one.
    void importBookingFiles(const QStringList& files);
    void modifyTravel(const RecordKey& travelKey);
    void deleteTravel(const RecordKey& travelKey);
    void copyTravel(const RecordKey& travelKey);
    void newStage(const RecordKey& travelKey);
    void modifyStage(const RecordKey& stageKey);
    void deleteStage(const RecordKey& stageKey);
    void newAppointment(const RecordKey& stageKey);
    void exportTravel(ExportFormat format);
    void exportList();
    void preferences();
    // Imports master-list entries into the list the upper view edits.
    void importItems(PreferenceList list);

private:
    // The key a command acts on, or empty when it has none.
    RecordKey travelOf(int command) const;
    RecordKey stageOf(int command) const;
    void report(const Outcome& outcome);
    // When a save of the stage (and its appointments) was refused because another
    // program removed its travel or stage: offers to keep them as a new travel; true
    // when that was the case.
    bool keptAfterRemoval(const Outcome& outcome, StageRecord stage,
                          const QList<AppointmentRecord>& appointments);
    // Asks where to write the travel's export, writes it and opens it.
    void exportTo(const RecordKey& travelKey, ExportFormat format);
    void exportItinerary(const RecordKey& travelKey);
    // Writes an export's bytes whole, says where in the status bar and opens the file.
    void writeExport(const QString& path, const QByteArray& bytes);

    CMainFrame& m_frame;
    CVoyantaApp& m_app;
};
