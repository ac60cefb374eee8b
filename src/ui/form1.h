// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/name_rules.h"
#include "run/rename_job.h"
#include "run/run_outcome.h"
#include "source/drive_change.h"
#include "source/file_list.h"
#include "source/folder_list.h"
#include "ui/drive_box.h"
#include "ui/form1_controls.h"
#include "ui/message_service.h"
#include "ui/name_pairs_model.h"

#include <QWidget>
#include <memory>

class QAction;

namespace quillet
{

class DriveProvider;
class Platform;
class ConflictCheck;
class RunController;
struct ControlInputs;
struct EnabledControls;

// The program's one window: it lays out its controls (Form1Controls) and wires them to the
// objects that hold the logic: the model of the rename pairs behind both name lists, the
// conflict check, the run controller and the enabled-state rules. File1 (the file list) is
// plain data. The handlers read the controls afresh and hand plain values on.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // What the window uses of the outside world; tests pass their own.
    struct Services {
        MessageService* messages = nullptr;
        DriveProvider* drives = nullptr;
        Platform* platform = nullptr;
    };

    // Builds the window on strStartFolder and runs the start-up sequence.
    Form1(const Services& services, const QString& strStartFolder, QWidget* parent = nullptr);
    ~Form1() override;

    // The file list the names come from (hidden; plain data).
    const FileList& File1() const { return m_file1; }
    // The rename pairs, and their two columns as lists of names.
    const NamePairsModel& Pairs() const { return m_pairs; }
    NameColumn OldNameColumn() const { return {m_pairs, NamePairsModel::Current}; }
    NameColumn NewNameColumn() const { return {m_pairs, NamePairsModel::Proposed}; }

    // Opens a folder as the folder list does when the user opens it.
    void OpenFolder(const QString& strPath);

    void FillExtensionFilter();
    void FillNewNameList();
    void BuildNewNames();
    void DisableControls();
    void EnableControls();
    // Waits for a conflict check running on the worker; its marks, if still wanted, come
    // with the next turn of the event loop.
    void WaitForMarks();

    // "Undo Last Rename": Ctrl+Z in the window and the context menu of both name lists.
    QAction* UndoAction() const;
    // The controls, for the handlers' wiring and for tests that drive them.
    const Form1Controls& Ui() const { return m_ui; }
    // Whether a Shell run's interpreter is still running or its outcome not yet read.
    bool ScriptRunning() const;
    // Whether a job (a run, an undo, a search and replace) holds the window.
    bool Busy() const;
    // At start-up: offers to give back the old names of the files of each rename run that
    // was interrupted (the program or the interpreter killed in the middle of it).
    void OfferInterruptedRuns();

signals:
    // A job (a run, an undo, a search and replace) has finished.
    void jobFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void FitCaptions();
    void SetTabOrder();
    void SetAccessibleNames();
    void PairNameColumns();
    void ConnectHandlers();
    void StartUp();

    void ShowMessage(const QString& text, const QString& title, MessageIcon icon);
    void SetSettingsEnabled(bool bEnabled);
    void ApplyEnabled(const EnabledControls& enabled);
    ControlInputs CurrentInputs() const;
    void ShowFolder(FolderContents contents);
    void SelectDriveOf(const QString& strFolder);
    void MarkProblems();
    void UpdateMarkLook();
    void UpdateMethodMarks();
    void RefreshDrives();
    void ListDrives();

    // Handlers.
    void OnDriveChosen(int nIndex);
    void OnFolderEntryOpened(qsizetype nIndex);
    void OnFilterChosen(int nIndex);
    void OnTemplateCheckClicked();
    void OnStartNumberChanged();
    void OnSpinnerChanged(int nValue);
    void OnSpaceButton(const QString& strMode);
    void OnDeleteKey();
    void OnUpdateClicked();
    void OnOkClicked();
    void OnBatchFileClicked();
    RenameJob CurrentJob() const;
    void ConnectUndo();
    void ShowUndoMenu(QListView* list, const QPoint& pos);

    Services m_services;
    FileList m_file1;
    FolderList m_folders;
    DriveFolders m_driveFolders;
    NameRules m_nameRules; // the rules of the current folder's file system (FolderNameRules)
    // The pairs: lstNewFileName ("Old Name") shows the current names, lstOldFileName ("New
    // Name") the proposed ones.
    NamePairsModel m_pairs;
    QByteArray m_folderIdentity;      // of the folder as it was read, for the runs' check
    bool m_bPairing = false;          // one name column is following the other
    ConflictCheck* m_check = nullptr; // the marks of the proposed names

    // The runs, their undo and the jobs that hold the window.
    RunController* m_runs = nullptr;

    Form1Controls m_ui;
};

} // namespace quillet
