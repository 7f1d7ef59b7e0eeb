// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QTextCodec>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void fontSizeIsTruncatedFromTheDpiRule_data() {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<int>("points");
        QTest::newRow("96 dpi") << qreal(96) << 9;
        QTest::newRow("120 dpi truncates 7.2") << qreal(120) << 7;
        QTest::newRow("absurdly dense screen") << qreal(2000) << 1;
        QTest::newRow("no density reported") << qreal(0) << 9;
    }
    void fontSizeIsTruncatedFromTheDpiRule() {
        QFETCH(qreal, dpi);
        QFETCH(int, points);
        QCOMPARE(Startup::defaultFontPointSize(dpi), points);
    }

    // The palette colour is read from the style sheet's first rule.
    void appearanceAppliesStyleSheetPaletteAndFallbackFont() {
        Startup::applyAppearance(*qApp);
        QVERIFY(qApp->styleSheet().startsWith("QPalette{background:#444444;}"));
        QCOMPARE(qApp->palette().color(QPalette::Button), QColor("#444444"));
        QCOMPARE(qApp->font().family(), QString("Microsoft Yahei"));
        QCOMPARE(
            qApp->font().pointSize(),
            Startup::defaultFontPointSize(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
        // The family does not exist here; Chinese text must still get a CJK font.
        QCOMPARE(QFontInfo(qApp->font()).family(), QString(Startup::fallbackFontFamily));
        QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
