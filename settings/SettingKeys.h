// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// Keys of usb-hid.ini, letter for letter as stored files carry them.
namespace SettingKey {
inline constexpr char languageWrite[] = "language";
inline constexpr char languageRead[] = "Language";
inline constexpr char chartTheme[] = "ChartTheme";
inline constexpr char filePath[] = "file_path";
inline constexpr char reportId[] = "report_id";

// Per recorded channel, in the order VBUS, IBUS, POWER, PD, PM, CC1, CC2, CPU_Temp.
using ChannelKeys = std::array<const char*, 8>;
// Curve colour and pen width of the curve style table.
inline constexpr ChannelKeys curveColour{"VBUS_col", "IBUS_col", "POWER_col", "PD_col",
                                         "PM_col",   "CC1_col",  "CC2_col",   "CPU_Temp_col"};
inline constexpr ChannelKeys curveWidth{"VBUS_lw", "IBUS_lw", "POWER_lw", "PD_lw",
                                        "PM_lw",   "CC1_lw",  "CC2_lw",   "CPU_Temp_lw"};
// Custom axis ranges: minimum, maximum and switch ("Powe", not "Power", as files carry it).
inline constexpr ChannelKeys rangeMin{"Vbus_Min_Value", "Ibus_Min_Value", "Powe_Min_Value",
                                      "PD_Min_Value",   "PM_Min_Value",   "CC1_Min_Value",
                                      "CC2_Min_Value",  "CPU_Min_Value"};
inline constexpr ChannelKeys rangeMax{"Vbus_Max_Value", "Ibus_Max_Value", "Powe_Max_Value",
                                      "PD_Max_Value",   "PM_Max_Value",   "CC1_Max_Value",
                                      "CC2_Max_Value",  "CPU_Max_Value"};
inline constexpr ChannelKeys rangeOpen{"VbusIsOpen", "IbusIsOpen", "PoweIsOpen", "PDIsOpen",
                                       "PMIsOpen",   "CC1IsOpen",  "CC2IsOpen",  "CPUIsOpen"};

inline QString channelKey(const ChannelKeys& keys, int channel) {
    return QString::fromLatin1(keys[static_cast<size_t>(channel)]);
}

// The battery capacity test's end conditions.
inline constexpr char capacityEndCurrent[] = "CapacityEndCurrent";
inline constexpr char capacityEndHoldSecs[] = "CapacityEndHoldSecs";
inline constexpr char capacityCutOffOn[] = "CapacityCutOffOn";
inline constexpr char capacityCutOffVolts[] = "CapacityCutOffVolts";

// The folder of the last data file exported or opened: the file dialogs start there.
inline constexpr char dataFolder[] = "DataFolder";
} // namespace SettingKey

namespace SettingValue {
inline constexpr char chinese[] = "Chinese";
inline constexpr char english[] = "English";
inline constexpr char defaultReportId[] = "85";
inline constexpr char switchOn[] = "1";
inline constexpr char switchOff[] = "0";
} // namespace SettingValue
