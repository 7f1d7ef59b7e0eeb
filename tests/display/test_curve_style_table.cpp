// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveStyleTable.h"
#include "CurveStyles.h"
#include "ScopedWorkDir.h"
#include "Setting.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

template <typename T> T* cellControl(QTableView* view, int row, int column) {
    QWidget* cell = view->indexWidget(view->model()->index(row, column));
    return cell ? cell->findChild<T*>() : nullptr;
}
QPushButton* colourButton(QTableView* view, int channel) {
    return cellControl<QPushButton>(view, channel, 1);
}
QComboBox* widthBox(QTableView* view, int channel) {
    return cellControl<QComboBox>(view, channel, 2);
}
QComboBox* themeBox(QTableView* view) {
    return cellControl<QComboBox>(view, 8, 1);
}
QPushButton* okButton(QTableView* view) {
    return cellControl<QPushButton>(view, 9, 1);
}

} // namespace

class CurveStyleTableTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        workDir = std::make_unique<ScopedWorkDir>();
        page = std::make_unique<QWidget>();
        page->resize(1000, 600);
        page->show();
        styles = std::make_unique<CurveStyles>();
        styles->load();
        table = std::make_unique<CurveStyleTable>(page.get(), *styles, nullptr);
    }
    void cleanup() {
        table.reset();
        page.reset();
        workDir.reset();
    }

    void tableIsLaidOverThePageWithItsRowsAndHeaders() {
        table->open();
        QTableView* view = table->shownTable();
        QVERIFY(view);
        QCOMPARE(view->parentWidget(), page.get());
        // 320 x 330 at least, and large enough that nothing needs scrolling.
        QVERIFY(view->width() >= 320);
        QVERIFY(view->height() >= 330);
        QCOMPARE(view->pos(),
                 QPoint((1000 - view->width()) / 2 - 100, (600 - view->height()) / 2 - 100));
        QTRY_VERIFY(view->horizontalHeader()->length() > 0);
        QVERIFY(view->horizontalHeader()->length() <= view->viewport()->width());
        QVERIFY(view->verticalHeader()->length() <= view->viewport()->height());
        for (int column = 0; column < 3; ++column)
            QVERIFY(view->columnWidth(column) >= 100);
        const QAbstractItemModel* model = view->model();
        QCOMPARE(model->rowCount(), 10);
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->index(0, 0).data().toString(), QString("VBUS"));
        QCOMPARE(model->index(7, 0).data().toString(), QString("CPU_Temp"));
        QCOMPARE(view->columnSpan(9, 0), 3);
    }

    // How stored texts are parsed is test_curve_styles'; the boxes show what was read.
    void itemsComeFromTheSettingsFile() {
        QVERIFY(ScopedWorkDir::writeSettingsFile("[General]\nVBUS_col=ffff0000\nIBUS_col=ff00ff00\n"
                                                 "IBUS_lw=2.5\nChartTheme=HighContrast\n"));
        table->open();
        QTableView* view = table->shownTable();
        QCOMPARE(colourButton(view, VBUS)->styleSheet(), QString("background:rgb(255,0,0)"));
        QCOMPARE(colourButton(view, IBUS)->styleSheet(), QString("background:rgb(0,255,0)"));
        QCOMPARE(widthBox(view, IBUS)->currentText(), QString("2.5"));
        QCOMPARE(themeBox(view)->currentText(), QString("HighContrast"));
    }

    void widthAndThemeBoxesStoreAndAnnounce() {
        QSignalSpy pens(table.get(), &CurveStyleTable::penChanged);
        QSignalSpy themes(table.get(), &CurveStyleTable::themeChanged);
        table->open();
        QTableView* view = table->shownTable();
        widthBox(view, IBUS)->setCurrentIndex(4);
        QCOMPARE(Setting().readValue("IBUS_lw"), QString("2.5"));
        QCOMPARE(styles->pen(IBUS).widthF(), 2.5);
        QCOMPARE(pens.count(), 1);
        QCOMPARE(pens.at(0).at(0).toInt(), int(IBUS));
        themeBox(view)->setCurrentIndex(2);
        QCOMPARE(Setting().readValue("ChartTheme"), QString("Dark"));
        QCOMPARE(themes.count(), 1);
        QCOMPARE(themes.at(0).at(0).toInt(), 2);
    }

    void colourButtonStoresThePickedColour() {
        QColor offered;
        table->setColourPicker([&offered](const QColor& current) {
            offered = current;
            return QColor(Qt::red);
        });
        QSignalSpy pens(table.get(), &CurveStyleTable::penChanged);
        table->open();
        QPushButton* button = colourButton(table->shownTable(), VBUS);
        const QString shown = button->styleSheet();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(QString("background:rgb(%1,%2,%3)")
                     .arg(offered.red())
                     .arg(offered.green())
                     .arg(offered.blue()),
                 shown);
        QCOMPARE(Setting().readValue("VBUS_col"), QString("ffff0000"));
        QCOMPARE(button->styleSheet(), QString("background:rgb(255,0,0)"));
        QCOMPARE(styles->pen(VBUS).color(), QColor(Qt::red));
        QCOMPARE(pens.count(), 1);
        QCOMPARE(pens.at(0).at(0).toInt(), int(VBUS));
    }

    void cancelledColourKeepsTheColourAndRewritesIt() {
        styles->setColour(CC2, QColor(1, 2, 3));
        Setting().writeValue("CC2_col", "not hex");
        table->setColourPicker([](const QColor&) { return QColor(); });
        QSignalSpy pens(table.get(), &CurveStyleTable::penChanged);
        table->open();
        QPushButton* button = colourButton(table->shownTable(), CC2);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(Setting().readValue("CC2_col"), QString("ff010203"));
        QCOMPARE(button->styleSheet(), QString("background:rgb(1,2,3)"));
        QCOMPARE(pens.count(), 1);
    }

    void tableGoneWhileTheColourDialogRunsIsNoHarm() {
        table->setColourPicker([this](const QColor&) {
            delete table->shownTable();
            return QColor(Qt::blue);
        });
        QSignalSpy pens(table.get(), &CurveStyleTable::penChanged);
        table->open();
        QTest::mouseClick(colourButton(table->shownTable(), PM), Qt::LeftButton);
        QVERIFY(!table->shownTable());
        QCOMPARE(Setting().readValue("PM_col"), QString("ff0000ff"));
        QCOMPARE(pens.count(), 1);
    }

    void eachOkClosesItsOwnTable() {
        table->open();
        QPointer<QTableView> first = table->shownTable();
        table->open();
        QPointer<QTableView> second = table->shownTable();
        QVERIFY(first != second);
        QVERIFY(!first->isHidden());
        QTest::mouseClick(okButton(first), Qt::LeftButton);
        QTRY_VERIFY(!first); // closed tables are deleted
        QVERIFY(!second->isHidden());
        QCOMPARE(table->shownTable(), second.data());
        QTest::mouseClick(okButton(second), Qt::LeftButton);
        QTRY_VERIFY(!second);
        QVERIFY(!table->shownTable());
    }

private:
    std::unique_ptr<ScopedWorkDir> workDir;
    std::unique_ptr<QWidget> page;
    std::unique_ptr<CurveStyles> styles;
    std::unique_ptr<CurveStyleTable> table;
};

QTEST_MAIN(CurveStyleTableTest)
#include "test_curve_style_table.moc"
