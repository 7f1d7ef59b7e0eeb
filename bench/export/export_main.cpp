// SPDX-License-Identifier: GPL-3.0-or-later
// The recording's files at the lengths users record: a day and a week exported as CSV,
// the week's file opened again, and the memory the log takes per record.
#include "BenchSize.h"
#include "CsvReader.h"
#include "saveDataDeal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace {

const int day = benchSize(86400, 100);
const int week = 7 * day;
constexpr int rounds = 3;
constexpr double exportTargetMs = 500;
constexpr double openTargetMs = 2000;
constexpr double bytesPerRecordTarget = 40;

// A phone charging over and over: values that vary like a real recording's, so the
// formatter meets every digit count.
void fill(SampleStore& log, int records) {
    const qint64 start = 1709647629;
    for (int i = 0; i < records; ++i) {
        const float phase = float(i % 5400) / 5400.0f;
        const float volts = phase < 0.1f ? 5.02f : 8.97f + 0.01f * std::sin(float(i));
        const float amps = 2.1f * (1.0f - phase) + 0.001f * float(i % 17);
        log.append(start + i, {volts, amps, volts * amps, 0.6f + 0.001f * float(i % 7), 0.598f,
                               1.68f, 0.0f, 30.0f + 10.0f * phase});
    }
}

// Resident memory of the process, bytes.
qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

// The fastest of a few rounds, milliseconds; `run` is timed whole.
template <typename Run> double fastestMs(Run run) {
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer clock;
        clock.start();
        if (!run())
            return -1;
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

bool exportTo(const SampleStore& log, const QString& path) {
    QFile::remove(path);
    return saveDataDeal::saveData(log, path).ok;
}

void printExport(const char* what, const SampleStore& log, const QString& path) {
    const double ms = fastestMs([&] { return exportTo(log, path); });
    std::printf("  export %-5s %7d records  %8.1f ms  %6.1f MB   (target: a week under %.0f ms)\n",
                what, log.size(), ms, QFile(path).size() / 1e6, exportTargetMs);
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_export: no temporary directory\n");
        return EXIT_FAILURE;
    }
    std::printf("export: CSV files of a recording, fastest of %d rounds\n", rounds);

    // Grown one record at a time as a run grows it, without reserving.
    const qint64 before = residentBytes();
    SampleStore weekLog;
    fill(weekLog, week);
    const double perRecord = double(residentBytes() - before) / week;
    SampleStore dayLog;
    fill(dayLog, day);

    printExport("day", dayLog, dir.filePath("day.csv"));
    const QString weekFile = dir.filePath("week.csv");
    printExport("week", weekLog, weekFile);

    int opened = 0;
    const double openMs = fastestMs([&] {
        SampleStore store;
        const CsvReadResult result = CsvReader::read(weekFile, store);
        opened = result.records;
        return result.status == CsvReadResult::Ok;
    });
    std::printf("  open   week  %7d records  %8.1f ms              (target: under %.0f ms)\n",
                opened, openMs, openTargetMs);
    std::printf("  log memory   %7.1f bytes per record, resident      (target: under %.0f)\n",
                perRecord, bytesPerRecordTarget);
    return EXIT_SUCCESS;
}
