// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"
#include "DialogAnswers.h"
#include "MeterFixture.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

struct Entry {
    QString text;
    bool hasIcon;
    bool operator==(const Entry& o) const { return text == o.text && hasIcon == o.hasIcon; }
};

// Opens the chart menu, notes its entries, then chooses the one named `choose`, if any.
QVector<Entry> openChartMenu(MeterFixture& f, DialogAnswers& dialogs, const QString& choose) {
    QVector<Entry> entries;
    dialogs.expect([&](QWidget* w) {
        auto* menu = qobject_cast<QMenu*>(w);
        QVERIFY(menu);
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            entries.append({action->text(), !action->icon().isNull()});
            if (action->text() == choose)
                chosen = action;
        }
        if (chosen)
            menu->setActiveAction(chosen);
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    f.widget<QPushButton>("disp_btn_menu")->click();
    return entries;
}

// Notes the text the title dialog offers, types `text`, then confirms or cancels.
DialogAnswers::Answer typeTitle(const QString& text, bool confirm, QString* offered) {
    return [=](QWidget* w) {
        auto* input = qobject_cast<QInputDialog*>(w);
        QVERIFY(input);
        *offered = input->textValue();
        input->setTextValue(text);
        confirm ? input->accept() : input->reject();
    };
}

} // namespace

class ChartMenuTest : public QObject {
    Q_OBJECT
private slots:
    // Every entry but the placeholder shows its picture, and the menu follows the language.
    void theMenuShowsItsIconsAndFollowsTheLanguage() {
        MeterFixture f;
        f.open();
        DialogAnswers dialogs;
        const QVector<Entry> chinese = openChartMenu(f, dialogs, "开发中...");
        QCOMPARE(dialogs.unexpected(), 0); // the placeholder does nothing
        QMetaObject::invokeMethod(f.dialog.get(), "onS_Act2Clicked_Slot");
        const QVector<Entry> english = openChartMenu(f, dialogs, QString());
        QCOMPARE(english.size(), chinese.size());
        for (int i = 0; i < chinese.size(); ++i) {
            QCOMPARE(chinese[i].hasIcon, chinese[i].text != "开发中...");
            QVERIFY2(english[i].text != chinese[i].text, qPrintable(chinese[i].text));
        }
    }

    // The dialog offers the title shown; a confirmed text replaces it, a cancelled one not.
    void theTitleButtonAsksForANewTitle() {
        MeterFixture f;
        f.open();
        auto* title = f.widget<QPushButton>("disp_btn_title");
        DialogAnswers dialogs;
        QString offered;
        dialogs.expect(typeTitle("Charger A", true, &offered));
        title->click();
        QCOMPARE(title->text(), QString("Charger A"));
        dialogs.expect(typeTitle("typed, then cancelled", false, &offered));
        title->click();
        QCOMPARE(offered, QString("Charger A"));
        QCOMPARE(title->text(), QString("Charger A"));
        QCOMPARE(dialogs.unanswered(), 0);
    }

    // The user stopped a run and unplugged; while the save dialog is open the meter comes
    // back and a fresh run starts. The file gets the stopped run's records.
    void aMeterConnectingDuringTheSaveDialogChangesNothingExported() {
        MeterFixture f;
        const int meter = sim::plug();
        f.open();
        f.stopTimers();
        f.tick("sampleTimer"); // the first poll, answered at once
        f.tick("readTimer");
        for (int i = 0; i < 20; ++i)
            f.tick("sampleTimer");
        f.widget<QPushButton>("disp_Btn_Run")->click();
        QCOMPARE(f.logSize(), 20);
        sim::unplug(meter);
        QTRY_COMPARE_WITH_TIMEOUT(f.cardText("label_connect_type"), QString("错误"),
                                  MeterFixture::linkTimeoutMs);
        DialogAnswers dialogs;
        const QString path = QDir::current().filePath("stopped.csv");
        dialogs.expect([&f, meter, path](QWidget* w) {
            auto* files = qobject_cast<QFileDialog*>(w);
            QVERIFY(files);
            sim::replug(meter);
            QTRY_VERIFY_WITH_TIMEOUT(f.running(), MeterFixture::linkTimeoutMs);
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText(path); // typed, as the user would
            static_cast<QDialog*>(files)->accept();
        });
        QMetaObject::invokeMethod(f.dialog.get(), "onAct1Clicked_Slot"); // the menu's entry
        QVERIFY(f.running());                                            // the fresh run
        QCOMPARE(dialogs.unanswered(), 0);
        SampleStore written;
        QCOMPARE(CsvReader::read(path, written).records, 20);
        QCOMPARE(dialogs.unexpected(), 0);
    }
};

QTEST_MAIN(ChartMenuTest)
#include "test_chart_menu.moc"
