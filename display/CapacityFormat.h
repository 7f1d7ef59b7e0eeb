// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Widget-free number formats of the battery capacity page.
// Charge in mAh with one decimal: 2000.0.
QString formatCharge(double milliampHours);
// Energy in Wh with three decimals: 2.500.
QString formatEnergy(double wattHours);
// Voltages, currents and powers of the averages and peaks: three decimals.
QString formatQuantity(double value);
// Elapsed time as hours:minutes:seconds, hours unbounded (a two-day soak shows 49:05:03).
QString formatElapsed(qint64 elapsedMs);
