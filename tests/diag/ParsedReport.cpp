// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParsedReport.h"

#include <QRegularExpression>

namespace {

const QStringList registerRows[] = {{"RAX", "RBX", "RCX", "RDX"},
                                    {"RSI", "RDI", "RSP", "RBP"},
                                    {"R8", "R9", "R10", "R11"},
                                    {"R12", "R13", "R14", "R15"},
                                    {"RIP", "EFlags"}};

class LineReader {
public:
    explicit LineReader(const QByteArray& text) : lines(QString::fromUtf8(text).split('\n')) {}

    // Matches the next line against `pattern`; an empty match means it did not fit.
    QRegularExpressionMatch next(const QString& pattern) {
        const QString line = index < lines.size() ? lines[index] : QString();
        const auto match = QRegularExpression("^" + pattern + "$").match(line);
        if (match.hasMatch())
            ++index;
        else if (failure.isEmpty())
            failure = QString("line %1 \"%2\" is not /%3/").arg(index + 1).arg(line, pattern);
        return match;
    }
    bool optional(const QString& pattern) {
        return index < lines.size() &&
               QRegularExpression("^" + pattern + "$").match(lines[index]).hasMatch();
    }
    bool atEnd() const { return index >= lines.size(); }
    QString failure;

private:
    QStringList lines;
    int index = 0;
};

const QString hex16 = "([0-9A-F]{16})";

quint64 number(const QRegularExpressionMatch& match, int group) {
    return match.captured(group).toULongLong(nullptr, 16);
}

void readRegisters(LineReader& reader, ParsedReport& report) {
    reader.next("Registers: ");
    for (const QStringList& row : registerRows) {
        QStringList cells;
        for (const QString& name : row)
            cells << QString("%1: +%2").arg(name, hex16);
        const auto match = reader.next(cells.join("  "));
        for (int i = 0; match.hasMatch() && i < row.size(); ++i)
            report.registers[row[i]] = number(match, i + 1);
    }
}

} // namespace

QString ParsedReport::parse(const QByteArray& text, ParsedReport& report) {
    LineReader reader(text);
    report.systemLine = reader.next("Linux:  .+").captured(0);
    report.process = reader.next("Process:  (.+)").captured(1);
    const auto exception = reader.next("Exception Addr:  " + hex16 + "   Module: (.*)");
    report.exceptionAddress = number(exception, 1);
    report.module = exception.captured(2);
    report.code = reader.next("Exception Code:  ([0-9A-F]{8})").captured(1);
    if (reader.optional("(Read|Write) Address:  .*")) {
        const auto access = reader.next("(Read|Write) Address:  " + hex16);
        report.access = access.captured(1);
        report.accessAddress = number(access, 2);
    }
    const auto bytes = reader.next("Instruction: ((?: (?:[0-9A-F]{2}|\\?\\?)){16})");
    report.instruction = bytes.captured(1).split(' ', Qt::SkipEmptyParts);
    readRegisters(reader, report);
    reader.next("Call Stack:");
    while (reader.failure.isEmpty() && !reader.atEnd()) {
        const auto entry = reader.next(hex16 + "  (.*)");
        if (entry.hasMatch())
            report.stack.append({number(entry, 1), entry.captured(2)});
    }
    if (reader.failure.isEmpty() && text.endsWith('\n'))
        reader.failure = "the report ends with a line end";
    return reader.failure;
}
