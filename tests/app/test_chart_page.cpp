// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acquisition.h"
#include "CapacityFormat.h"
#include "ChartPage.h"
#include "ChartView.h"
#include "CsvReader.h"
#include "CurveStyleTable.h"
#include "DialogAnswers.h"
#include "MeterFixture.h"
#include "RangeMeasure.h"
#include "RangeSelection.h"
#include "RangeSummaryPanel.h"
#include "ScopedWorkDir.h"
#include "customcoordinates.h"
#include "saveDataDeal.h"
#include "ui_MainDialog.h"

#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtTest>

using namespace QtCharts;

namespace {

constexpr qint64 t0 = 1709647629;
constexpr qint64 ms = 1000;

struct Entry {
    QString text;
    bool hasIcon;
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

// The chart page on the dashboard's form: its view buttons, its chart's ranges and styles,
// and measuring a stretch as the user does it: Shift + drag, read, copy, then pan, zoom,
// resize, move, clear. In the whole window: the menu, the title, and exports.
class ChartPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        form = std::make_unique<QDialog>();
        form->resize(1200, 700);
        ui.setupUi(form.get());
        page = new ChartPage(&ui, form.get(), form.get());
        chart = page->panel()->chartView();
        acquisition = new Acquisition(page->panel(), form.get());
        // Ten minutes at 2 A, a minute without records, four minutes at 1 A.
        SampleStore recording;
        for (qint64 s = 0; s < 900; ++s)
            if (s < 600 || s >= 660)
                recording.append(t0 + s, {5.0f, s < 600 ? 2.0f : 1.0f, 10.0f, 0.6f, 0.f, 0.f, 0.f,
                                          36.5f + float(s % 5)});
        acquisition->openRecording(std::move(recording));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() {
        form.reset();
        workDir.reset();
    }

    void onlyTheButtonOfTheShownViewIsLit() {
        page->toggleView(CurveView::DpDm);
        QCOMPARE(litButtons(), QStringList{"disp_btn_dp_dm"});
        page->toggleView(CurveView::Cc);
        QCOMPARE(litButtons(), QStringList{"disp_btn_cc1_cc2"});
        page->toggleView(CurveView::Temperature);
        QCOMPARE(litButtons(), QStringList{"disp_btn_temp"});
        page->toggleView(CurveView::Temperature);
        QCOMPARE(litButtons(), QStringList());
    }

    // The style table's and the range panel's changes reach the chart the page holds.
    void theChartDrawsWithThePagesRangesAndStyles() {
        page->curveStyles()->setColour(POWER, Qt::blue);
        emit page->styleTable()->penChanged(POWER);
        QCOMPARE(page->panel()->valueAxis(2)->linePenColor(), QColor(Qt::blue));

        customcoordinates* axes = page->axisPanel();
        enterValue(axes, "edit_IBUS_Min", "0.50");
        enterValue(axes, "edit_IBUS_Max", "1.50");
        QTest::mouseClick(axes->findChild<QPushButton*>("btn_IBUS"), Qt::LeftButton);
        page->panel()->applyRanges();
        QCOMPARE(page->panel()->valueAxis(1)->min(), 0.5);
        QCOMPARE(page->panel()->valueAxis(1)->max(), 1.5);
    }

    void aShiftDragMeasuresCopiesAndExportsTheStretch() {
        drag(xAt(t0 + 100), xAt(t0 + 400), Qt::ShiftModifier);
        const TimeRange picked = *selection()->range();
        QVERIFY(qAbs(picked.minMs - (t0 + 100) * ms) <= msPerPixel());
        QVERIFY(qAbs(picked.maxMs - (t0 + 400) * ms) <= msPerPixel());
        QVERIFY(qAbs(selection()->bandRect().left() - xAt(t0 + 100)) < 1.5);
        QVERIFY(panel()->isVisible());
        QVERIFY(!panel()->geometry().intersects(selection()->bandRect().toRect()));

        // Constant 2 A: the charge is 2 A times the duration, whatever the ends.
        const QString charge = formatCharge(2.0 * double(picked.spanMs()) / ms / 3.6);
        const int samples = int((picked.maxMs / ms) - (picked.minMs + ms - 1) / ms + 1);
        QTest::mouseClick(button("复制"), Qt::LeftButton);
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        QVERIFY(lines.contains("IBUS (A)\t2.000\t2.000\t2.000"));
        QVERIFY(lines.contains("电量 (mAh)\t" + charge));
        QVERIFY(lines.contains("采样数\t" + QString::number(samples)));
        QVERIFY(lines.contains("间断\t0"));

        // A plain drag beside the band pans: the band goes with its times.
        const double bandLeft = selection()->bandRect().left();
        drag(xAt(t0 + 700), xAt(t0 + 700) + 100, Qt::NoModifier);
        QCOMPARE(*selection()->range(), picked);
        QVERIFY(qAbs(selection()->bandRect().left() - (bandLeft + 100)) < 1.5);
        // The wheel zooms as before, and the band keeps its times.
        const double bandWidth = selection()->bandRect().width();
        const QPointF centre = plot().center();
        QWheelEvent wheel(centre, QPointF(chart->viewport()->mapToGlobal(centre.toPoint())), {},
                          {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart->viewport(), &wheel);
        QVERIFY(selection()->bandRect().width() > bandWidth * 1.2);
        QCOMPARE(*selection()->range(), picked);
        QVERIFY(qAbs(selection()->bandRect().left() - xAt(picked.minMs / double(ms))) < 1.5);
        // Its right edge resizes it; its inside moves it whole.
        drag(xAt(picked.maxMs / ms), xAt(t0 + 500), Qt::NoModifier);
        QCOMPARE(selection()->range()->minMs, picked.minMs);
        QVERIFY(qAbs(selection()->range()->maxMs - (t0 + 500) * ms) <= msPerPixel());
        const TimeRange resized = *selection()->range();
        drag(xAt(t0 + 300), xAt(t0 + 350), Qt::NoModifier);
        QCOMPARE(selection()->range()->spanMs(), resized.spanMs());
        QVERIFY(qAbs(selection()->range()->minMs - resized.minMs - 50 * ms) <= msPerPixel());

        // Escape clears it and leaves the window open; a plain click outside clears too.
        QTest::keyClick(chart, Qt::Key_Escape);
        QVERIFY(!selection()->range() && !panel()->isVisible() && form->isVisible());
        drag(xAt(t0 + 100), xAt(t0 + 200), Qt::ShiftModifier);
        QVERIFY(selection()->range());
        drag(xAt(t0 + 800), xAt(t0 + 800), Qt::NoModifier);
        QVERIFY(!selection()->range());
    }

    // A stretch of zero width inside the gap: nothing to measure, and it says so.
    void aStretchInsideAGapShowsDashes() {
        drag(xAt(t0 + 630), xAt(t0 + 630), Qt::ShiftModifier);
        QVERIFY(!panel()->geometry().intersects(
            selection()->bandRect().adjusted(-1, 0, 1, 0).toRect()));
        QTest::mouseClick(button("复制"), Qt::LeftButton);
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.contains("VBUS (V)\t—\t—\t—\n"));
        QVERIFY(text.contains("电量 (mAh)\t—\n能量 (Wh)\t—\n采样数\t0\n间断\t1\n"));
        QVERIFY(!text.contains("nan", Qt::CaseInsensitive));
        QVERIFY(!button("导出所选(.csv)")->isEnabled());
        // In English the panel speaks English at once.
        QTranslator english;
        QVERIFY(english.load(":/Language/lib_en.qm"));
        QCoreApplication::installTranslator(&english);
        QTRY_VERIFY(button("Copy") && button("Export selection (.csv)"));
        QTest::mouseClick(button("Copy"), Qt::LeftButton);
        QVERIFY(QApplication::clipboard()->text().endsWith("Samples\t0\nGaps\t1\n"));
        QCoreApplication::removeTranslator(&english);
    }

    // Live: the band keeps its times while samples arrive and the axis follows them.
    void theBandKeepsItsTimesWhileSamplesArrive() {
        acquisition->toggleByUser();
        acquisition->readingArrived();
        MeterReading reading;
        reading.ibus = 1.0f;
        const qint64 start = QDateTime::currentSecsSinceEpoch();
        for (int s = 0; s < 30; ++s)
            acquisition->recordSample(QDateTime::fromSecsSinceEpoch(start + s), reading);
        drag(xAt(start + 10), xAt(start + 20), Qt::ShiftModifier);
        const TimeRange picked = *selection()->range();
        for (int s = 30; s < 60; ++s)
            acquisition->recordSample(QDateTime::fromSecsSinceEpoch(start + s), reading);
        QCOMPARE(*selection()->range(), picked);
        QVERIFY(qAbs(selection()->bandRect().left() - xAt(picked.minMs / double(ms))) < 1.5);
        acquisition->toggleByUser(); // a new run starts afresh: the selection goes
        acquisition->toggleByUser();
        QVERIFY(!selection()->range() && !panel()->isVisible());
    }

    // The window's own wiring: the panel's export goes through the save dialog to disk.
    void theWindowSavesTheSelectionWhereTheUserChooses() {
        MeterFixture f;
        SampleStore log;
        for (int i = 0; i < 100; ++i)
            log.append(t0 + i, {5.0f, 1.0f + float(i) / 100, 5.0f});
        QVERIFY(saveDataDeal::saveData(log, "whole.csv").ok);
        MainDialog& window = f.open();
        window.resize(1200, 700);
        window.show();
        window.openRecording("whole.csv");
        chart = window.findChild<ChartView*>();
        drag(xAt(t0 + 10.5), xAt(t0 + 19.5), Qt::ShiftModifier);
        DialogAnswers catcher;
        catcher.fileToChoose = QDir::current().filePath("part.csv");
        button("导出所选(.csv)")->click();
        SampleStore part;
        QCOMPARE(CsvReader::read("part.csv", part).status, CsvReadResult::Ok);
        QCOMPARE(part.size(), 9);
        for (int i = 0; i < part.size(); ++i)
            QVERIFY(part.timeAt(i) == t0 + 11 + i &&
                    part.record(i) == window.acquisition()->log().record(11 + i));
        QCOMPARE(catcher.boxes, QStringList());
    }

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

private:
    static void enterValue(QWidget* axes, const char* edit, const QString& text) {
        auto* field = axes->findChild<QLineEdit*>(edit);
        QVERIFY2(field, edit);
        field->setText(text);
        emit field->editingFinished();
    }

    // A lit button writes its text yellow and has a green border at rest.
    QStringList litButtons() const {
        QStringList lit;
        for (const QPushButton* b : {ui.disp_btn_dp_dm, ui.disp_btn_cc1_cc2, ui.disp_btn_temp}) {
            const QString rest = b->styleSheet().section(QLatin1String(":hover"), 0, 0);
            if (rest.contains("rgb(255, 255, 0)") && rest.contains("groove green"))
                lit << b->objectName();
        }
        return lit;
    }

    RangeSelection* selection() const { return page->rangeMeasure()->selection(); }
    RangeSummaryPanel* panel() const { return chart->findChild<RangeSummaryPanel*>(); }
    QRectF plot() const { return chart->chart()->plotArea(); }
    TimeRange shown() const {
        const QAbstractAxis* axis = chart->chart()->axes(Qt::Horizontal).first();
        return {qobject_cast<const QDateTimeAxis*>(axis)->min().toMSecsSinceEpoch(),
                qobject_cast<const QDateTimeAxis*>(axis)->max().toMSecsSinceEpoch()};
    }
    double msPerPixel() const { return shown().spanMs() / plot().width(); }
    double xAt(double secs) const {
        return plot().left() + (secs * ms - shown().minMs) / shown().spanMs() * plot().width();
    }
    QPushButton* button(const QString& text) const {
        for (QPushButton* b : panel()->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    // Press, move, release with the left button, as the window system sends them.
    void drag(double fromX, double toX, Qt::KeyboardModifiers modifiers) {
        const double y = plot().center().y();
        QWidget* viewport = chart->viewport();
        const auto send = [&](QEvent::Type type, double x, Qt::MouseButtons held) {
            QMouseEvent event(type, QPointF(x, y), Qt::LeftButton, held, modifiers);
            QApplication::sendEvent(viewport, &event);
        };
        send(QEvent::MouseButtonPress, fromX, Qt::LeftButton);
        if (toX != fromX)
            send(QEvent::MouseMove, toX, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, toX, Qt::NoButton);
    }

    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QDialog> form;
    Ui::MainDialog ui;
    ChartPage* page = nullptr;
    ChartView* chart = nullptr; // the chart the mouse works on
    Acquisition* acquisition = nullptr;
};

QTEST_MAIN(ChartPageTest)
#include "test_chart_page.moc"
