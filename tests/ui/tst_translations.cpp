// The window's texts: German from the German catalogue, English byte for byte without one.

#include "app/app_translations.h"
#include "core/name_conflicts.h"
#include "form_harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
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

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
