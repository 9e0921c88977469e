#pragma once

#include <QString>
#include <QStringList>

namespace tevra::baud {

// The baud table; the index is what Config.ini ComSet/Baud stores.
// 0 "Custom" (no rate), 1 "460800bps", 2 "2457600bps", 3 "3000000bps", 4 "1228800bps",
// 5 "921600bps", 6 "4800bps", 7 "9600bps", 8 "14400bps", 9 "19200bps", 10 "38400bps",
// 11 "56000bps", 12 "57600bps", 13 "115200bps", 14 "128000bps", 15 "230400bps".
inline constexpr int kCount = 16;
inline constexpr int kCustom = 0;
inline constexpr int k9600 = 7;
inline constexpr int k115200 = 13;

// The text of an entry; empty outside 0..15.
QString Text(int index);
// The rate of an entry (the number in its text); 0 for "Custom" and outside the table.
int Rate(int index);
// The index of a text (compared after trimming), or -1.
int IndexOf(const QString& text);

// The fixed list of the connection page's baud box.
QStringList ChoiceList();

// The order in which a port scan tries the rates: 115200, 9600, 19200, 38400, 57600, and
// 115200 once more.
inline constexpr int kScanOrder[] = {13, 7, 9, 10, 12, 13};

}  // namespace tevra::baud
