// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"
#include "DialogAnswers.h"
#include "MeterFixture.h"
#include "saveDataDeal.h"

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

} // namespace

class ChartMenuTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuOffersItsEntriesInOrderWithTheirIcons() {
        MeterFixture f;
        f.open();
        DialogAnswers dialogs;
        const QVector<Entry> expected = {{"导出数据(.csv)", true}, {"导出图片(.png)", true},
                                         {"曲线设置", true},       {"累计图显", true},
                                         {"滚动图显", true},       {"开发中...", false},
                                         {"打开数据(.csv)", true}, {"打开上次的记录", true}};
        QCOMPARE(openChartMenu(f, dialogs, "开发中..."), expected);
        QCOMPARE(dialogs.unexpected(), 0); // the placeholder does nothing

        QMetaObject::invokeMethod(f.dialog.get(), "onS_Act2Clicked_Slot");
        const QVector<Entry> english = openChartMenu(f, dialogs, QString());
        QCOMPARE(english.first().text, QString("Export data (.csv)"));
        QCOMPARE(english.last().text, QString("Open the previous recording"));
        QCOMPARE(english[4].text, QString("Scroll display"));
    }

    void theTitleButtonAsksForANewTitle() {
        MeterFixture f;
        f.open();
        auto* title = f.widget<QPushButton>("disp_btn_title");
        QCOMPARE(title->text(), QString("Simple Real-Time Chart"));
        DialogAnswers dialogs;
        dialogs.expect([](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            QVERIFY(input);
            input->setTextValue(QStringLiteral("Charger A"));
            input->accept();
        });
        title->click();
        QCOMPARE(title->text(), QString("Charger A"));
        QCOMPARE(dialogs.unanswered(), 0);
    }

    // usb-meter FILE.csv: the recording shows stopped, and a meter plugged in meanwhile
    // does not start a run over it; Run does, afresh.
    void aRecordingNamedAtStartShowsStoppedUntilRun() {
        MeterFixture f;
        SampleStore log;
        for (int i = 0; i < 50; ++i)
            log.append(1709647629 + i + (i >= 25 ? 3600 : 0), {});
        QVERIFY(saveDataDeal::saveData(log, "two-runs.csv").ok);
        MainDialog& d = f.open();
        d.openRecording("two-runs.csv");
        QCOMPARE(f.logSize(), 50);
        QCOMPARE(f.widget<QLabel>("label_left_tips")->text(),
                 QString("已打开 two-runs.csv：50 条记录，跳过 0 行"));
        sim::plug();
        QTRY_COMPARE_WITH_TIMEOUT(f.cardCount(), 1, MeterFixture::linkTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(f.cardText("label_connect_type"), QString("连接"),
                                  MeterFixture::linkTimeoutMs);
        QVERIFY(!f.running());
        QCOMPARE(f.logSize(), 50);
        f.widget<QAbstractButton>("disp_Btn_Run")->click();
        QVERIFY(f.running());
        QVERIFY(f.logSize() < 50);
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
        QVERIFY(QFile::exists(path));
        SampleStore written;
        QCOMPARE(CsvReader::read(path, written).records, 20);
        QCOMPARE(dialogs.unexpected(), 0);
    }
};

QTEST_MAIN(ChartMenuTest)
#include "test_chart_menu.moc"
