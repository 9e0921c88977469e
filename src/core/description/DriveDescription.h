#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <limits>

namespace tevra {

// The records read from the drive descriptions. Text fields keep at most the capacity
// given beside them (longer values are cut); absent fields are empty or 0.

struct ParameterEntry {
    uint16_t PrNumber = 0;   // also the parameter's RAM address
    QString RangeText;       // 31: lower "-" upper
    int64_t LowerBound = 0;  // INT64_MAX when the text is not an integer
    int64_t UpperBound = 0;  // INT64_MAX when the text is not an integer
    QString UnitText;        // 10
    QString DefaultText;     // 20
    QString BracketText;     // 10
    QString AccessLevel;     // 10; "2": listed for the administrator only
    QString RelationText;    // 10
    uint8_t TypeCode = 0;    // SampleType code of TypeName
    QString TypeName;        // 20
    QString EffectMode;      // 100; "0" at once, "1" after power-up, "2" at servo ON
    QString Name;            // 100
    QString Description;     // 2000; the name when the line gives none
};

struct IplcParameterEntry {
    int32_t Index = 0;
    uint16_t Address = 0;
    QString RangeText;  // 31: lower "~" upper
    int64_t LowerBound = 0;
    int64_t UpperBound = 0;
    QString UnitText;
    QString DefaultText;
    QString BracketText;   // empty
    QString AccessLevel;   // empty
    QString RelationText;  // empty
    uint8_t TypeCode = 0;
    QString TypeName;
    QString EffectMode;
    QString Name;
    QString Description;
};

struct RegisterEntry {
    uint16_t Number = 0;  // the register's address
    QString Name;         // 50
    uint8_t TypeCode = 0;
};

struct MonitorEntry {
    uint16_t Number = 0;
    QString RegisterName;  // 50
    QString Name;          // 50
    QString Unit;          // 10
    QString Hint;          // 100
    uint8_t TypeCode = 0;  // filled by the monitor page from the register list
    QString Tag;           // 5
    int32_t Coefficient = 0;
};

struct WaveSourceEntry {
    QString RegisterName;  // 50
    QString Name;          // 50
    QString Unit;          // 10
    QString Hint;          // 100
    int32_t Coefficient = 0;
};

struct AlarmEntry {
    uint16_t Code = 0;
    QString Name;         // 50
    QString Description;  // 100
};

// The three alarm status register numbers; 0xFFFF when absent or unreadable.
struct AlarmStatusRegisters {
    uint16_t ErrStuReg1 = 0xFFFF;
    uint16_t ErrStuReg2 = 0xFFFF;
    uint16_t ErrStuReg3 = 0xFFFF;
};

struct ZeroEntry {
    QString Name;  // 50
    QString Hint;  // 1000
    uint16_t ParaNumber = 0;
    QString RegisterName;  // 52
    QString Permission;    // 10
};

struct IoDefinition {
    uint16_t X0_4 = 0;
    uint16_t X5_9 = 0;
    uint16_t X10_14 = 0;
    uint16_t Y0_4 = 0;
    uint16_t Y5_9 = 0;
    QString XReg;  // 50
    QString YReg;  // 50
    uint16_t XRegNumber = 0xFFFF;
    uint16_t YRegNumber = 0xFFFF;
};

struct TNoImportPr {
    QVector<uint16_t> Numbers;
    int32_t Count = 0;
};

using ParameterList = QVector<ParameterEntry>;
using IplcParameterList = QVector<IplcParameterEntry>;
using RegisterList = QVector<RegisterEntry>;
using MonitorList = QVector<MonitorEntry>;
using WaveSourceList = QVector<WaveSourceEntry>;
using AlarmList = QVector<AlarmEntry>;
using ZeroList = QVector<ZeroEntry>;

}  // namespace tevra
