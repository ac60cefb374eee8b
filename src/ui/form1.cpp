// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include "core/conflict_check.h"
#include "core/generation_pass.h"
#include "core/name_conflicts.h"
#include "core/search_replace.h"
#include "core/start_number.h"
#include "names/folder_rules.h"
#include "run/batch_script.h"
#include "run/platform/platform.h"
#include "run/platform/script_run.h"
#include "source/extension_filter.h"
#include "ui/control_rules.h"
#include "ui/drive_box.h"
#include "ui/folder_view.h"
#include "ui/run_controller.h"
#include "ui/warning_colour.h"
#include "ui/window_run_reporter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace quillet
{

namespace
{

} // namespace

Form1::Form1(const Services& services, const QString& strStartFolder, QWidget* parent)
    : QWidget(parent), m_services(services)
{
    m_check = new ConflictCheck(this);
    connect(m_check, &ConflictCheck::marksReady, this,
            [this](const QList<RenameForecast>& forecasts, const QStringList& current) {
                m_pairs.SetForecasts(forecasts, current);
            });
    connect(m_check, &ConflictCheck::marksOutdated, this, [this] { m_pairs.ClearForecasts(); });
    CreateControls();
    FitCaptions();
    SetTabOrder();
    SetAccessibleNames();
    PairNameColumns();
    UpdateMarkLook();

    // The selectors stand on the start folder before the start-up sequence runs.
    m_driveFolders.SetDrives(m_services.drives->Drives());
    ListDrives();
    // The folder's identity before its files are read: the runs refuse a folder that is not
    // the one read.
    m_folderIdentity = m_services.platform->folderIdentity(strStartFolder).value_or(QByteArray());
    FolderContents contents = ReadFolder(strStartFolder);
    const QString strError = contents.error;
    m_folders.Assign(contents);
    m_ui.Dir1->ShowFolders(m_folders);
    m_file1.Assign(std::move(contents));
    m_nameRules = quillet::FolderNameRules(m_file1.Path(), m_file1.AllFiles());
    m_driveFolders.NoteFolder(m_folders.Path());
    SelectDriveOf(m_folders.Path());

    ConnectHandlers();
    UpdateMethodMarks();
    if (!strError.isEmpty())
        ShowMessage(strError, QString(), MessageIcon::Warning);
    StartUp();
    m_ui.Drive1->setFocus();
}

Form1::~Form1() = default;

void Form1::WaitForMarks()
{
    m_check->Wait();
}

void Form1::ConnectHandlers()
{
    connect(m_ui.Drive1, &QComboBox::activated, this, &Form1::OnDriveChosen);
    connect(m_ui.Drive1, &DriveBox::aboutToOffer, this, &Form1::RefreshDrives);
    connect(m_ui.Dir1, &FolderView::entryOpened, this, &Form1::OnFolderEntryOpened);
    connect(m_ui.Combo1, &QComboBox::activated, this, &Form1::OnFilterChosen);
    connect(m_ui.Check1, &QCheckBox::clicked, this, &Form1::OnTemplateCheckClicked);
    connect(m_ui.cboFileNameCase, &QComboBox::activated, this, [this] { BuildNewNames(); });
    connect(m_ui.Text4, &QLineEdit::textChanged, this, [this] { BuildNewNames(); });
    connect(m_ui.Text1, &QLineEdit::textChanged, this, &Form1::OnStartNumberChanged);
    connect(m_ui.VScroll1, &QScrollBar::valueChanged, this, &Form1::OnSpinnerChanged);
    connect(m_ui.Option5, &QRadioButton::clicked, this,
            [this] { OnSpaceButton(SpaceMode::NoChange); });
    connect(m_ui.Option3, &QRadioButton::clicked, this,
            [this] { OnSpaceButton(SpaceMode::NoRedundant); });
    connect(m_ui.Option4, &QRadioButton::clicked, this,
            [this] { OnSpaceButton(SpaceMode::NoSpace); });
    // The method matters to the rename run, and to the marks of the pairs it cannot carry out.
    connect(m_ui.Option1, &QRadioButton::toggled, this, &Form1::UpdateMethodMarks);
    connect(m_ui.Command3, &QPushButton::clicked, this, &Form1::OnUpdateClicked);
    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::OnOkClicked);
    connect(m_ui.cmdCreateBatch, &QPushButton::clicked, this, &Form1::OnBatchFileClicked);
    connect(m_ui.Command2, &QPushButton::clicked, this, &QWidget::close);
    m_ui.lstNewFileName->installEventFilter(this);
    ConnectUndo();
}

void Form1::StartUp()
{
    DisableControls();
    const auto start = ConvertStartNumber(m_ui.Text1->text());
    if (start)
        m_ui.VScroll1->setValue(*start);
    m_ui.VScroll1->setMinimum(0);
    m_ui.VScroll1->setMaximum(9999);
    FillExtensionFilter();
    FillNewNameList();
    BuildNewNames();
}

void Form1::ShowMessage(const QString& text, const QString& title, MessageIcon icon)
{
    m_services.messages->show(this, text, title, icon);
}

// ---- Enabled state -------------------------------------------------------------------

void Form1::SetSettingsEnabled(bool bEnabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_ui.Frame1,          m_ui.Frame2,   m_ui.Frame3,   m_ui.Frame4,  m_ui.Combo1,
             m_ui.cboFileNameCase, m_ui.Command3, m_ui.Check1,   m_ui.Text1,   m_ui.Text2,
             m_ui.Text3,           m_ui.Text4,    m_ui.VScroll1, m_ui.Label1,  m_ui.Label2,
             m_ui.Label4,          m_ui.Label5,   m_ui.Label7,   m_ui.Label10, m_ui.Label13,
             m_ui.Label14})
        w->setEnabled(bEnabled);
}

void Form1::DisableControls()
{
    ApplyEnabled(EnabledControls());
}

ControlInputs Form1::CurrentInputs() const
{
    ControlInputs inputs;
    inputs.nFiles = m_file1.Count();
    inputs.bUseTemplate = m_ui.Check1->isChecked();
    inputs.strTemplate = m_ui.Text4->text();
    inputs.nCaseMode = m_ui.cboFileNameCase->currentIndex();
    return inputs;
}

void Form1::EnableControls()
{
    ControlInputs inputs = CurrentInputs();
    inputs.nFiles = qMax<qsizetype>(inputs.nFiles, 1); // enabled as for a list with files
    ApplyEnabled(EnabledFor(inputs));
}

void Form1::ApplyEnabled(const EnabledControls& enabled)
{
    SetSettingsEnabled(enabled.bSettings);
    m_ui.Command1->setEnabled(enabled.bOk);
    m_ui.cmdCreateBatch->setEnabled(enabled.bBatchFile);
}

// ---- Name lists ------------------------------------------------------------------------

void Form1::FillNewNameList()
{
    m_pairs.SetCurrentNames(m_file1.Items());
    // New rows: nothing the user selected among the old ones is selected among them.
    m_ui.lstNewFileName->selectionModel()->clear();
    m_ui.lstOldFileName->selectionModel()->clear();
    m_ui.Label12->setText(QString::number(m_file1.Count()));
}

void Form1::BuildNewNames()
{
    const qsizetype n = m_file1.Count();
    if (n == 0)
        DisableControls();
    else
        EnableControls();
    m_ui.Label12->setText(QString::number(n));

    RenameSettings settings;
    settings.bUseTemplate = m_ui.Check1->isChecked();
    settings.strTemplate = m_ui.Text4->text();
    settings.strStartAt = m_ui.Text1->text();
    settings.nCaseMode = m_ui.cboFileNameCase->currentIndex();
    settings.strSpaceMode = m_ui.Label15->text();
    // Proposals for the names still in the old-name column, so both columns stay paired
    // after entries were removed with the Delete key. They are computed for the rows the
    // list shows, and in full only for what needs them all (the check, a run, a script).
    m_pairs.SetProposer(std::make_shared<const NameProposer>(settings));
    MarkProblems();
}

void Form1::MarkProblems()
{
    m_check->Check(m_pairs.CurrentNames(), m_file1.AllFiles(), m_nameRules, m_pairs.Proposer(),
                   m_pairs.HeldProposals());
}

void Form1::UpdateMethodMarks()
{
    if (!m_ui.Option1->isChecked()) {
        m_pairs.SetPairCheck({});
        return;
    }
    // The Shell method: the pairs its script cannot hold.
    Platform* platform = m_services.platform;
    m_pairs.SetPairCheck([platform](const QString& strFrom, const QString& strTo) {
        return ScriptPairProblem(
            strFrom, strTo, platform->separator(),
            [platform](const QString& text) { return platform->encodeScriptText(text); });
    });
}

void Form1::UpdateMarkLook()
{
    m_pairs.SetMarkLook(
        ReadableWarningColour(palette().color(QPalette::Active, QPalette::Base)),
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, m_ui.lstOldFileName));
}

void Form1::changeEvent(QEvent* event)
{
    // A new theme or palette: the marks are drawn to read on the new background (the
    // window's own palette: the lists take theirs from it).
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        UpdateMarkLook();
    QWidget::changeEvent(event);
}

void Form1::PairNameColumns()
{
    // The two columns show the same rows and the same current row, so a row always reads
    // "old name, new name"; scrolling or moving in one moves the other.
    const auto follow = [this](QListView* from, QListView* to) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, to](int nValue) {
            if (m_bPairing)
                return;
            m_bPairing = true;
            to->verticalScrollBar()->setValue(nValue);
            m_bPairing = false;
        });
        connect(from->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this, to](const QModelIndex& current) {
                    if (m_bPairing)
                        return;
                    m_bPairing = true;
                    const QModelIndex row = to->model()->index(current.row(), to->modelColumn());
                    to->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
                    to->viewport()->update();
                    m_bPairing = false;
                });
    };
    follow(m_ui.lstNewFileName, m_ui.lstOldFileName);
    follow(m_ui.lstOldFileName, m_ui.lstNewFileName);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.lstNewFileName && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDeleteKey();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::OnDeleteKey()
{
    const QModelIndexList selected = m_ui.lstNewFileName->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    QList<qsizetype> rows;
    rows.reserve(selected.size());
    for (const QModelIndex& index : selected)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    m_pairs.RemoveSortedRows(rows);
    MarkProblems();
}

// ---- Folder, drive and filter ----------------------------------------------------------

void Form1::ListDrives()
{
    const QSignalBlocker blocker(m_ui.Drive1);
    m_ui.Drive1->clear();
    for (const Drive& drive : m_driveFolders.Drives())
        m_ui.Drive1->addItem(drive.text);
}

void Form1::RefreshDrives()
{
    // Volumes come and go while the window is open: the list follows the system's.
    QList<Drive> drives = m_services.drives->Drives();
    if (drives == m_driveFolders.Drives())
        return;
    m_driveFolders.SetDrives(std::move(drives));
    ListDrives();
    SelectDriveOf(m_folders.Path());
}

void Form1::SelectDriveOf(const QString& strFolder)
{
    const QSignalBlocker blocker(m_ui.Drive1);
    m_ui.Drive1->setCurrentIndex(int(m_driveFolders.DriveIndexOf(strFolder)));
}

void Form1::OpenFolder(const QString& strPath)
{
    m_folderIdentity = m_services.platform->folderIdentity(strPath).value_or(QByteArray());
    ShowFolder(ReadFolder(strPath));
}

void Form1::ShowFolder(FolderContents contents)
{
    // One read of the folder serves the folder list and the file list.
    const QString strError = contents.error;
    m_folders.Assign(contents);
    m_ui.Dir1->ShowFolders(m_folders);
    m_driveFolders.NoteFolder(m_folders.Path());
    SelectDriveOf(m_folders.Path());

    // The folder change: the file list follows the folder, which rebuilds the filter;
    // then the old names and the proposals.
    m_file1.Assign(std::move(contents));
    m_nameRules = quillet::FolderNameRules(m_file1.Path(), m_file1.AllFiles());
    FillExtensionFilter();
    if (!strError.isEmpty())
        ShowMessage(strError, QString(), MessageIcon::Warning);
    FillNewNameList();
    BuildNewNames();
}

void Form1::OnFolderEntryOpened(qsizetype nIndex)
{
    const QList<FolderEntry> entries = m_folders.Entries();
    if (nIndex >= 0 && nIndex < entries.size())
        OpenFolder(entries[nIndex].path);
}

void Form1::OnDriveChosen(int nIndex)
{
    const DriveChangeResult result = ChangeDrive(
        *m_services.drives, m_driveFolders, nIndex, m_folders.Path(),
        [this](const QString& text) { ShowMessage(text, QString(), MessageIcon::None); });
    if (result.bMoved) {
        OpenFolder(result.strFolder);
    } else {
        const QSignalBlocker blocker(m_ui.Drive1);
        m_ui.Drive1->setCurrentIndex(int(result.nDrive));
    }
}

void Form1::FillExtensionFilter()
{
    m_ui.Combo1->clear();
    m_ui.Combo1->addItems(quillet::FillExtensionFilter(m_file1));
    m_ui.Combo1->setCurrentIndex(-1);
    m_ui.Combo1->setEditText(QString());
    m_pairs.SetCurrentNames({});
}

void Form1::OnFilterChosen(int nIndex)
{
    // The folder as it is now: files renamed, added or removed since it was read are listed
    // as they are. The pattern applies to that reading.
    m_folderIdentity = m_services.platform->folderIdentity(m_file1.Path()).value_or(QByteArray());
    FolderContents contents = ReadFolder(m_file1.Path());
    const QString strError = contents.error;
    m_file1.Assign(std::move(contents));
    m_nameRules = quillet::FolderNameRules(m_file1.Path(), m_file1.AllFiles());
    m_file1.SetPattern(PatternForEntry(m_ui.Combo1->itemText(nIndex)));
    if (!strError.isEmpty())
        ShowMessage(strError, QString(), MessageIcon::Warning);
    FillNewNameList();
    BuildNewNames();
}

// ---- Settings ----------------------------------------------------------------------------

void Form1::OnTemplateCheckClicked()
{
    BuildNewNames();
    // Ticking the box wants a template first: "&Ok" waits for the next change of it.
    ControlInputs inputs = CurrentInputs();
    inputs.bJustTicked = true;
    m_ui.Command1->setEnabled(EnabledFor(inputs).bOk);
}

void Form1::OnStartNumberChanged()
{
    const auto value = ConvertStartNumber(m_ui.Text1->text());
    if (value && *value >= m_ui.VScroll1->minimum() && *value <= m_ui.VScroll1->maximum())
        m_ui.VScroll1->setValue(*value);
    BuildNewNames();
}

void Form1::OnSpinnerChanged(int nValue)
{
    // Writing the text runs the start-number handling, and with it the pass.
    m_ui.Text1->setText(QString::number(nValue));
}

void Form1::OnSpaceButton(const QString& strMode)
{
    m_ui.Label15->setText(strMode);
    BuildNewNames();
}

// ---- Buttons -----------------------------------------------------------------------------

void Form1::OnUpdateClicked()
{
    if (Busy())
        return;
    auto* job =
        new SearchReplaceJob(m_pairs.ProposedNames(), m_ui.Text2->text(), m_ui.Text3->text());
    SetProgressRange(m_ui.ProgressBar1, 0, double(m_pairs.Count()));
    connect(job, &Job::progress, m_ui.ProgressBar1,
            [this](qsizetype nDone) { m_ui.ProgressBar1->setValue(int(nDone)); });
    m_runs->Hold(job, [this, job] {
        m_pairs.SetProposals(job->takeEntries());
        MarkProblems();
        ShowMessage(tr("Search and Replace Finished"), tr("Search and Replace status"),
                    MessageIcon::Information);
        m_ui.ProgressBar1->setValue(0);
        m_ui.Text2->clear();
        m_ui.Text3->clear();
    });
}

} // namespace quillet
