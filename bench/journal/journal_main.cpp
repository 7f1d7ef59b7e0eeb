// SPDX-License-Identifier: GPL-3.0-or-later
// The run journal's cost per recorded sample: the time the recording thread spends in one
// append (a write each sample, a data sync started every JournalWriter::syncEveryRecords),
// the bytes it adds, and the disk written over a day of one sample a second. Times an hour
// of samples written as fast as they come, then measures the storage writes of sync
// periods paced as in a run (each sync done before the next period's samples), in a
// temporary folder beside the data folder.
#include "BenchSize.h"
#include "DiskWrites.h"
#include "JournalWriter.h"
#include "Percentile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

const int samplesPerHour = benchSize(3600, 100);
constexpr int hoursPerDay = 24;
constexpr double targetMicros = 50.0;
constexpr double targetMiBPerDay = 4.0;
constexpr double bytesPerMiB = 1024.0 * 1024.0;
constexpr qint64 t0 = 1709647629;
const int pacedPeriods = benchSize(60, 2);
// Stands in for the ten seconds between syncs: long enough for one to finish.
constexpr auto periodPause = std::chrono::milliseconds(100);
constexpr int syncsPerDay = 86400 / JournalWriter::syncEveryRecords;

const SampleStore::Values values{5.1f, 1.25f, 6.375f, 0.6f, 0.6f, 1.7f, 0.0f, 30.0f};

struct Timings {
    std::vector<double> plainMicros; // appends that only wrote
    std::vector<double> syncMicros;  // appends that also synced to disk
    double totalMicros = 0;
};

Timings writeAnHour(JournalWriter& writer) {
    Timings t;
    QElapsedTimer clock;
    for (int i = 0; i < samplesPerHour; ++i) {
        clock.start();
        writer.append(t0 + i, values);
        const double micros = double(clock.nsecsElapsed()) / 1000.0;
        t.totalMicros += micros;
        ((i + 1) % JournalWriter::syncEveryRecords == 0 ? t.syncMicros : t.plainMicros)
            .push_back(micros);
    }
    return t;
}

// Storage bytes written per sync period, when each period's sync finishes before the next.
std::optional<double> storageBytesPerSync(const QString& path) {
    JournalWriter writer;
    if (!writer.begin(path, t0))
        return std::nullopt;
    const std::optional<int64_t> before = storageWriteBytes();
    for (int period = 0; period < pacedPeriods; ++period) {
        for (int k = 0; k < JournalWriter::syncEveryRecords; ++k)
            writer.append(t0 + period * JournalWriter::syncEveryRecords + k, values);
        std::this_thread::sleep_for(periodPause);
    }
    const std::optional<int64_t> after = storageWriteBytes();
    if (!before || !after)
        return std::nullopt;
    return double(*after - *before) / pacedPeriods;
}

void printTimes(const char* what, const std::vector<double>& micros) {
    std::printf("  %-28s median %9.1f us   p99 %9.1f us   max %9.1f us\n", what,
                percentile(micros, 0.5), percentile(micros, 0.99), percentile(micros, 1.0));
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCoreApplication app(argc, argv);
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(base);
    QTemporaryDir dir(base + QStringLiteral("/bench-journal-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_journal: no temporary folder under %s\n", qPrintable(base));
        return EXIT_FAILURE;
    }
    const QString path = dir.filePath(QStringLiteral("recording.journal"));
    JournalWriter writer;
    if (!writer.begin(path, t0)) {
        std::fprintf(stderr, "bench_journal: %s\n", qPrintable(writer.errorString()));
        return EXIT_FAILURE;
    }
    const Timings t = writeAnHour(writer);
    writer.finish();
    const qint64 fileBytes = QFileInfo(path).size();

    std::printf("journal: %d samples (an hour at 1/s), data sync every %d samples, in %s\n",
                samplesPerHour, JournalWriter::syncEveryRecords, qPrintable(base));
    printTimes("append, write only:", t.plainMicros);
    printTimes("append with data sync:", t.syncMicros);
    std::printf("  mean cost per sample:        %9.1f us   (target < %.0f us)\n",
                t.totalMicros / samplesPerHour, targetMicros);
    std::printf("  bytes per sample:            %9.1f      (file %lld bytes)\n",
                double(fileBytes) / samplesPerHour, static_cast<long long>(fileBytes));
    std::printf("  journal file per day:        %9.2f MiB  (target < %.0f MiB)\n",
                double(fileBytes) * hoursPerDay / bytesPerMiB, targetMiBPerDay);
    const std::optional<double> perSync = storageBytesPerSync(path);
    if (!perSync) {
        std::printf("  storage writes per day:      not counted by this kernel\n");
        return EXIT_SUCCESS;
    }
    std::printf("  storage writes per sync:     %9.0f B    (%d paced periods; 0 on a RAM "
                "file system)\n",
                *perSync, pacedPeriods);
    std::printf("  storage writes per day:      %9.2f MiB  (%d syncs; target < %.0f MiB)\n",
                *perSync * syncsPerDay / bytesPerMiB, syncsPerDay, targetMiBPerDay);
    return EXIT_SUCCESS;
}
