// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a recording of 600 records with values of every sign and size (a NaN among
// them) and a gap between two runs, for the independent reader of check_csv.py:
//     csv_sample_writer <file>
#include "saveDataDeal.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QRandomGenerator random(11);
    SampleStore log;
    const qint64 start = 1709647629;
    for (int i = 0; i < 600; ++i) {
        SampleStore::Values v;
        for (float& x : v)
            x = float(random.generateDouble() * 2e4 - 1e4) / float(1 << random.bounded(20));
        v[0] = i == 7 ? std::nanf("") : v[0];
        log.append(start + i + (i >= 300 ? 86400 : 0), v);
    }
    const CsvWriteResult result = saveDataDeal::saveData(log, QString::fromLocal8Bit(argv[1]));
    if (!result.ok)
        std::fprintf(stderr, "csv_sample_writer: %s\n", qPrintable(result.error));
    return result.ok ? 0 : 1;
}
