// The udev rule shipped for the meter, read as udev reads it and matched against the
// device chains the kernel builds: the meter's hidraw node gets the seat tag, nothing
// else does, and nothing wider than the tag is granted.
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QtTest>

namespace {

const char* const ruleFileName = "70-usb-meter.rules";

QString ruleFilePath() {
    return QStringLiteral(PACKAGING_SOURCE_DIR "/") + QLatin1String(ruleFileName);
}

struct Key {
    QString name; // SUBSYSTEM, KERNEL, ATTRS{idVendor}, TAG ...
    QString op;   // ==, !=, =, +=, -=, :=
    QString value;
    bool isMatch() const { return op == QLatin1String("==") || op == QLatin1String("!="); }
};
using Rule = QVector<Key>;

// One device of a chain: the event's device first, then its parents up to the root.
struct Device {
    QString subsystem;
    QString kernel;
    QMap<QString, QString> attrs;
};
using Chain = QVector<Device>;

QVector<Rule> readRules(QString* error) {
    QFile file(ruleFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.errorString();
        return {};
    }
    static const QRegularExpression keyPattern(QStringLiteral(
        "^\\s*([A-Z_]+(?:\\{[^}]+\\})?)\\s*(==|!=|\\+=|-=|:=|=)\\s*\"([^\"]*)\"\\s*(,|$)"));
    QVector<Rule> rules;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#'))
            continue;
        Rule rule;
        QString rest = line;
        while (!rest.trimmed().isEmpty()) {
            const QRegularExpressionMatch m = keyPattern.match(rest);
            if (!m.hasMatch()) {
                *error = QStringLiteral("cannot read: ") + rest;
                return {};
            }
            rule.append({m.captured(1), m.captured(2), m.captured(3)});
            rest = rest.mid(m.capturedEnd());
        }
        rules.append(rule);
    }
    return rules;
}

// udev's patterns: shell globs, alternatives separated by '|'.
bool globMatches(const QString& pattern, const QString& value) {
    for (const QString& alternative : pattern.split('|')) {
        const QRegularExpression re(QRegularExpression::anchoredPattern(
            QRegularExpression::wildcardToRegularExpression(alternative)));
        if (re.match(value).hasMatch())
            return true;
    }
    return false;
}

bool keyHolds(const Key& key, const QString* value) {
    const bool equal = value && globMatches(key.value, *value);
    return key.op == QLatin1String("==") ? equal : !equal;
}

QString attrName(const QString& keyName) {
    return keyName.section('{', 1).chopped(1);
}

// Keys on the event's own device.
bool ownKeysHold(const Rule& rule, const Device& device) {
    for (const Key& key : rule) {
        if (!key.isMatch() || key.name.endsWith(QLatin1String("S")) || key.name.contains('{'))
            continue;
        const QString value = key.name == QLatin1String("SUBSYSTEM") ? device.subsystem
                              : key.name == QLatin1String("KERNEL")  ? device.kernel
                                                                     : QString();
        if (!keyHolds(key, &value))
            return false;
    }
    return true;
}

// ATTRS, SUBSYSTEMS and KERNELS must all hold on one device of the chain.
bool parentKeysHoldOn(const Rule& rule, const Device& device) {
    for (const Key& key : rule) {
        if (!key.isMatch())
            continue;
        if (key.name.startsWith(QLatin1String("ATTRS{"))) {
            const auto it = device.attrs.constFind(attrName(key.name));
            if (!keyHolds(key, it == device.attrs.constEnd() ? nullptr : &it.value()))
                return false;
        } else if (key.name == QLatin1String("SUBSYSTEMS")) {
            if (!keyHolds(key, &device.subsystem))
                return false;
        } else if (key.name == QLatin1String("KERNELS")) {
            if (!keyHolds(key, &device.kernel))
                return false;
        }
    }
    return true;
}

bool ruleMatches(const Rule& rule, const Chain& chain) {
    if (!ownKeysHold(rule, chain.first()))
        return false;
    return std::any_of(chain.begin(), chain.end(),
                       [&rule](const Device& d) { return parentKeysHoldOn(rule, d); });
}

// The assignments of every rule that matches the chain.
QVector<Key> assignmentsFor(const QVector<Rule>& rules, const Chain& chain) {
    QVector<Key> assigned;
    for (const Rule& rule : rules) {
        if (!ruleMatches(rule, chain))
            continue;
        for (const Key& key : rule) {
            if (!key.isMatch())
                assigned.append(key);
        }
    }
    return assigned;
}

Device usbDevice(const QString& vendor, const QString& product) {
    return {QStringLiteral("usb"),
            QStringLiteral("1-2"),
            {{QStringLiteral("idVendor"), vendor}, {QStringLiteral("idProduct"), product}}};
}

// hidraw node -> HID device -> USB interface -> USB device, as the kernel links them.
Chain usbHidraw(const QString& vendor, const QString& product) {
    return {{QStringLiteral("hidraw"), QStringLiteral("hidraw3"), {}},
            {QStringLiteral("hid"), QStringLiteral("0003:%1:%2.0001").arg(vendor, product), {}},
            {QStringLiteral("usb"),
             QStringLiteral("1-2:1.0"),
             {{QStringLiteral("bInterfaceNumber"), QStringLiteral("00")}}},
            usbDevice(vendor, product)};
}

const QString meterVendor = QStringLiteral("0483");
const QString meterProduct = QStringLiteral("5750");

} // namespace

Q_DECLARE_METATYPE(Chain)

class UdevRuleTest : public QObject {
    Q_OBJECT
    QVector<Rule> rules;

private slots:
    void initTestCase() {
        QString error;
        rules = readRules(&error);
        QVERIFY2(!rules.isEmpty(), qPrintable(error));
    }

    void theMetersHidrawNodeGetsTheSeatTagAndNothingElse() {
        const QVector<Key> assigned = assignmentsFor(rules, usbHidraw(meterVendor, meterProduct));
        QCOMPARE(assigned.size(), 1);
        QCOMPARE(assigned.first().name, QString("TAG"));
        QCOMPARE(assigned.first().op, QString("+="));
        QCOMPARE(assigned.first().value, QString("uaccess"));
    }

    void otherDevicesAndTheMetersOtherNodesAreLeftAlone_data() {
        QTest::addColumn<Chain>("chain");
        QTest::newRow("another vendor's hidraw") << usbHidraw("046d", "c52b");
        QTest::newRow("same vendor, other product") << usbHidraw(meterVendor, "df11");
        QTest::newRow("same product id, other vendor") << usbHidraw("1a86", meterProduct);
        QTest::newRow("the meter's USB device node") << Chain{usbDevice(meterVendor, meterProduct)};
        QTest::newRow("the meter's input event node")
            << Chain{{QStringLiteral("input"), QStringLiteral("event7"), {}},
                     usbDevice(meterVendor, meterProduct)};
        QTest::newRow("a Bluetooth hidraw without USB parents")
            << Chain{{QStringLiteral("hidraw"), QStringLiteral("hidraw4"), {}},
                     {QStringLiteral("hid"), QStringLiteral("0005:0483:5750.0002"), {}}};
    }
    void otherDevicesAndTheMetersOtherNodesAreLeftAlone() {
        QFETCH(Chain, chain);
        QVERIFY(assignmentsFor(rules, chain).isEmpty());
    }

    // Modes, owners, groups and programs would reach past the user at the seat.
    void noRuleGrantsMoreThanTheSeatTag() {
        for (const Rule& rule : rules) {
            for (const Key& key : rule) {
                if (key.isMatch())
                    continue;
                QCOMPARE(key.name, QString("TAG"));
                QCOMPARE(key.value, QString("uaccess"));
            }
        }
    }

    // The tag becomes an ACL in 73-seat-late.rules, so the rule must be read before it.
    void ruleFileIsReadBeforeTheSeatRules() {
        const QString name = QLatin1String(ruleFileName);
        QVERIFY(QFileInfo::exists(ruleFilePath()));
        QVERIFY2(name < QLatin1String("73-seat-late.rules"), qPrintable(name));
    }
};

QTEST_APPLESS_MAIN(UdevRuleTest)
#include "test_udev_rule.moc"
