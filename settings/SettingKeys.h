#pragma once

// Keys of usb-hid.ini, letter for letter as stored files carry them.
namespace SettingKey {
inline constexpr char languageWrite[] = "language";
inline constexpr char languageRead[] = "Language";
inline constexpr char chartTheme[] = "ChartTheme";
inline constexpr char filePath[] = "file_path";
inline constexpr char reportId[] = "report_id";
// The battery capacity test's end conditions.
inline constexpr char capacityEndCurrent[] = "CapacityEndCurrent";
inline constexpr char capacityEndHoldSecs[] = "CapacityEndHoldSecs";
inline constexpr char capacityCutOffOn[] = "CapacityCutOffOn";
inline constexpr char capacityCutOffVolts[] = "CapacityCutOffVolts";
} // namespace SettingKey

namespace SettingValue {
inline constexpr char chinese[] = "Chinese";
inline constexpr char english[] = "English";
inline constexpr char defaultReportId[] = "85";
} // namespace SettingValue
