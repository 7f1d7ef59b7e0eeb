// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled-in resources: pictures, style sheet, icon font and translation catalogues.

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include "Glyphs.h"

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    // Every picture the style sheet and the interface's sources name; those named by their size
    // (name_WxH.png) have that size.
    void picturesLoad_data() {
        QTest::addColumn<QString>("path");
        QFile sheet(QStringLiteral(":/qss/psblack.css"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QString naming = QString::fromLatin1(sheet.readAll());
        for (const char* folder : {SOURCE_DIR "/app", SOURCE_DIR "/display"}) {
            for (QDirIterator it(folder, {"*.cpp", "*.ui"}, QDir::Files); it.hasNext();) {
                QFile source(it.next());
                if (source.open(QIODevice::ReadOnly))
                    naming += QString::fromUtf8(source.readAll());
            }
        }
        QSet<QString> paths;
        const QRegularExpression picture(QStringLiteral(":/[\\w/.-]+\\.(png|jpg|ico)"));
        for (auto it = picture.globalMatch(naming); it.hasNext();)
            paths.insert(it.next().captured());
        for (const QString& path : paths)
            QTest::newRow(qPrintable(path)) << path;
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
        QVector<char16_t> glyphs = {Glyph::homeReturn, Glyph::pageReturn,   Glyph::titleIcon,
                                    Glyph::minimise,   Glyph::maximise,     Glyph::close,
                                    Glyph::menu,       Glyph::awaitingMeter};
        for (const char16_t glyph : Glyph::toolButtons)
            glyphs << glyph;
        for (const char16_t glyph : glyphs)
            QVERIFY2(font.supportsCharacter(QChar(glyph)), qPrintable(QString::number(glyph, 16)));
    }

    // Every message of the English source is finished (lrelease leaves the others out) and
    // the compiled catalogue answers each exactly as the source says.
    void englishCatalogueHoldsEveryMessageCompiled() {
        QTranslator compiled;
        QVERIFY(compiled.load(QStringLiteral(":/Language/lib_en.qm")));
        QFile file(QStringLiteral(SOURCE_DIR "/resources/Language/lib_en.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const bool finished = xml.attributes().value("type").isEmpty();
                const QString translation = xml.readElementText();
                QVERIFY2(finished && !translation.isEmpty(), qPrintable(source));
                QCOMPARE(compiled.translate(qPrintable(context), source.toUtf8().constData()),
                         translation);
                ++messages;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 0);
    }
};

QTEST_MAIN(ResourcesTest)
#include "test_resources.moc"
