// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a user meets it: keys and focus on the combo boxes, the drop-down lists,
// the two name columns side by side, readable problem marks, the drive list following the
// system, and the names a screen reader speaks.

#include "form_harness.h"
#include "ui/name_list_view.h"
#include "ui/name_pairs_model.h"
#include "ui/name_row_delegate.h"

#include <QAbstractItemDelegate>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>
#include <cmath>

using namespace quillet;
using namespace quillet::test;

namespace
{

// Relative luminance and contrast ratio as the WCAG define them.
double Luminance(const QColor& colour)
{
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    p.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    p.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// Shows the window and makes it the active one, so focus and keys behave as on a desktop.
void ShowActive(Form1& form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

// Plays a few user actions on a combo box: "focus" (tabbing into it), "Tab", "Return",
// "Down", "type:TEXT" (with _ for a blank), and "open" (Alt+Down), after which Down and Return go
// to the list.
void Play(QComboBox* box, const QString& actions)
{
    for (const QString& action : actions.split(u' ', Qt::SkipEmptyParts)) {
        QWidget* target = box->view()->isVisible() ? box->view() : QApplication::focusWidget();
        if (action == "focus") {
            box->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(box->hasFocus());
        } else if (action == "Tab") {
            QTest::keyClick(target, Qt::Key_Tab);
            QTRY_VERIFY(!box->hasFocus());
        } else if (action == "Return") {
            QTest::keyClick(target, Qt::Key_Return);
        } else if (action == "Down") {
            QTest::keyClick(target, Qt::Key_Down);
        } else if (action == "open") {
            QTest::keyClick(target, Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(box->view()->isVisible());
        } else if (action.startsWith("type:")) {
            QTest::keyClicks(target, action.mid(5).replace(u'_', u' '));
        }
    }
}

QString ToolTipAt(QListView* view, int nRow)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(a tooltip stays open)");
    const QPoint pos = view->visualRect(view->model()->index(nRow, view->modelColumn())).center();
    QHelpEvent event(QEvent::ToolTip, pos, view->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestForm1Views : public QObject
{
    Q_OBJECT

private slots:
    void comboBoxesChooseOnlyByPick_data();
    void comboBoxesChooseOnlyByPick();
    void filterListShowsWholeEntries();
    void framesHoldTheirControls();
    void columnsScrollTogether_data();
    void columnsScrollTogether();
    void cutNamesInTooltips();
    void newNamesRepaintWithoutLayout_data();
    void newNamesRepaintWithoutLayout();
    void problemMarksReadable_data();
    void problemMarksReadable();
    void driveListFollowsSystem_data();
    void driveListFollowsSystem();
    void accessibleNames();
};

void TestForm1Views::comboBoxesChooseOnlyByPick_data()
{
    QTest::addColumn<bool>("caseBox");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("oldNames");
    QTest::addColumn<QStringList>("newNames");

    const QStringList all{"a.txt", "b.TXT", "c.jpg"};
    QTest::newRow("case: tab through") << true << "focus Tab" << -1 << all << all;
    QTest::newRow("case: Enter") << true << "focus Return" << -1 << all << all;
    QTest::newRow("case: type e, Tab") << true << "focus type:e Tab" << -1 << all << all;
    QTest::newRow("case: type a whole item, Enter")
        << true << "focus type:extension_to_lowercase Return" << -1 << all << all;
    QTest::newRow("case: Down on the closed box") << true << "focus Down" << 0 << all << all;
    QTest::newRow("case: open, Down twice, Enter") << true << "focus open Down Down Return" << 2
                                                   << all << QStringList{"a.txt", "b.txt", "c.jpg"};
    QTest::newRow("filter: type t, Tab") << false << "focus type:t Tab" << -1 << all << all;
    QTest::newRow("filter: type TXT, Enter")
        << false << "focus type:TXT Return" << -1 << all << all;
    QTest::newRow("filter: Down twice on the closed box")
        << false << "focus Down Down" << 1 << QStringList{"a.txt", "b.TXT"}
        << QStringList{"a.txt", "b.TXT"};
    QTest::newRow("filter: open, Down twice, Enter")
        << false << "focus open Down Down Return" << 2 << QStringList{"c.jpg"}
        << QStringList{"c.jpg"};
}

void TestForm1Views::comboBoxesChooseOnlyByPick()
{
    QFETCH(bool, caseBox);
    QFETCH(QString, actions);
    QFETCH(int, index);
    QFETCH(QStringList, oldNames);
    QFETCH(QStringList, newNames);
    FormHarness h({"a.txt", "b.TXT", "c.jpg"});
    Form1& form = h.Open();
    ShowActive(form);
    QComboBox* box = caseBox ? form.Ui().cboFileNameCase : form.Ui().Combo1;
    Play(box, actions);
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(form.OldNameColumn().Names(), oldNames);
    QCOMPARE(form.NewNameColumn().Names(), newNames);
    // Nothing chosen in the case box keeps "&Ok" enabled; "No change" chosen disables it.
    if (caseBox)
        QCOMPARE(form.Ui().Command1->isEnabled(), index != 0);
}

void TestForm1Views::filterListShowsWholeEntries()
{
    FormHarness h({"a.XLSX", "b.JPEG", "c.DOCX", "d.MARKDOWN"});
    Form1& form = h.Open();
    ShowActive(form);
    const int nBoxWidth = form.Ui().Combo1->width();
    form.Ui().Combo1->showPopup();
    QAbstractItemView* view = form.Ui().Combo1->view();
    QTRY_VERIFY(view->isVisible());
    for (int i = 0; i < form.Ui().Combo1->count(); ++i) {
        QStyleOptionViewItem option;
        option.initFrom(view);
        const QModelIndex item = view->model()->index(i, 0);
        const int nNeeded = view->itemDelegate()->sizeHint(option, item).width();
        QVERIFY2(nNeeded <= view->viewport()->width(), qPrintable(form.Ui().Combo1->itemText(i)));
    }
    form.Ui().Combo1->hidePopup();
    QCOMPARE(form.Ui().Combo1->width(), nBoxWidth);
}

void TestForm1Views::framesHoldTheirControls()
{
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    ShowActive(form);
    for (QGroupBox* frame : {form.Ui().Frame1, form.Ui().Frame2, form.Ui().Frame3, form.Ui().Frame4,
                             form.Ui().Frame5, form.Ui().Frame6}) {
        // The frame alone, without its controls or background: the first row drawn near
        // its right edge, past any caption, is the top of the border.
        QImage image(frame->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        frame->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        int nBorderTop = -1;
        for (int y = 0; y < image.height() && nBorderTop < 0; ++y) {
            if (image.pixel(image.width() - 4, y) != QColor(Qt::magenta).rgb())
                nBorderTop = y;
        }
        // The border runs through the caption's line, above every control of the frame.
        QVERIFY2(nBorderTop >= 0 && nBorderTop < frame->fontMetrics().height(),
                 qPrintable(QString("%1: border at %2").arg(frame->objectName()).arg(nBorderTop)));
        for (const QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(control->isHidden() || control->y() > nBorderTop,
                     qPrintable(control->objectName()));
    }
}

void TestForm1Views::columnsScrollTogether_data()
{
    QTest::addColumn<bool>("fromLeft");
    QTest::addColumn<QString>("how");

    for (const bool bLeft : {true, false}) {
        const char* side = bLeft ? "left" : "right";
        for (const char* how : {"wheel", "scroll bar", "End key", "Page Down"})
            QTest::newRow(qPrintable(QString("%1, %2").arg(side, how))) << bLeft << QString(how);
    }
}

void TestForm1Views::columnsScrollTogether()
{
    QFETCH(bool, fromLeft);
    QFETCH(QString, how);
    QStringList files;
    for (int i = 0; i < 300; ++i)
        files.append(QString("file%1.txt").arg(i, 3, 10, QChar(u'0')));
    FormHarness h(files);
    Form1& form = h.Open();
    ShowActive(form);
    QListView* from = fromLeft ? form.Ui().lstNewFileName : form.Ui().lstOldFileName;
    QListView* other = fromLeft ? form.Ui().lstOldFileName : form.Ui().lstNewFileName;
    from->setFocus();
    if (how == "wheel") {
        const QPoint pos = from->viewport()->rect().center();
        QWheelEvent wheel(pos, from->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, -360),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(from->viewport(), &wheel);
    } else if (how == "scroll bar") {
        from->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    } else {
        const Qt::Key key = how == "End key" ? Qt::Key_End : Qt::Key_PageDown;
        QTest::keyClick(from, key); // from no current row to the first, or to the end
        QTest::keyClick(from, key);
    }
    QTRY_VERIFY(from->verticalScrollBar()->value() > 0);
    const auto topRow = [](QListView* view) { return view->indexAt(QPoint(2, 2)).row(); };
    QTRY_COMPARE(topRow(other), topRow(from));
    QCOMPARE(other->currentIndex().row(), from->currentIndex().row());
}

void TestForm1Views::cutNamesInTooltips()
{
    const QString longName = QString(120, u'n') + ".txt";
    FormHarness h({"short.txt", longName});
    Form1& form = h.Open();
    ShowActive(form);
    const int nLong = int(form.OldNameColumn().Names().indexOf(longName));
    for (QListView* view : {form.Ui().lstNewFileName, form.Ui().lstOldFileName}) {
        QCOMPARE(ToolTipAt(view, 1 - nLong), QString()); // "short.txt" is shown whole
        QCOMPARE(ToolTipAt(view, nLong), longName);
    }
}

namespace
{

// A name column that counts how often it lays out its rows.
class CountingView : public NameListView
{
public:
    using NameListView::NameListView;
    int nLayouts = 0;
    void doItemsLayout() override
    {
        ++nLayouts;
        NameListView::doItemsLayout();
    }
};

} // namespace

void TestForm1Views::newNamesRepaintWithoutLayout_data()
{
    QTest::addColumn<int>("firstShown");
    QTest::addColumn<bool>("marks");
    QTest::newRow("new names, top of the list") << 0 << false;
    QTest::newRow("new names, scrolled down") << 15000 << false;
    QTest::newRow("new marks") << 15000 << true;
}

void TestForm1Views::newNamesRepaintWithoutLayout()
{
    // A keystroke changes every proposal, or every mark: the rows shown are painted anew,
    // but the rows are not laid out again, which for a large folder cost more than a frame
    // at every keystroke.
    QFETCH(int, firstShown);
    QFETCH(bool, marks);
    QStringList names(20000);
    for (int i = 0; i < names.size(); ++i)
        names[i] = QString("name %1.txt").arg(i);
    NamePairsModel model;
    model.SetCurrentNames(names);
    model.SetProposals(names);
    CountingView view;
    view.setUniformItemSizes(true);
    view.setItemDelegate(new NameRowDelegate(true, &view));
    view.setModel(&model);
    view.setModelColumn(NamePairsModel::Proposed);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.scrollTo(model.index(firstShown, NamePairsModel::Proposed),
                  QAbstractItemView::PositionAtTop);
    QTRY_COMPARE(view.indexAt(QPoint(2, 2)).row(), firstShown);

    int nPaints = 0;
    struct PaintCount : QObject {
        int* n;
        explicit PaintCount(int* count) : n(count) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++*n;
            return false;
        }
    } counter(&nPaints);
    view.viewport()->installEventFilter(&counter);
    QCoreApplication::processEvents();
    view.nLayouts = 0;
    nPaints = 0;
    if (marks) {
        QList<RenameForecast> forecasts(names.size());
        forecasts[firstShown].problem = NameProblem::Duplicate;
        model.SetForecasts(forecasts, names);
    } else {
        for (QString& name : names)
            name.prepend(u'x');
        model.SetProposals(names);
    }
    QTRY_VERIFY(nPaints > 0);
    QCOMPARE(view.nLayouts, 0);
    QCOMPARE(view.indexAt(QPoint(2, 2)).data().toString(), names[firstShown]);
}

void TestForm1Views::problemMarksReadable_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light palette") << false;
    QTest::newRow("dark palette") << true;
}

void TestForm1Views::problemMarksReadable()
{
    QFETCH(bool, dark);
    FormHarness h({"1.txt", "2.txt", "3.txt"});
    Form1& form = h.Open();
    if (dark)
        form.setPalette(DarkPalette());
    ShowActive(form);
    // Template "#" from 2: 1.txt -> 2.txt and 2.txt -> 3.txt wait for files renamed later.
    form.Ui().Check1->click();
    form.Ui().Text4->setText("#");
    form.Ui().Text1->setText("2");
    QAbstractItemModel* model = form.Ui().lstOldFileName->model();
    const QColor base = form.Ui().lstOldFileName->palette().color(QPalette::Base);
    for (int nRow = 0; nRow < 3; ++nRow) {
        const QModelIndex index = model->index(nRow, 0);
        const bool bMarked = nRow < 2;
        QCOMPARE(index.data(Qt::ForegroundRole).isValid(), bMarked);
        if (bMarked) {
            const QColor colour = index.data(Qt::ForegroundRole).value<QBrush>().color();
            QVERIFY2(Contrast(colour, base) >= 4.5,
                     qPrintable(QString::number(Contrast(colour, base))));
            QVERIFY(!index.data(Qt::DecorationRole).value<QIcon>().isNull());
        }
        QCOMPARE(index.data(Qt::DecorationRole).isValid(), bMarked);
    }
    QCOMPARE(ToolTipAt(form.Ui().lstOldFileName, 0),
             QString("The file \"2.txt\" (row 2) is renamed later, so it still has this name "
                     "when this file's turn comes: renaming \"1.txt\" will be refused."));
    QCOMPARE(ToolTipAt(form.Ui().lstOldFileName, 2), QString());
}

void TestForm1Views::driveListFollowsSystem_data()
{
    QTest::addColumn<QStringList>("later");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("volume mounted")
        << QStringList{"/", "/media/stick"} << QStringList{"/", "/media/stick"};
    QTest::newRow("volume mounted before another")
        << QStringList{"/", "/media/a", "/media/b"} << QStringList{"/", "/media/a", "/media/b"};
    QTest::newRow("volume unmounted") << QStringList{"/"} << QStringList{"/"};
}

void TestForm1Views::driveListFollowsSystem()
{
    QFETCH(QStringList, later);
    QFETCH(QStringList, shown);
    FormHarness h({"a.txt"});
    h.drives.drives = {{"/", "/"}, {"/media/b", "/media/b"}};
    Form1& form = h.Open();
    ShowActive(form);
    const QString current = form.Ui().Drive1->currentText();
    h.drives.drives.clear();
    for (const QString& point : later)
        h.drives.drives.append({point, point});
    form.Ui().Drive1->showPopup(); // opening the box reads the drives afresh
    QStringList items;
    for (int i = 0; i < form.Ui().Drive1->count(); ++i)
        items.append(form.Ui().Drive1->itemText(i));
    form.Ui().Drive1->hidePopup();
    QCOMPARE(items, shown);
    QCOMPARE(form.Ui().Drive1->currentText(), current); // still the drive of the shown folder
    QVERIFY(h.messages.shown.isEmpty());
    QCOMPARE(form.OldNameColumn().Names(), QStringList{"a.txt"});
}

void TestForm1Views::accessibleNames()
{
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    ShowActive(form);
    const auto spoken = [](QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QString();
    };
    // Every control that takes the focus has a name to speak.
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->isVisibleTo(&form) &&
            !widget->objectName().isEmpty())
            QVERIFY2(!spoken(widget).isEmpty(), qPrintable(widget->objectName()));
    }
    QCOMPARE(spoken(form.Ui().lstNewFileName), QString("Old Name"));
    QCOMPARE(spoken(form.Ui().lstOldFileName), QString("New Name"));
    QCOMPARE(spoken(form.Ui().Check1), QString("Specify a template to use for renaming files"));
    QCOMPARE(spoken(form.Ui().Text1), QString("Start at"));
    QCOMPARE(spoken(form.Ui().Text4), QString("Template"));
    QCOMPARE(spoken(form.Ui().Text2), QString("Search String"));
    QCOMPARE(spoken(form.Ui().Combo1), QString("Extension"));
    // The text boxes' labels are their buddies, so their access keys would reach them.
    QCOMPARE(form.Ui().Label1->buddy(), form.Ui().Text4);
    QCOMPARE(form.Ui().Label2->buddy(), form.Ui().Text1);
    QCOMPARE(form.Ui().Label13->buddy(), form.Ui().Text2);
    QCOMPARE(form.Ui().Label14->buddy(), form.Ui().Text3);
    QCOMPARE(form.Ui().Label10->buddy(), form.Ui().Combo1);
}

QTEST_MAIN(TestForm1Views)
#include "tst_form1_views.moc"
