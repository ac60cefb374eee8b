// SPDX-License-Identifier: GPL-3.0-or-later
// The rename buttons, the watch over the Shell run's interpreter and the undo of the last run.

#include "ui/form1.h"
#include "ui/run_controller.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QListView>
#include <QMenu>
#include <QRadioButton>

namespace quillet
{

RenameJob Form1::CurrentJob() const
{
    // The folder in the platform's own spelling: the run appends its separator to it.
    return {QDir::toNativeSeparators(m_file1.Path()), m_pairs.CurrentNames(),
            m_pairs.ProposedNames(), m_folderIdentity};
}

bool Form1::ScriptRunning() const
{
    return m_runs->ScriptRunning();
}

bool Form1::Busy() const
{
    return m_runs->Busy();
}

void Form1::OfferInterruptedRuns()
{
    // The folder is read again once names came back: its files and their extensions changed.
    m_runs->OfferInterruptedRuns([this] { OpenFolder(m_file1.Path()); });
}

QAction* Form1::UndoAction() const
{
    return m_runs->UndoAction();
}

void Form1::OnOkClicked()
{
    if (Busy())
        return;
    if (ScriptRunning()) {
        // The lists may still show names the running interpreter is changing.
        ShowMessage(tr("The previous rename run is still going on. Nothing was started; try "
                       "again when it has finished."),
                    tr("Rename"), MessageIcon::Information);
        return;
    }
    m_runs->Run(m_ui.Option1->isChecked(), CurrentJob());
}

void Form1::OnBatchFileClicked()
{
    if (Busy())
        return;
    m_runs->WriteBatch(CurrentJob());
}

// ---- Undo ----------------------------------------------------------------------------

void Form1::ConnectUndo()
{
    m_runs = new RunController(this, m_services.messages, m_services.platform, m_ui.ProgressBar1);
    connect(m_runs, &RunController::jobFinished, this, &Form1::jobFinished);
    for (QListView* list : {m_ui.lstNewFileName, m_ui.lstOldFileName}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { ShowUndoMenu(list, pos); });
    }
}

void Form1::ShowUndoMenu(QListView* list, const QPoint& pos)
{
    QMenu menu(this);
    menu.setToolTipsVisible(true); // the reason the entry is disabled
    menu.addAction(UndoAction());
    menu.exec(list->viewport()->mapToGlobal(pos));
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A run goes on to its closing message; the window closes after it.
    if (Busy()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace quillet
