// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled-in resources: pictures, style sheet, icon font and translation catalogues.

#include <QFile>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include "Glyphs.h"

namespace {

// Reads the style sheet the way start-up does: bytes up to the first NUL, as Latin-1.
QString readStyleSheet() {
    QFile file(QStringLiteral(":/qss/psblack.css"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().constData())
                                          : QString();
}

struct TsMessage {
    QString context, source, translation;
    bool finished = false; // no "unfinished", "obsolete" or "vanished" type
};

// The messages of a Qt Linguist source in file order.
QVector<TsMessage> readTs(const QString& fileName) {
    QFile file(QStringLiteral(TRANSLATION_SOURCE_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QVector<TsMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append({context, {}, {}, false});
        } else if (xml.name() == QLatin1String("source") && !messages.isEmpty()) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !messages.isEmpty()) {
            messages.last().finished = xml.attributes().value("type").isEmpty();
            messages.last().translation = xml.readElementText();
        }
    }
    return xml.hasError() ? QVector<TsMessage>() : messages;
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    // Start-up takes the application palette colour from characters 20-26.
    void styleSheetOpensWithThePaletteRule() {
        const QString sheet = readStyleSheet();
        QVERIFY(sheet.startsWith(QLatin1String("QPalette{background:#444444;}")));
    }

    // Every picture drawn and every one the style sheet refers to; those named by their size
    // (name_WxH.png) have that size.
    void picturesLoad_data() {
        QTest::addColumn<QString>("path");
        const auto rows = [](const QString& folder, const QString& names) {
            for (const QString& name : names.split(' '))
                QTest::newRow(qPrintable(name)) << folder + name;
        };
        rows(":/qss/psblack/",
             "add_bottom.png add_top.png add_left.png add_right.png branch_open.png "
             "branch_close.png calendar_nextmonth.png calendar_prevmonth.png checkbox_checked.png "
             "checkbox_checked_disable.png checkbox_parcial.png checkbox_parcial_disable.png "
             "checkbox_unchecked.png checkbox_unchecked_disable.png radiobutton_checked.png "
             "radiobutton_checked_disable.png radiobutton_unchecked.png "
             "radiobutton_unchecked_disable.png");
        rows(":/sys/rs/rs/",
             "AccuGrpDisp.png ExportData.png ExportImage.png MoreSettings.png OpenData.png "
             "ScrollDisp.png "
             "SysSet.png Upgrade.png back.png cn_en.png down.png up.png download.png folder.ico "
             "icon_130x20.png icon01_130x20.png icon02_130x20.png icon03_130x20.png list_20x20.png "
             "main.jpg menu.png run.png pause.png usb_connect.png usb_disconnect.png");
        const QRegularExpression url(QStringLiteral("url\\(([^)]+)\\)"));
        for (auto it = url.globalMatch(readStyleSheet()); it.hasNext();) {
            const QString path = it.next().captured(1);
            QTest::addRow("style sheet: %s", qPrintable(path)) << path;
        }
    }

    void picturesLoad() {
        QFETCH(QString, path);
        const QImage image(path);
        QVERIFY(!image.isNull());
        const auto size = QRegularExpression("_(\\d+)x(\\d+)\\.").match(path);
        if (size.hasMatch())
            QCOMPARE(image.size(), QSize(size.captured(1).toInt(), size.captured(2).toInt()));
    }

    void iconFontHasTheGlyphsInUse() {
        QFile file(QStringLiteral(":/sys/rs/rs/font/fontawesome-webfont.ttf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QRawFont font(file.readAll(), 16);
        QVector<char16_t> glyphs = {Glyph::homeReturn, Glyph::pageReturn, Glyph::titleIcon,
                                    Glyph::minimise,   Glyph::maximise,   Glyph::close,
                                    Glyph::menu};
        for (const char16_t glyph : Glyph::toolButtons)
            glyphs << glyph;
        for (const char16_t glyph : glyphs)
            QVERIFY2(font.supportsCharacter(QChar(glyph)), qPrintable(QString::number(glyph, 16)));
    }

    // Both catalogues hold the same finished messages per context, the Chinese one
    // translating each to itself, and the compiled catalogue answers exactly as the source.
    void cataloguesHoldEveryMessageCompiled() {
        QSet<QString> keysOf[2];
        const char* const languages[] = {"en", "zh"};
        for (int i = 0; i < 2; ++i) {
            const QVector<TsMessage> messages =
                readTs(QStringLiteral("lib_%1.ts").arg(languages[i]));
            QTranslator compiled;
            QVERIFY(compiled.load(QStringLiteral(":/Language/lib_%1.qm").arg(languages[i])));
            for (const TsMessage& m : messages) {
                keysOf[i].insert(m.context + QChar(0) + m.source);
                QVERIFY2(m.finished && !m.translation.isEmpty(), qPrintable(m.source));
                QVERIFY2(i == 0 || m.translation == m.source, qPrintable(m.source));
                QVERIFY2(compiled.translate(qPrintable(m.context), m.source.toUtf8().constData()) ==
                             m.translation,
                         qPrintable(m.context + ": " + m.source));
            }
            QVERIFY(!messages.isEmpty());
        }
        QCOMPARE(keysOf[0], keysOf[1]);
    }
};

QTEST_MAIN(ResourcesTest)
#include "test_resources.moc"
