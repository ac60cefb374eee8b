// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts: German from the German catalogue, English byte for byte without one.

#include "app/app_translations.h"
#include "core/name_conflicts.h"
#include "form_harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMultiMap>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace quillet;
using namespace quillet::test;

namespace
{

// Every text the window shows: title, frames, labels, buttons, items of the combo boxes.
QStringList WindowTexts(Form1& form)
{
    QStringList texts{form.windowTitle()};
    for (const QGroupBox* frame : form.findChildren<QGroupBox*>())
        texts << frame->objectName() + u'=' + frame->title();
    for (const QLabel* label : form.findChildren<QLabel*>())
        texts << label->objectName() + u'=' + label->text();
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>())
        texts << button->objectName() + u'=' + button->text();
    for (int i = 0; i < form.Ui().cboFileNameCase->count(); ++i)
        texts << form.Ui().cboFileNameCase->itemText(i);
    texts << form.Ui().cboFileNameCase->currentText();
    return texts;
}

// The access keys of the controls shown, each with the texts that claim it: a button's, a
// frame's, or a label's that gives its key to a buddy.
QMultiMap<QKeySequence, QString> Mnemonics(Form1& form)
{
    QMultiMap<QKeySequence, QString> keys;
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&form))
            continue;
        QString text;
        if (const auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (const auto* frame = qobject_cast<QGroupBox*>(widget))
            text = frame->title();
        else if (const auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            text = label->text();
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            keys.insert(key, widget->objectName() + u'=' + text);
    }
    return keys;
}

void RemoveTranslations()
{
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { RemoveTranslations(); }
    void englishWithoutCatalogue_data();
    void englishWithoutCatalogue();
    void german();
    void mnemonicsDistinct_data();
    void mnemonicsDistinct();
};

void TestTranslations::englishWithoutCatalogue_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France);
}

void TestTranslations::englishWithoutCatalogue()
{
    QFETCH(QLocale, locale);
    FormHarness untranslated({"a.txt"});
    const QStringList english = WindowTexts(untranslated.Open());

    QVERIFY(!InstallTranslations(*qApp, locale));
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    QCOMPARE(WindowTexts(form), english);
    QCOMPARE(form.Ui().Frame4->title(), QString("Search and Replace"));
    form.Ui().Command3->click();
    QCOMPARE(h.messages.shown.at(0).text, QString("Search and Replace Finished"));
}

void TestTranslations::german()
{
    FormHarness untranslated({"a.txt"});
    const QStringList english = WindowTexts(untranslated.Open());

    QVERIFY(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    QCOMPARE(form.Ui().Frame4->title(), QString("Suchen und Ersetzen"));
    QCOMPARE(form.Ui().Command2->text(), QString("&Abbrechen"));
    QCOMPARE(form.Ui().cboFileNameCase->currentText(), QString("Keine Änderung"));
    form.Ui().Command3->click();
    QCOMPARE(h.messages.shown.at(0).text, QString("Suchen und Ersetzen beendet"));
    QCOMPARE(h.messages.shown.at(0).title, QString("Status von Suchen und Ersetzen"));
    QCOMPARE(DescribeNameProblem(NameProblem::Duplicate),
             QString("Eine andere Datei soll denselben Namen bekommen; nur eine von ihnen kann "
                     "umbenannt werden."));

    // Nothing is left in English but names, numbers and words that German shares.
    const QStringList german = WindowTexts(form);
    QCOMPARE(german.size(), english.size());
    const QStringList same{form.windowTitle(), "Frame3=Filter", "Option1=Shell",
                           "Label12=1",        "Label15=0",     "Check1="};
    for (qsizetype i = 0; i < german.size(); ++i) {
        if (!same.contains(german.at(i)))
            QVERIFY2(german.at(i) != english.at(i), qPrintable(english.at(i)));
    }
}

void TestTranslations::mnemonicsDistinct_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("English") << QString();
    const QDir catalogues(QStringLiteral(":/i18n"));
    const QStringList names = catalogues.entryList({QStringLiteral("quillet_*.qm")});
    QVERIFY(!names.isEmpty());
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << catalogues.filePath(name);
}

// Alt with a letter reaches one control only: two controls with the same access key would
// only pass the focus between them.
void TestTranslations::mnemonicsDistinct()
{
    QFETCH(QString, catalogue);
    if (!catalogue.isEmpty()) {
        auto* translator = new QTranslator(qApp);
        QVERIFY(translator->load(catalogue));
        QVERIFY(QCoreApplication::installTranslator(translator));
    }
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    form.show(); // the controls count as shown; no platform window is needed for that
    const QMultiMap<QKeySequence, QString> keys = Mnemonics(form);
    QVERIFY(keys.size() >= 4);
    for (const QKeySequence& key : keys.uniqueKeys()) {
        const QStringList texts = keys.values(key);
        QVERIFY2(texts.size() == 1, qPrintable(key.toString() + u' ' + texts.join(u", ")));
    }
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
