// SPDX-License-Identifier: GPL-3.0-or-later
// The udev rule shipped for the meter: it matches the meter's hidraw node only and grants
// nothing wider than the seat tag.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include "MeterIdentity.h"

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
        QStringList rules; // without blanks
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (!line.trimmed().isEmpty() && !line.trimmed().startsWith('#'))
                rules << QString(line).remove(QRegularExpression("\\s"));
        }
        QCOMPARE(rules.size(), 1);
        QStringList keys = rules.first().split(',');
        keys.sort();
        // udev writes USB identifiers as four lower-case hex digits.
        const QString id = QStringLiteral("ATTRS{id%1}==\"%2\"");
        QCOMPARE(keys,
                 (QStringList{id.arg("Product").arg(MeterIdentity::productId, 4, 16, QChar('0')),
                              id.arg("Vendor").arg(MeterIdentity::vendorId, 4, 16, QChar('0')),
                              "KERNEL==\"hidraw*\"", "SUBSYSTEM==\"hidraw\"", "TAG+=\"uaccess\""}));
    }
};

QTEST_APPLESS_MAIN(UdevRuleTest)
#include "test_udev_rule.moc"
