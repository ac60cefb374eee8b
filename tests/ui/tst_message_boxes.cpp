// SPDX-License-Identifier: GPL-3.0-or-later
// The real message boxes: a long reason is shown whole.

#include "ui/message_service.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>

using namespace quillet;

class TestMessageBoxes : public QObject
{
    Q_OBJECT

private slots:
    void longReasonWraps_data();
    void longReasonWraps();
};

void TestMessageBoxes::longReasonWraps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("checkBox");
    const QString name = QString(300, u'x') + QStringLiteral(".txt");
    const QString reason =
        QStringLiteral("Could not rename \"a.txt\" to \"%1\": the new name \"%1\" is refused: it "
                       "is 304 bytes long, and this file system takes at most 255 bytes.")
            .arg(name);
    QTest::newRow("run error with a long name") << reason << "Do not show further errors";
    QTest::newRow("long name alone") << name << QString();
    QTest::newRow("many words") << QString("word ").repeated(400).trimmed() << QString();
}

// The box fits on the screen, and the text as drawn fits in the box.
void TestMessageBoxes::longReasonWraps()
{
    QFETCH(QString, text);
    QFETCH(QString, checkBox);
    QtMessageService messages;
    QString fault = QStringLiteral("no box");
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        // Each piece of the text between two places where a line may break is drawn on one
        // line: a piece wider than the label would be cut, or broken where the box measures
        // its lines wrongly.
        const QString shown = label->text();
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, shown);
        int nWidest = 0;
        for (qsizetype nFrom = 0, nTo = breaks.toNextBoundary(); nTo > 0;
             nFrom = nTo, nTo = breaks.toNextBoundary())
            nWidest = qMax(nWidest,
                           label->fontMetrics().horizontalAdvance(shown.mid(nFrom, nTo - nFrom)));
        if (box->width() > box->screen()->availableGeometry().width())
            fault = QStringLiteral("box %1 pixels wide").arg(box->width());
        else if (!label->wordWrap() || nWidest > label->contentsRect().width())
            fault = QStringLiteral("a piece %1 pixels wide in a label of %2")
                        .arg(nWidest)
                        .arg(label->contentsRect().width());
        else
            fault.clear();
        box->accept();
    });
    messages.show(nullptr, MessageRequest{text, "Rename", MessageIcon::Warning, {}, checkBox});
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_message_boxes.moc"
