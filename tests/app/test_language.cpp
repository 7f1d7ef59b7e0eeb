// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterFixture.h"
#include "Setting.h"

#include <QRegularExpression>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

namespace {
void chooseChinese(MainDialog& d) {
    QMetaObject::invokeMethod(&d, "onS_Act1Clicked_Slot");
}
void chooseEnglish(MainDialog& d) {
    QMetaObject::invokeMethod(&d, "onS_Act2Clicked_Slot");
}

// Every text and tool tip of the dialog's widgets, the device list header and the meter's
// card among them, sorted; blanks at either end aside.
QStringList shownTexts(const MainDialog& d) {
    QStringList texts;
    for (const QWidget* w : d.findChildren<QWidget*>()) {
        QString text = w->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(w))
            text += '|' + label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            text += '|' + button->text();
        else if (const auto* tree = qobject_cast<const QTreeWidget*>(w))
            text += '|' + tree->headerItem()->text(0);
        texts << w->objectName() + ": " + text.trimmed();
    }
    texts.sort();
    return texts;
}

QStringList chineseTexts(const MainDialog& d) {
    return shownTexts(d).filter(QRegularExpression("\\p{Han}"));
}
} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    // Only exactly "English" means English; anything else stored, or nothing, means Chinese.
    void storedLanguageIsAppliedAtStart_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("english");
        QTest::newRow("English") << "English" << true;
        QTest::newRow("lower-case english") << "english" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void storedLanguageIsAppliedAtStart() {
        QFETCH(QString, stored);
        QFETCH(bool, english);
        MeterFixture f;
        Setting().writeValue("language", stored);
        QCOMPARE(chineseTexts(f.open()).isEmpty(), english);
    }

    // A switch relabels every widget, the pages' glyphs and live values staying; the tool
    // buttons still lead to their pages; choosing the active language relabels nothing.
    void aSwitchRelabelsEveryWidgetAndBackAgainRestoresEachText() {
        MeterFixture f;
        const int meter = sim::plug();
        sim::MeterState open = sim::state(meter); // an open input: the dashboard's hint shows
        open.channels[0] = 1.2;
        sim::setState(meter, open);
        MainDialog& d = f.open();
        QTRY_COMPARE_WITH_TIMEOUT(f.widget<QLabel>("disp_label_VOLT")->text(), QString("1.200000"),
                                  MeterFixture::linkTimeoutMs);
        sim::unplug(meter); // the card shows the error, the run waits for the meter
        QTRY_VERIFY_WITH_TIMEOUT(!f.running(), MeterFixture::linkTimeoutMs);
        f.widget<QSlider>("settings_slider_standtime")->setValue(30);
        const QStringList chinese = shownTexts(d);
        f.widget<QAbstractButton>("disp_btnReturn")->click(); // the home title, set in code
        const QStringList home = shownTexts(d);
        chooseChinese(d);
        QCOMPARE(Setting().readValue("Language"), QString("Chinese"));
        QCOMPARE(shownTexts(d), home);

        chooseEnglish(d);
        QCOMPARE(Setting().readValue("language"), QString("English"));
        QTRY_COMPARE(chineseTexts(d), QStringList());
        f.widget<QToolButton>("tbtn6")->click();
        QCOMPARE(f.pages()->currentIndex(), 6);
        f.widget<QAbstractButton>("six_btnReturn")->click();
        const QStringList english = shownTexts(d);
        chooseEnglish(d);
        QCOMPARE(shownTexts(d), english);

        chooseChinese(d);
        QTRY_COMPARE(shownTexts(d), chinese);
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
