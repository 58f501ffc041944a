#pragma once

#include "ExportFile.h"
#include "RecordKey.h"

#include <QObject>

class CMainFrame;
class CVoyantaApp;

// The record commands of the main window: delete and copy travels; new, modify and
// delete stages; new appointments; exports to a file the user names. Each asks what it
// must ask, hands the result to the store and brings the tree and the views up to date.
class CRecordCommands : public QObject {
    Q_OBJECT

public:
    CRecordCommands(CMainFrame& frame, CVoyantaApp& app);

    // Runs a command; false when it is not one of these.
    bool run(int command);

    // The travel a travel command acts on: the marked row's in the travel list, the shown
    // one in the travel detail; empty otherwise.
    RecordKey travelTarget() const;
    // The stage a stage command acts on: the marked row's in the stage list, the shown
    // one in the stage detail; empty otherwise.
    RecordKey stageTarget() const;

    void newTravel();
    void modifyTravel(const RecordKey& travelKey);
    void deleteTravel(const RecordKey& travelKey);
    void copyTravel(const RecordKey& travelKey);
    void newStage(const RecordKey& travelKey);
    void modifyStage(const RecordKey& stageKey);
    void deleteStage(const RecordKey& stageKey);
    void newAppointment(const RecordKey& stageKey);
    void exportTravel(ExportFormat format);
    void preferences();
    // Imports master check-list entries (or products) into the travel the tree shows.
    void importItems(bool products);

private:
    CMainFrame& m_frame;
    CVoyantaApp& m_app;
};
