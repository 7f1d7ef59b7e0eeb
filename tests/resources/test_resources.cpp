#include "TsFile.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImageReader>
#include <QLineEdit>
#include <QMap>
#include <QPixmap>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QtTest>

namespace {
const QString styleSheetPath = QStringLiteral(":/qss/psblack.css");
const QString iconFontPath = QStringLiteral(":/sys/rs/rs/font/fontawesome-webfont.ttf");
const QString englishCatalogue = QStringLiteral(":/Language/lib_en.qm");
const QString chineseCatalogue = QStringLiteral(":/Language/lib_zh.qm");

const QStringList styleImages = {
    "add_bottom.png",
    "add_top.png",
    "add_left.png",
    "add_right.png",
    "branch_open.png",
    "branch_close.png",
    "calendar_nextmonth.png",
    "calendar_prevmonth.png",
    "checkbox_checked.png",
    "checkbox_checked_disable.png",
    "checkbox_parcial.png",
    "checkbox_parcial_disable.png",
    "checkbox_unchecked.png",
    "checkbox_unchecked_disable.png",
    "radiobutton_checked.png",
    "radiobutton_checked_disable.png",
    "radiobutton_unchecked.png",
    "radiobutton_unchecked_disable.png",
};

const QStringList applicationImages = {
    "AccuGrpDisp.png",
    "ExportData.png",
    "ExportImage.png",
    "MoreSettings.png",
    "ScrollDisp.png",
    "SysSet.png",
    "Upgrade.png",
    "back.png",
    "cn_en.png",
    "down.png",
    "up.png",
    "download.png",
    "folder.ico",
    "icon_130x20.png",
    "icon01_130x20.png",
    "icon02_130x20.png",
    "icon03_130x20.png",
    "list_20x20.png",
    "main.jpg",
    "menu.png",
    "run.png",
    "pause.png",
    "usb_connect.png",
    "usb_disconnect.png",
};

// Font Awesome code points that the title bar, return buttons and home page draw.
const QVector<char16_t> glyphsInUse = {0xF073, 0xF122, 0xF2D5, 0xF068, 0xF2D0, 0xF00D, 0xF150};

// Reads the style sheet the way start-up does: bytes up to the first NUL, as Latin-1.
QString readStyleSheet() {
    QFile file(styleSheetPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromLatin1(file.readAll().constData());
}

QString translationSource(const char* fileName) {
    return QStringLiteral(TRANSLATION_SOURCE_DIR "/") + QLatin1String(fileName);
}

// Collects warnings while alive; Qt reports style sheet syntax errors only as warnings.
class WarningCollector {
public:
    WarningCollector() { previous = qInstallMessageHandler(&WarningCollector::collect); }
    ~WarningCollector() { qInstallMessageHandler(previous); }
    static QStringList& warnings() {
        static QStringList list;
        return list;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg) {
            warnings().append(message);
        }
    }
    QtMessageHandler previous = nullptr;
};

// Makes `sheet` the application style sheet for its lifetime.
class AppStyleSheet {
public:
    explicit AppStyleSheet(const QString& sheet) { qApp->setStyleSheet(sheet); }
    ~AppStyleSheet() { qApp->setStyleSheet(QString()); }
    AppStyleSheet(const AppStyleSheet&) = delete;
    AppStyleSheet& operator=(const AppStyleSheet&) = delete;
};
} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void styleSheetOpensWithThePaletteRule();
    void styleSheetImagesExistAndLoad();
    void everyStyleImageIsUsedByTheStyleSheet();
    void styleSheetSelectsTheNamedPropertiesAndTitleButtons_data();
    void styleSheetSelectsTheNamedPropertiesAndTitleButtons();
    void styleSheetParsesAndColoursWidgets();

    void picturesLoad_data();
    void picturesLoad();
    void picturesNamedBySizeHaveThatSize_data();
    void picturesNamedBySizeHaveThatSize();
    void backgroundIsJpegAndFolderIsIco();

    void iconFontRegistersWithTheGlyphsInUse();

    void translationSourcesHoldTheWholeCatalogue_data();
    void translationSourcesHoldTheWholeCatalogue();
    void chineseSourceTranslatesEverySourceToItself();
    void compiledCataloguesMatchTheirSources_data();
    void compiledCataloguesMatchTheirSources();
    void englishCatalogueTranslatesByContext_data();
    void englishCatalogueTranslatesByContext();
};

void ResourcesTest::styleSheetOpensWithThePaletteRule() {
    const QString sheet = readStyleSheet();
    QVERIFY2(!sheet.isEmpty(), "style sheet missing or empty");
    QVERIFY(sheet.startsWith("QPalette{background:#444444;}"));
    const QString colourName = sheet.mid(20, 7);
    QCOMPARE(colourName, QStringLiteral("#444444"));
    QColor colour;
    colour.setNamedColor(colourName);
    QCOMPARE(colour, QColor(0x44, 0x44, 0x44));
}

void ResourcesTest::styleSheetImagesExistAndLoad() {
    const QString sheet = readStyleSheet();
    const QRegularExpression url(QStringLiteral("url\\(([^)]+)\\)"));
    int references = 0;
    for (auto it = url.globalMatch(sheet); it.hasNext(); ++references) {
        const QString path = it.next().captured(1);
        QVERIFY2(path.startsWith(":/qss/psblack/"), qPrintable(path));
        QVERIFY2(!QImage(path).isNull(), qPrintable(path));
    }
    QVERIFY(references >= styleImages.size());
}

void ResourcesTest::everyStyleImageIsUsedByTheStyleSheet() {
    const QString sheet = readStyleSheet();
    for (const QString& name : styleImages) {
        const QString reference = QStringLiteral("url(:/qss/psblack/%1)").arg(name);
        QVERIFY2(sheet.contains(reference), qPrintable(name));
    }
}

void ResourcesTest::styleSheetSelectsTheNamedPropertiesAndTitleButtons_data() {
    QTest::addColumn<QString>("selector");
    for (const char* property : {"form=\"true\"", "form=\"bottom\"", "form=\"title\"",
                                 "nav=\"left\"", "nav=\"top\"", "video=\"true\""}) {
        QTest::newRow(property) << QStringLiteral("[%1]").arg(QLatin1String(property));
    }
    for (const char* name :
         {"btnMenu", "btnMenu_Min", "btnMenu_Max", "btnMenu_Close", "btnMenu_Menu"}) {
        QTest::newRow(name) << QStringLiteral("#%1:hover").arg(QLatin1String(name));
    }
}

void ResourcesTest::styleSheetSelectsTheNamedPropertiesAndTitleButtons() {
    QFETCH(QString, selector);
    QVERIFY(readStyleSheet().contains(selector));
}

void ResourcesTest::styleSheetParsesAndColoursWidgets() {
    WarningCollector collector;
    WarningCollector::warnings().clear();
    // Declared before the widgets so that the sheet is removed after they are gone.
    const AppStyleSheet sheet(readStyleSheet());

    QWidget bottom;
    bottom.setProperty("form", "bottom");
    QWidget form;
    form.setProperty("form", "true");
    QLineEdit edit;
    QPushButton close;
    close.setObjectName("btnMenu_Close");
    for (QWidget* widget :
         {&bottom, &form, static_cast<QWidget*>(&edit), static_cast<QWidget*>(&close)}) {
        widget->ensurePolished();
    }

    QVERIFY2(WarningCollector::warnings().isEmpty(),
             qPrintable(WarningCollector::warnings().join('\n')));
    QCOMPARE(bottom.palette().color(bottom.backgroundRole()), QColor(0x484848));
    QCOMPARE(form.palette().color(form.backgroundRole()), QColor(0x444444));
    QCOMPARE(edit.palette().color(QPalette::Base), QColor(0x484848));
    QCOMPARE(edit.palette().color(QPalette::Text), QColor(0xDCDCDC));
    QCOMPARE(close.palette().color(QPalette::ButtonText), QColor(0xDCDCDC));
}

void ResourcesTest::picturesLoad_data() {
    QTest::addColumn<QString>("path");
    for (const QString& name : styleImages) {
        const QString path = ":/qss/psblack/" + name;
        QTest::newRow(qPrintable(path)) << path;
    }
    for (const QString& name : applicationImages) {
        const QString path = ":/sys/rs/rs/" + name;
        QTest::newRow(qPrintable(path)) << path;
    }
}

void ResourcesTest::picturesLoad() {
    QFETCH(QString, path);
    QVERIFY(QFile::exists(path));
    const QPixmap pixmap(path);
    QVERIFY(!pixmap.isNull());
    QVERIFY(!QImage(path).isNull());
}

void ResourcesTest::picturesNamedBySizeHaveThatSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const char* name :
         {"icon_130x20.png", "icon01_130x20.png", "icon02_130x20.png", "icon03_130x20.png"}) {
        QTest::newRow(name) << QString(name) << QSize(130, 20);
    }
    QTest::newRow("list_20x20.png") << QStringLiteral("list_20x20.png") << QSize(20, 20);
}

void ResourcesTest::picturesNamedBySizeHaveThatSize() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QCOMPARE(QImage(":/sys/rs/rs/" + name).size(), size);
}

void ResourcesTest::backgroundIsJpegAndFolderIsIco() {
    QCOMPARE(QImageReader(":/sys/rs/rs/main.jpg").format(), QByteArray("jpeg"));
    QImageReader folder(":/sys/rs/rs/folder.ico");
    folder.setDecideFormatFromContent(true);
    QCOMPARE(folder.format(), QByteArray("ico"));
    QVERIFY(!folder.read().isNull());
}

void ResourcesTest::iconFontRegistersWithTheGlyphsInUse() {
    const int id = QFontDatabase::addApplicationFont(iconFontPath);
    QVERIFY(id >= 0);
    QVERIFY(!QFontDatabase::applicationFontFamilies(id).isEmpty());

    QFile file(iconFontPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QRawFont font(file.readAll(), 16);
    QVERIFY(font.isValid());
    for (const char16_t glyph : glyphsInUse) {
        QVERIFY2(font.supportsCharacter(QChar(glyph)), qPrintable(QString::number(glyph, 16)));
    }
}

void ResourcesTest::translationSourcesHoldTheWholeCatalogue_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("language");
    QTest::newRow("lib_en.ts") << translationSource("lib_en.ts") << QStringLiteral("en");
    QTest::newRow("lib_zh.ts") << translationSource("lib_zh.ts") << QStringLiteral("zh_CN");
}

void ResourcesTest::translationSourcesHoldTheWholeCatalogue() {
    QFETCH(QString, path);
    QFETCH(QString, language);
    const TsFile ts = readTsFile(path);
    QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
    QCOMPARE(ts.language, language);
    QCOMPARE(ts.messages.size(), 198);

    QMap<QString, int> perContext;
    QSet<QString> keys;
    for (const TsMessage& message : ts.messages) {
        ++perContext[message.context];
        keys.insert(message.context + QChar(0) + message.source);
        QVERIFY2(message.finished && !message.translation.isEmpty(), qPrintable(message.source));
    }
    QCOMPARE(keys.size(), ts.messages.size());
    const QMap<QString, int> expected = {{"MainDialog", 156},       {"DeviceInfoUI", 9},
                                         {"customcoordinates", 16}, {"MainWindow", 3},
                                         {"moresetting", 1},        {"QObject", 13}};
    QCOMPARE(perContext, expected);
}

void ResourcesTest::chineseSourceTranslatesEverySourceToItself() {
    const TsFile english = readTsFile(translationSource("lib_en.ts"));
    const TsFile chinese = readTsFile(translationSource("lib_zh.ts"));
    QSet<QString> englishKeys;
    for (const TsMessage& message : english.messages) {
        englishKeys.insert(message.context + QChar(0) + message.source);
    }
    QSet<QString> chineseKeys;
    for (const TsMessage& message : chinese.messages) {
        chineseKeys.insert(message.context + QChar(0) + message.source);
        QCOMPARE(message.translation, message.source);
    }
    QCOMPARE(chineseKeys, englishKeys);
}

void ResourcesTest::compiledCataloguesMatchTheirSources_data() {
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("source");
    QTest::newRow("en") << englishCatalogue << translationSource("lib_en.ts");
    QTest::newRow("zh") << chineseCatalogue << translationSource("lib_zh.ts");
}

void ResourcesTest::compiledCataloguesMatchTheirSources() {
    QFETCH(QString, catalogue);
    QFETCH(QString, source);
    QTranslator translator;
    QVERIFY(translator.load(catalogue));
    const TsFile ts = readTsFile(source);
    QVERIFY(!ts.messages.isEmpty());
    for (const TsMessage& message : ts.messages) {
        const QString translated =
            translator.translate(qPrintable(message.context), message.source.toUtf8().constData());
        QVERIFY2(translated == message.translation,
                 qPrintable(message.context + ": " + message.source));
    }
}

void ResourcesTest::englishCatalogueTranslatesByContext_data() {
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("english");
    const auto row = [](const char* name, const char* context, const char* source,
                        const char* english) {
        QTest::newRow(name) << QString(context) << QString::fromUtf8(source)
                            << QString::fromUtf8(english);
    };
    row("device list header", "MainDialog", "设备列表", "Devices");
    row("language setting", "MainDialog", "01 语言字体设置", "01 Language");
    row("data zero keeps its dot", "MainDialog", "04 累计数据清零", "04.All Data Zero");
    row("floating input hint", "MainDialog", "(输入悬空时有感应电压是正常现象)",
        "(It is normal to have induced voltage when input is suspended)");
    row("full-width comma", "MainDialog", "数据太少了吧，请记录至少二十条数据。",
        "There are too few data. Please record at least 20 data.");
    row("ascii colon", "MainDialog", "设备名称:", "Device name:");
    row("full-width colon", "MainDialog", "设备名称：", "Device name:");
    row("html text", "MainDialog", "<html><head/><body><p>主页菜单</p></body></html>",
        "<html><head/><body><p>Home Menu</p></body></html>");
    row("unchanged degree sign", "MainDialog", "℃", "℃");
    row("unchanged chinese name", "MainDialog", "简体中文", "简体中文");
    row("main dialog error", "MainDialog", "错误", "Error");
    row("device card connect", "DeviceInfoUI", "连接", "Connect");
    row("device card serial", "DeviceInfoUI", "序列号", "SN");
    row("device card error", "DeviceInfoUI", "错误", "Error");
    row("device card none", "DeviceInfoUI", "[none]", "[none]");
    row("axis panel enable", "customcoordinates", "启用", "Enable");
    row("axis panel maximum", "customcoordinates", "最大值", "Maximum value");
    row("axis panel cpu", "customcoordinates", "CPU_T:", "CPU_T:");
    row("main window send", "MainWindow", "发送", "send");
    row("main window receive", "MainWindow", "接收", "receive");
    row("more settings form", "moresetting", "Form", "Form");
    row("csv line break", "QObject", "\n", "\n");
    row("csv temperature title", "QObject", "CPU_TEMP(℃),\n", "CPU_TEMP(℃),\n");
    row("csv banner", "QObject", "--------------------------R48M----------------------------\n",
        "--------------------------R48M----------------------------\n");
    // A text belongs to its own context only.
    row("header is not a device card text", "DeviceInfoUI", "设备列表", "");
    row("enable is not a dialog text", "MainDialog", "启用", "");
}

void ResourcesTest::englishCatalogueTranslatesByContext() {
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, english);
    QTranslator translator;
    QVERIFY(translator.load(englishCatalogue));
    QCOMPARE(translator.translate(qPrintable(context), source.toUtf8().constData()), english);
}

QTEST_MAIN(ResourcesTest)
#include "test_resources.moc"
