// SPDX-License-Identifier: GPL-3.0-or-later
// The udev rule shipped for the meter: it matches the meter's hidraw node only and grants
// nothing wider than the seat tag.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include "MeterIdentity.h"

namespace {
// udev writes USB identifiers as four lower-case hex digits.
QString hex4(unsigned short id) {
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}
} // namespace

class UdevRuleTest : public QObject {
    Q_OBJECT
private slots:
    // One rule with exactly these keys, with the identity the program opens: any mode, owner,
    // group or program would reach past the user at the seat, and a glob or a missing key
    // would tag other devices or nodes too. The tag becomes an ACL in 73-seat-late.rules, so
    // the file must be read before it.
    void theRuleTagsTheMetersHidrawNodeOnly() {
        const QDir packaging(QStringLiteral(PACKAGING_SOURCE_DIR));
        const QStringList files = packaging.entryList({QStringLiteral("*.rules")}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY2(files.first() < QLatin1String("73-seat-late.rules"), qPrintable(files.first()));
        QFile file(packaging.filePath(files.first()));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        static const QRegularExpression keyPattern(QStringLiteral(
            "^\\s*([A-Z_]+(?:\\{[^}]+\\})?)\\s*(==|!=|\\+=|-=|:=|=)\\s*\"([^\"]*)\"\\s*(,|$)"));
        QMap<QString, QString> keys; // "SUBSYSTEM==" -> "hidraw", "TAG+=" -> "uaccess" ...
        int ruleLines = 0;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (line.trimmed().isEmpty() || line.trimmed().startsWith('#'))
                continue;
            ++ruleLines;
            for (QString rest = line; !rest.trimmed().isEmpty();) {
                const QRegularExpressionMatch m = keyPattern.match(rest);
                QVERIFY2(m.hasMatch(), qPrintable(rest));
                QVERIFY2(!keys.contains(m.captured(1) + m.captured(2)), qPrintable(rest));
                keys.insert(m.captured(1) + m.captured(2), m.captured(3));
                rest = rest.mid(m.capturedEnd());
            }
        }
        QCOMPARE(ruleLines, 1);
        const QMap<QString, QString> expected{
            {QStringLiteral("SUBSYSTEM=="), QStringLiteral("hidraw")},
            {QStringLiteral("KERNEL=="), QStringLiteral("hidraw*")},
            {QStringLiteral("ATTRS{idVendor}=="), hex4(MeterIdentity::vendorId)},
            {QStringLiteral("ATTRS{idProduct}=="), hex4(MeterIdentity::productId)},
            {QStringLiteral("TAG+="), QStringLiteral("uaccess")}};
        QCOMPARE(keys, expected);
    }
};

QTEST_APPLESS_MAIN(UdevRuleTest)
#include "test_udev_rule.moc"
