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

    // How stored texts are parsed is test_curve_styles'; the controls show what was read.
    void tableIsLaidOverThePageWholeShowingTheStoredStyles() {
        QVERIFY(ScopedWorkDir::writeSettingsFile("[General]\nVBUS_col=ffff0000\nIBUS_col=ff00ff00\n"
                                                 "IBUS_lw=2.5\nChartTheme=HighContrast\n"));
        table->open();
        QTableView* view = table->shownTable();
        QVERIFY(view);
        QCOMPARE(view->parentWidget(), page.get());
        QCOMPARE(view->pos(),
                 QPoint((1000 - view->width()) / 2 - 100, (600 - view->height()) / 2 - 100));
        QTRY_VERIFY(view->horizontalHeader()->length() > 0);
        QVERIFY(view->horizontalHeader()->length() <= view->viewport()->width());
        QVERIFY(view->verticalHeader()->length() <= view->viewport()->height());
        QCOMPARE(view->model()->index(CPU_TEMP, 0).data().toString(), QString("CPU_Temp"));
        QCOMPARE(view->columnSpan(9, 0), 3);
        QCOMPARE(colourButton(view, VBUS)->styleSheet(), QString("background:rgb(255,0,0)"));
        QCOMPARE(colourButton(view, IBUS)->styleSheet(), QString("background:rgb(0,255,0)"));
        QCOMPARE(widthBox(view, IBUS)->currentText(), QString("2.5"));
        QCOMPARE(themeBox(view)->currentText(), QString("HighContrast"));
    }

    // What each choice stores is test_curve_styles'; the table passes it on and says so.
    void eachControlStoresItsChoiceAndAnnouncesIt() {
        styles->setColour(CC2, QColor(1, 2, 3));
        Setting().writeValue("CC2_col", "not hex");
        QList<QColor> answers{QColor(Qt::red), QColor()}; // picked, then cancelled
        QColor offered;
        table->setColourPicker([&](const QColor& current) {
            offered = current;
            return answers.takeFirst();
        });
        QSignalSpy pens(table.get(), &CurveStyleTable::penChanged);
        QSignalSpy themes(table.get(), &CurveStyleTable::themeChanged);
        table->open();
        QTableView* view = table->shownTable();
        QPushButton* vbus = colourButton(view, VBUS);
        const QString shown = vbus->styleSheet();
        QTest::mouseClick(vbus, Qt::LeftButton);
        QCOMPARE(QString("background:rgb(%1,%2,%3)")
                     .arg(offered.red())
                     .arg(offered.green())
                     .arg(offered.blue()),
                 shown);
        QCOMPARE(vbus->styleSheet(), QString("background:rgb(255,0,0)"));
        QCOMPARE(styles->pen(VBUS).color(), QColor(Qt::red));
        QTest::mouseClick(colourButton(view, CC2), Qt::LeftButton);
        QCOMPARE(Setting().readValue("CC2_col"), QString("ff010203"));
        QCOMPARE(colourButton(view, CC2)->styleSheet(), QString("background:rgb(1,2,3)"));
        widthBox(view, IBUS)->setCurrentIndex(4);
        QCOMPARE(styles->pen(IBUS).widthF(), 2.5);
        QList<int> announced;
        for (const QList<QVariant>& signal : pens)
            announced << signal.at(0).toInt();
        QCOMPARE(announced, (QList<int>{VBUS, CC2, IBUS}));
        themeBox(view)->setCurrentIndex(2);
        QCOMPARE(Setting().readValue("ChartTheme"), QString("Dark"));
        QCOMPARE(themes.count(), 1);
        QCOMPARE(themes.at(0).at(0).toInt(), 2);
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
