// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the controls of the window at their places. Places and sizes are given in twips
// as the window was designed (15 twips to a pixel at 96 dots per inch).

#include "ui/accessible_controls.h"
#include "ui/caption_frame.h"
#include "ui/drive_box.h"
#include "ui/folder_view.h"
#include "ui/form1.h"
#include "ui/name_column_model.h"
#include "ui/name_list_view.h"
#include "ui/name_row_delegate.h"
#include "ui/pick_combo_box.h"
#include "ui/start_number_validator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace quillet
{

namespace
{

QRect Twips(int nLeft, int nTop, int nWidth, int nHeight)
{
    return QRect(nLeft / 15, nTop / 15, nWidth / 15, nHeight / 15);
}

template <typename W> W* Place(W* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    return Place(new QLabel(text, parent), name, geometry);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& title, const QRect& geometry)
{
    return Place(new CaptionFrame(title, parent), name, geometry);
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, const QRect& geometry)
{
    return Place(new QLineEdit(parent), name, geometry);
}

QListView* MakeNameList(QWidget* parent, const char* name, const QRect& geometry,
                        NamePairsModel* model, NamePairsModel::Column column,
                        QAbstractItemView::SelectionMode mode, bool bMarkSlot)
{
    QListView* view = Place(new NameListView(parent), name, geometry);
    auto* columnModel = new NameColumnModel(column, view);
    columnModel->setSourceModel(model);
    view->setModel(columnModel);
    view->setItemDelegate(new NameRowDelegate(bMarkSlot, view));
    view->setUniformItemSizes(true); // keeps views of many thousand names fast
    view->setSelectionMode(mode);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Both columns scroll by whole rows over the same height, so they can show the same
    // rows; a name too long for its column shows whole in its tooltip.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setTextElideMode(Qt::ElideRight);
    // The problem icon is as tall as a line of text, so the rows stay as they were.
    const int nIcon = view->fontMetrics().height();
    view->setIconSize(QSize(nIcon, nIcon));
    return view;
}

} // namespace

void Form1::CreateControls()
{
    InstallAccessibleControls();
    setWindowTitle(tr("Quillet v 1.00 10032002 (Ombrel)"));
    // The program's own icon: 16 x 16 in the title bar, the larger sizes where the desktop
    // shows it bigger.
    QIcon icon;
    for (const char* size : {"16", "32", "48"})
        icon.addFile(QStringLiteral(":/icons/quillet-%1.png").arg(QLatin1String(size)));
    setWindowIcon(icon);
    // A fixed single border: the client area keeps its size and cannot be resized.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(9750 / 15, 7035 / 15);
    // The classic dialog font: 8 points, with Arial's metrics where such a font is
    // installed (the captions were laid out for them), else the platform's own family.
    QFont font = this->font();
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), font.family()});
    font.setPointSize(8);
    setFont(font);

    m_ui.Drive1 = Place(new DriveBox(this), "Drive1", Twips(120, 240, 2535, 315));
    m_ui.Dir1 = Place(new FolderView(this), "Dir1", Twips(120, 720, 2535, 2115));

    m_ui.Frame3 = MakeFrame(this, "Frame3", tr("Filter"), Twips(2880, 240, 1815, 735));
    m_ui.Label10 = MakeLabel(m_ui.Frame3, "Label10", tr("Extension"), Twips(120, 240, 855, 255));
    m_ui.Combo1 = Place(new PickComboBox(m_ui.Frame3), "Combo1", Twips(960, 240, 735, 315));
    m_ui.Combo1->setEditText(QStringLiteral("*"));

    m_ui.Frame4 =
        MakeFrame(this, "Frame4", tr("Search and Replace"), Twips(2880, 1080, 1815, 2175));
    m_ui.Label13 =
        MakeLabel(m_ui.Frame4, "Label13", tr("Search String"), Twips(120, 240, 1335, 255));
    m_ui.Text2 = MakeTextBox(m_ui.Frame4, "Text2", Twips(120, 480, 1575, 375));
    m_ui.Label14 =
        MakeLabel(m_ui.Frame4, "Label14", tr("Replace String"), Twips(120, 960, 1455, 255));
    m_ui.Text3 = MakeTextBox(m_ui.Frame4, "Text3", Twips(120, 1200, 1575, 375));
    m_ui.Command3 =
        Place(new QPushButton(tr("&Update"), m_ui.Frame4), "Command3", Twips(240, 1680, 1335, 375));

    m_ui.Frame1 = MakeFrame(this, "Frame1", tr("Template"), Twips(4920, 240, 4695, 2175));
    m_ui.Check1 = Place(new QCheckBox(m_ui.Frame1), "Check1", Twips(120, 240, 255, 255));
    m_ui.Label7 =
        MakeLabel(m_ui.Frame1, "Label7", tr("Specify a template to use for renaming files"),
                  Twips(360, 240, 3135, 255));
    m_ui.Label4 = MakeLabel(m_ui.Frame1, "Label4",
                            tr("* Use #'s to specify postions used by numeric enumerator."),
                            Twips(240, 600, 4095, 255));
    m_ui.Label5 =
        MakeLabel(m_ui.Frame1, "Label5", tr("* Use * to insert original filename in pattern."),
                  Twips(240, 840, 3855, 255));
    m_ui.Label1 = MakeLabel(m_ui.Frame1, "Label1", tr("Template:"), Twips(360, 1200, 735, 255));
    m_ui.Text4 = MakeTextBox(m_ui.Frame1, "Text4", Twips(1200, 1200, 3015, 375));
    m_ui.Label2 = MakeLabel(m_ui.Frame1, "Label2", tr("Start at:"), Twips(480, 1680, 615, 255));
    m_ui.Text1 = MakeTextBox(m_ui.Frame1, "Text1", Twips(1200, 1680, 1575, 315));
    m_ui.Text1->setText(QStringLiteral("1"));
    m_ui.Text1->setValidator(new StartNumberValidator(m_ui.Text1));
    m_ui.VScroll1 =
        Place(new QScrollBar(Qt::Vertical, m_ui.Frame1), "VScroll1", Twips(2760, 1680, 255, 255));
    m_ui.VScroll1->setRange(0, 32767); // the start-up sequence narrows it to 0..9999
    m_ui.VScroll1->setSingleStep(1);
    m_ui.VScroll1->setPageStep(1);
    m_ui.VScroll1->setFocusPolicy(Qt::StrongFocus);

    m_ui.Frame2 = MakeFrame(this, "Frame2", tr("Filename Case"), Twips(4920, 2520, 4695, 735));
    m_ui.cboFileNameCase =
        Place(new PickComboBox(m_ui.Frame2), "cboFileNameCase", Twips(360, 240, 4095, 315));
    m_ui.cboFileNameCase->addItems(
        {tr("No change"), tr("filename to lowercase"), tr("extension to lowercase"),
         tr("filename & extension to lowercase"), tr("filename to UPPERCASE"),
         tr("extension to UPPERCASE"), tr("filename & extension to UPPERCASE"),
         tr("capitalize initial letter")});
    m_ui.cboFileNameCase->setCurrentIndex(-1); // shows the text, but no item is chosen yet
    m_ui.cboFileNameCase->setEditText(tr("No change"));

    m_ui.Label8 = MakeLabel(this, "Label8", tr("Old Name"), Twips(120, 3360, 855, 255));
    m_ui.Label9 = MakeLabel(this, "Label9", tr("New Name"), Twips(4800, 3360, 1095, 255));
    m_ui.lstNewFileName =
        MakeNameList(this, "lstNewFileName", Twips(120, 3600, 4815, 2205), &m_pairs,
                     NamePairsModel::Current, QAbstractItemView::ExtendedSelection, false);
    m_ui.lstOldFileName =
        MakeNameList(this, "lstOldFileName", Twips(4920, 3600, 4695, 2205), &m_pairs,
                     NamePairsModel::Proposed, QAbstractItemView::SingleSelection, true);

    m_ui.cmdCreateBatch = Place(new QPushButton(tr("&Batch File"), this), "cmdCreateBatch",
                                Twips(120, 5880, 1095, 375));
    m_ui.ProgressBar1 = Place(new QProgressBar(this), "ProgressBar1", Twips(1320, 5880, 3855, 375));
    m_ui.ProgressBar1->setRange(0, 100);
    m_ui.ProgressBar1->setValue(0);
    m_ui.ProgressBar1->setTextVisible(false);

    m_ui.Frame6 = MakeFrame(this, "Frame6", tr("Spaces"), Twips(5280, 5880, 1695, 1095));
    m_ui.Option5 = Place(new QRadioButton(tr("No Change"), m_ui.Frame6), "Option5",
                         Twips(120, 240, 1215, 255));
    m_ui.Option3 = Place(new QRadioButton(tr("No Redundant"), m_ui.Frame6), "Option3",
                         Twips(120, 480, 1455, 255));
    m_ui.Option4 =
        Place(new QRadioButton(tr("No Space"), m_ui.Frame6), "Option4", Twips(120, 720, 1215, 255));
    m_ui.Option5->setChecked(true);

    m_ui.Frame5 = MakeFrame(this, "Frame5", tr("Method "), Twips(7080, 5880, 1215, 855));
    m_ui.Option1 =
        Place(new QRadioButton(tr("Shell"), m_ui.Frame5), "Option1", Twips(120, 240, 975, 255));
    m_ui.Option2 =
        Place(new QRadioButton(tr("API(slow)"), m_ui.Frame5), "Option2", Twips(120, 480, 975, 255));
    m_ui.Option1->setChecked(true);

    m_ui.Command1 =
        Place(new QPushButton(tr("&Ok"), this), "Command1", Twips(8400, 5880, 1215, 375));
    m_ui.Command2 =
        Place(new QPushButton(tr("&Cancel"), this), "Command2", Twips(8400, 6360, 1215, 375));
    for (QPushButton* button : {m_ui.Command1, m_ui.Command2, m_ui.Command3, m_ui.cmdCreateBatch}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    m_ui.Label11 = MakeLabel(this, "Label11", tr("File Count:"), Twips(120, 6360, 855, 255));
    m_ui.Label12 =
        Place(new ValueLabel(QStringLiteral("0"), this), "Label12", Twips(1080, 6360, 975, 375));
    m_ui.Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_ui.Label15 = MakeLabel(this, "Label15", "0", QRect());
    m_ui.Label15->hide(); // holds the space mode; never shown
}

void Form1::FitCaptions()
{
    // Captions drawn without a border (labels, the texts of option buttons) may reach past
    // their designed width when this platform's font is wider than the classic one, as far
    // as their container allows, so that no caption is cut off.
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QRadioButton*>(widget))
            continue;
        const QWidget* container = widget->parentWidget();
        const int nRoom = container->width() - widget->x() - 2;
        const int nWanted = widget->sizeHint().width();
        if (nWanted > widget->width())
            widget->resize(qMin(nWanted, nRoom), widget->height());
    }
}

void Form1::SetTabOrder()
{
    const QList<QWidget*> order = {
        m_ui.Drive1,         m_ui.Dir1,     m_ui.Check1,         m_ui.Text1,
        m_ui.VScroll1,       m_ui.Command1, m_ui.Command2,       m_ui.cboFileNameCase,
        m_ui.lstOldFileName, m_ui.Combo1,   m_ui.Text2,          m_ui.Text3,
        m_ui.Command3,       m_ui.Text4,    m_ui.cmdCreateBatch, m_ui.Option5,
        m_ui.Option3,        m_ui.Option4,  m_ui.Option1,        m_ui.Option2,
        m_ui.lstNewFileName};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(order.back(), order.front());
}

} // namespace quillet

namespace quillet
{

void Form1::SetAccessibleNames()
{
    // What a screen reader speaks for each control: its caption or the label beside it.
    m_ui.Drive1->setAccessibleName(tr("Drive"));
    m_ui.Dir1->setAccessibleName(tr("Folder"));
    m_ui.Check1->setAccessibleName(m_ui.Label7->text());
    m_ui.Text1->setAccessibleName(tr("Start at"));
    m_ui.VScroll1->setAccessibleName(tr("Start at, up or down by one"));
    m_ui.Text4->setAccessibleName(tr("Template"));
    m_ui.Text2->setAccessibleName(m_ui.Label13->text());
    m_ui.Text3->setAccessibleName(m_ui.Label14->text());
    m_ui.Combo1->setAccessibleName(m_ui.Label10->text());
    m_ui.cboFileNameCase->setAccessibleName(m_ui.Frame2->title());
    m_ui.lstNewFileName->setAccessibleName(m_ui.Label8->text());
    m_ui.lstOldFileName->setAccessibleName(m_ui.Label9->text());
    m_ui.ProgressBar1->setAccessibleName(tr("Progress"));
    // The file count is named by its caption and its number ("File Count: 12").
    m_ui.Label11->setBuddy(m_ui.Label12);
    // The labels beside the controls are their buddies.
    m_ui.Label7->setBuddy(m_ui.Check1);
    m_ui.Label1->setBuddy(m_ui.Text4);
    m_ui.Label2->setBuddy(m_ui.Text1);
    m_ui.Label13->setBuddy(m_ui.Text2);
    m_ui.Label14->setBuddy(m_ui.Text3);
    m_ui.Label10->setBuddy(m_ui.Combo1);
    m_ui.Label8->setBuddy(m_ui.lstNewFileName);
    m_ui.Label9->setBuddy(m_ui.lstOldFileName);
}

} // namespace quillet
