// Builds the controls of the window at their places. Places and sizes are given in twips
// as the window was designed (15 twips to a pixel at 96 dots per inch).

#include "ui/accessible_controls.h"
#include "ui/caption_frame.h"
#include "ui/drive_box.h"
#include "ui/folder_view.h"
#include "ui/form1.h"
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
                        NameListModel* model, QAbstractItemView::SelectionMode mode, bool bMarkSlot)
{
    QListView* view = Place(new NameListView(parent), name, geometry);
    view->setModel(model);
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

    Drive1 = Place(new DriveBox(this), "Drive1", Twips(120, 240, 2535, 315));
    Dir1 = Place(new FolderView(this), "Dir1", Twips(120, 720, 2535, 2115));

    Frame3 = MakeFrame(this, "Frame3", tr("Filter"), Twips(2880, 240, 1815, 735));
    Label10 = MakeLabel(Frame3, "Label10", tr("Extension"), Twips(120, 240, 855, 255));
    Combo1 = Place(new PickComboBox(Frame3), "Combo1", Twips(960, 240, 735, 315));
    Combo1->setEditText(QStringLiteral("*"));

    Frame4 = MakeFrame(this, "Frame4", tr("Search and Replace"), Twips(2880, 1080, 1815, 2175));
    Label13 = MakeLabel(Frame4, "Label13", tr("Search String"), Twips(120, 240, 1335, 255));
    Text2 = MakeTextBox(Frame4, "Text2", Twips(120, 480, 1575, 375));
    Label14 = MakeLabel(Frame4, "Label14", tr("Replace String"), Twips(120, 960, 1455, 255));
    Text3 = MakeTextBox(Frame4, "Text3", Twips(120, 1200, 1575, 375));
    Command3 =
        Place(new QPushButton(tr("&Update"), Frame4), "Command3", Twips(240, 1680, 1335, 375));

    Frame1 = MakeFrame(this, "Frame1", tr("Template"), Twips(4920, 240, 4695, 2175));
    Check1 = Place(new QCheckBox(Frame1), "Check1", Twips(120, 240, 255, 255));
    Label7 = MakeLabel(Frame1, "Label7", tr("Specify a template to use for renaming files"),
                       Twips(360, 240, 3135, 255));
    Label4 =
        MakeLabel(Frame1, "Label4", tr("* Use #'s to specify postions used by numeric enumerator."),
                  Twips(240, 600, 4095, 255));
    Label5 = MakeLabel(Frame1, "Label5", tr("* Use * to insert original filename in pattern."),
                       Twips(240, 840, 3855, 255));
    Label1 = MakeLabel(Frame1, "Label1", tr("Template:"), Twips(360, 1200, 735, 255));
    Text4 = MakeTextBox(Frame1, "Text4", Twips(1200, 1200, 3015, 375));
    Label2 = MakeLabel(Frame1, "Label2", tr("Start at:"), Twips(480, 1680, 615, 255));
    Text1 = MakeTextBox(Frame1, "Text1", Twips(1200, 1680, 1575, 315));
    Text1->setText(QStringLiteral("1"));
    Text1->setValidator(new StartNumberValidator(Text1));
    VScroll1 = Place(new QScrollBar(Qt::Vertical, Frame1), "VScroll1", Twips(2760, 1680, 255, 255));
    VScroll1->setRange(0, 32767); // the start-up sequence narrows it to 0..9999
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setFocusPolicy(Qt::StrongFocus);

    Frame2 = MakeFrame(this, "Frame2", tr("Filename Case"), Twips(4920, 2520, 4695, 735));
    cboFileNameCase =
        Place(new PickComboBox(Frame2), "cboFileNameCase", Twips(360, 240, 4095, 315));
    cboFileNameCase->addItems(
        {tr("No change"), tr("filename to lowercase"), tr("extension to lowercase"),
         tr("filename & extension to lowercase"), tr("filename to UPPERCASE"),
         tr("extension to UPPERCASE"), tr("filename & extension to UPPERCASE"),
         tr("capitalize initial letter")});
    cboFileNameCase->setCurrentIndex(-1); // shows the text, but no item is chosen yet
    cboFileNameCase->setEditText(tr("No change"));

    Label8 = MakeLabel(this, "Label8", tr("Old Name"), Twips(120, 3360, 855, 255));
    Label9 = MakeLabel(this, "Label9", tr("New Name"), Twips(4800, 3360, 1095, 255));
    lstNewFileName = MakeNameList(this, "lstNewFileName", Twips(120, 3600, 4815, 2205),
                                  &m_currentNames, QAbstractItemView::ExtendedSelection, false);
    lstOldFileName = MakeNameList(this, "lstOldFileName", Twips(4920, 3600, 4695, 2205),
                                  &m_proposedNames, QAbstractItemView::SingleSelection, true);

    cmdCreateBatch = Place(new QPushButton(tr("&Batch File"), this), "cmdCreateBatch",
                           Twips(120, 5880, 1095, 375));
    ProgressBar1 = Place(new QProgressBar(this), "ProgressBar1", Twips(1320, 5880, 3855, 375));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    Frame6 = MakeFrame(this, "Frame6", tr("Spaces"), Twips(5280, 5880, 1695, 1095));
    Option5 =
        Place(new QRadioButton(tr("No Change"), Frame6), "Option5", Twips(120, 240, 1215, 255));
    Option3 =
        Place(new QRadioButton(tr("No Redundant"), Frame6), "Option3", Twips(120, 480, 1455, 255));
    Option4 =
        Place(new QRadioButton(tr("No Space"), Frame6), "Option4", Twips(120, 720, 1215, 255));
    Option5->setChecked(true);

    Frame5 = MakeFrame(this, "Frame5", tr("Method "), Twips(7080, 5880, 1215, 855));
    Option1 = Place(new QRadioButton(tr("Shell"), Frame5), "Option1", Twips(120, 240, 975, 255));
    Option2 =
        Place(new QRadioButton(tr("API(slow)"), Frame5), "Option2", Twips(120, 480, 975, 255));
    Option1->setChecked(true);

    Command1 = Place(new QPushButton(tr("&Ok"), this), "Command1", Twips(8400, 5880, 1215, 375));
    Command2 =
        Place(new QPushButton(tr("&Cancel"), this), "Command2", Twips(8400, 6360, 1215, 375));
    for (QPushButton* button : {Command1, Command2, Command3, cmdCreateBatch}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    Label11 = MakeLabel(this, "Label11", tr("File Count:"), Twips(120, 6360, 855, 255));
    Label12 =
        Place(new ValueLabel(QStringLiteral("0"), this), "Label12", Twips(1080, 6360, 975, 375));
    Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label15 = MakeLabel(this, "Label15", "0", QRect());
    Label15->hide(); // holds the space mode; never shown
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
        Drive1,          Dir1,           Check1,  Text1,   VScroll1, Command1, Command2,
        cboFileNameCase, lstOldFileName, Combo1,  Text2,   Text3,    Command3, Text4,
        cmdCreateBatch,  Option5,        Option3, Option4, Option1,  Option2,  lstNewFileName};
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
    Drive1->setAccessibleName(tr("Drive"));
    Dir1->setAccessibleName(tr("Folder"));
    Check1->setAccessibleName(Label7->text());
    Text1->setAccessibleName(tr("Start at"));
    VScroll1->setAccessibleName(tr("Start at, up or down by one"));
    Text4->setAccessibleName(tr("Template"));
    Text2->setAccessibleName(Label13->text());
    Text3->setAccessibleName(Label14->text());
    Combo1->setAccessibleName(Label10->text());
    cboFileNameCase->setAccessibleName(Frame2->title());
    lstNewFileName->setAccessibleName(Label8->text());
    lstOldFileName->setAccessibleName(Label9->text());
    ProgressBar1->setAccessibleName(tr("Progress"));
    // The file count is named by its caption and its number ("File Count: 12").
    Label11->setBuddy(Label12);
    // The labels beside the controls are their buddies.
    Label7->setBuddy(Check1);
    Label1->setBuddy(Text4);
    Label2->setBuddy(Text1);
    Label13->setBuddy(Text2);
    Label14->setBuddy(Text3);
    Label10->setBuddy(Combo1);
    Label8->setBuddy(lstNewFileName);
    Label9->setBuddy(lstOldFileName);
}

} // namespace quillet
