// The demo drive description shipped with the program, read by the real section readers:
// every section must read without errors and everything one section names in another
// (registers, parameters, alarm registers) must exist.

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>

#include "TestSupport.h"
#include "debug/RegisterDefinitionFile.h"
#include "description/DescriptionReaders.h"
#include "ini/IniFile.h"
#include "scope/SampleType.h"
#include "text/TextFile.h"

namespace tevra {
namespace {

QString demoPath(const QString& relative) {
    return test::sourceDir() + QStringLiteral("/demo/program/") + relative;
}

QStringList demoLines(const QString& relative) {
    auto lines = readTextLines(demoPath(relative));
    EXPECT_TRUE(lines.has_value()) << relative.toStdString();
    return lines.value_or(QStringList());
}

template <typename T>
T readOk(DescriptionResult<T> result) {
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().toString().toStdString());
    return result.ok() ? std::move(result).value() : T();
}

struct Model {
    QString name;
    ParameterList parameters;
    RegisterList registers;
    MonitorList monitors;
    AlarmSection alarms;
};

// The models of DriType.dat with their descriptions.
const QVector<Model>& models() {
    static const QVector<Model> all = [] {
        QVector<Model> out;
        IniFile list(demoPath(QStringLiteral("DriType.dat")));
        const int last = list.readInt(QStringLiteral("DriverType"), QStringLiteral("Number"), 0);
        for (int i = 0; i <= last; ++i) {
            Model m;
            m.name = list.readString(QStringLiteral("DriverType"), QString::number(i)).trimmed();
            const QString file = list.readString(QStringLiteral("DataFile"), m.name);
            const QStringList lines = demoLines(QStringLiteral("Source/") + file + ".txt");
            auto params = readOk(ReadParameterSection(lines, file));
            EXPECT_TRUE(params.warnings.isEmpty()) << m.name.toStdString();
            m.parameters = params.entries;
            m.registers = readOk(ReadRegisterSection(lines, file));
            m.monitors = readOk(ReadWaveRegDefSection(lines, file));
            m.alarms = readOk(ReadAlarmSection(lines, file));
            out.push_back(m);
        }
        return out;
    }();
    return all;
}

const RegisterEntry* findRegister(const RegisterList& list, const QString& name) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const RegisterEntry& r) { return r.Name == name; });
    return it == list.end() ? nullptr : &*it;
}

const RegisterEntry* findRegister(const RegisterList& list, uint16_t number) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const RegisterEntry& r) { return r.Number == number; });
    return it == list.end() ? nullptr : &*it;
}

const ParameterEntry* findParameter(const ParameterList& list, uint16_t pr) {
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const ParameterEntry& e) { return e.PrNumber == pr; });
    return it == list.end() ? nullptr : &*it;
}

bool isWide(uint8_t code) {
    return sampleWords(code) == 2 || code == sample_type::kUnusedIq;
}

TEST(DemoDescription, ModelListNamesAtLeastTwoModelsAndSelectsOne) {
    IniFile list(demoPath(QStringLiteral("DriType.dat")));
    ASSERT_GE(models().size(), 2);
    const int select = list.readInt(QStringLiteral("Default"), QStringLiteral("Select"), -1);
    ASSERT_GE(select, 0);
    ASSERT_LT(select, models().size());
    EXPECT_EQ(list.readString(QStringLiteral("Default"), QStringLiteral("SelectModel")),
              models()[select].name);
}

TEST(DemoDescription, ParametersCoverTheTableWithSoundRangesAndDefaults) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name.toStdString());
        const ParameterList& params = m.parameters;
        EXPECT_GE(params.size(), 300);
        QSet<uint16_t> highWords;
        QSet<QString> types;
        QSet<QString> effects;
        int administratorOnly = 0;
        for (qsizetype i = 0; i < params.size(); ++i) {
            const ParameterEntry& e = params[i];
            SCOPED_TRACE(QStringLiteral("Pr%1").arg(e.PrNumber, 2, 16).toStdString());
            if (i > 0) {
                EXPECT_GT(e.PrNumber, params[i - 1].PrNumber) << "numbers ascend";
            }
            EXPECT_FALSE(highWords.contains(e.PrNumber)) << "high word of a 32-bit parameter";
            if (isWide(e.TypeCode)) {
                highWords.insert(e.PrNumber + 1);
            }
            bool ok = false;
            const qint64 d = e.DefaultText.trimmed().toLongLong(&ok);
            EXPECT_TRUE(ok);
            EXPECT_LE(e.LowerBound, d);
            EXPECT_LE(d, e.UpperBound);
            EXPECT_NE(e.Description, e.Name) << "has a description";
            types.insert(e.TypeName);
            effects.insert(e.EffectMode);
            administratorOnly += e.AccessLevel.trimmed() == QStringLiteral("2");
        }
        for (uint16_t pr = 0; pr <= 0x14F; ++pr) {
            EXPECT_TRUE(findParameter(params, pr) || highWords.contains(pr)) << pr;
        }
        for (const char* t : {"", "Int16", "Uint16", "Int32", "Uint32", "IQ24"}) {
            EXPECT_TRUE(types.contains(QString::fromLatin1(t))) << t;
        }
        EXPECT_EQ(effects, (QSet<QString>{"0", "1", "2"}));
        EXPECT_GT(administratorOnly, 0);
    }
}

TEST(DemoDescription, RegistersDoNotOverlapAndSectionsReferToThem) {
    for (const Model& m : models()) {
        SCOPED_TRACE(m.name.toStdString());
        QSet<uint16_t> used;
        for (const RegisterEntry& r : m.registers) {
            int words = isWide(r.TypeCode) ? 2 : 1;
            const qsizetype open = r.Name.indexOf('[');
            if (open > 0) {
                words *= r.Name.mid(open + 1, r.Name.indexOf(']') - open - 1).toInt();
            }
            for (int k = 0; k < words; ++k) {
                EXPECT_FALSE(used.contains(r.Number + k)) << r.Name.toStdString();
                used.insert(r.Number + k);
            }
        }
        EXPECT_TRUE(findRegister(m.registers, uint16_t{0x6FC1}));
        EXPECT_EQ(m.registers.size(), models().front().registers.size());

        EXPECT_GE(m.monitors.size(), 20);
        for (const MonitorEntry& mon : m.monitors) {
            const RegisterEntry* r = findRegister(m.registers, mon.Number);
            ASSERT_TRUE(r) << mon.Name.toStdString();
            EXPECT_LE(r->TypeCode, sample_type::kUint32) << "the monitor page reads it";
        }

        EXPECT_GE(m.alarms.alarms.size(), 30);
        QSet<int> statusWords;
        for (uint16_t number :
             {m.alarms.statusRegisters.ErrStuReg1, m.alarms.statusRegisters.ErrStuReg2,
              m.alarms.statusRegisters.ErrStuReg3}) {
            const RegisterEntry* r = findRegister(m.registers, number);
            ASSERT_TRUE(r) << number;
            EXPECT_EQ(r->TypeCode, sample_type::kUint32);
        }
        for (const AlarmEntry& a : m.alarms.alarms) {
            EXPECT_GE(a.Code, 1);
            EXPECT_LE(a.Code, 96);
            statusWords.insert((a.Code - 1) / 32);
        }
        EXPECT_EQ(statusWords, (QSet<int>{0, 1, 2}));
    }
}

TEST(DemoDescription, SystemDescriptionMatchesEveryModel) {
    const QStringList lines = demoLines(QStringLiteral("System/SysConfig.ddt.txt"));
    const WaveSourceList waves = readOk(ReadWaveSections(lines));
    const MonitorList userMonitors = readOk(ReadUserMonitorSections(lines));
    const ZeroList zeros = readOk(ReadZeroSections(lines));
    const IplcParameterList iplc = readOk(ReadIplcSection(lines));
    const TNoImportPr barred = readOk(ReadNoImportSection(lines));

    EXPECT_GE(waves.size(), 10);
    EXPECT_GE(userMonitors.size(), 10);
    EXPECT_GE(zeros.size(), 2);
    EXPECT_GT(barred.Count, 0);
    for (int segment = 1; segment <= 8; ++segment) {
        const QString word = QStringLiteral("段%1控制字").arg(segment);
        auto it = std::find_if(iplc.begin(), iplc.end(),
                               [&](const IplcParameterEntry& e) { return e.Name.contains(word); });
        ASSERT_NE(it, iplc.end()) << segment;
        EXPECT_EQ(it->Index, segment);
        EXPECT_EQ(it->TypeCode, sample_type::kUint16);
    }
    for (const char* label :
         {"脉冲系数", "行程系数", "寻原点模式", "找原点电机方向", "找原点电机速度",
          "找原点补偿行程", "寻原点Z相个数", "寻原点低速速度"}) {
        const QString text = QString::fromUtf8(label);
        auto it = std::find_if(iplc.begin(), iplc.end(),
                               [&](const IplcParameterEntry& e) { return e.Name.contains(text); });
        ASSERT_NE(it, iplc.end()) << label;
        EXPECT_EQ(it->Index, 0) << label;
    }

    for (const Model& m : models()) {
        SCOPED_TRACE(m.name.toStdString());
        for (const WaveSourceEntry& w : waves) {
            auto it = std::find_if(m.registers.begin(), m.registers.end(), [&](const auto& r) {
                return r.Name.compare(w.RegisterName, Qt::CaseInsensitive) == 0;
            });
            EXPECT_NE(it, m.registers.end()) << w.Name.toStdString();
            EXPECT_NE(w.Coefficient, 0) << w.Name.toStdString();
        }
        for (const MonitorEntry& mon : userMonitors) {
            const RegisterEntry* r = findRegister(m.registers, mon.RegisterName);
            ASSERT_TRUE(r) << mon.Name.toStdString();
            EXPECT_LE(r->TypeCode, sample_type::kUint32) << mon.Name.toStdString();
            EXPECT_NE(mon.Coefficient, 0) << mon.Name.toStdString();
        }
        for (const ZeroEntry& z : zeros) {
            EXPECT_TRUE(findParameter(m.parameters, z.ParaNumber)) << z.Name.toStdString();
            EXPECT_TRUE(findRegister(m.registers, z.RegisterName)) << z.Name.toStdString();
        }
        for (const IplcParameterEntry& e : iplc) {
            const ParameterEntry* p = findParameter(m.parameters, e.Address);
            ASSERT_TRUE(p) << e.Name.toStdString();
            EXPECT_EQ(p->Name, e.Name);
            EXPECT_EQ(isWide(p->TypeCode), isWide(e.TypeCode)) << e.Name.toStdString();
            EXPECT_EQ(p->LowerBound, e.LowerBound) << e.Name.toStdString();
            EXPECT_EQ(p->UpperBound, e.UpperBound) << e.Name.toStdString();
        }
        for (uint16_t pr : barred.Numbers) {
            EXPECT_TRUE(findParameter(m.parameters, pr)) << pr;
        }

        const IoDefinition io = readOk(ReadIoSection(lines, m.registers));
        EXPECT_NE(io.XRegNumber, 0xFFFF);
        EXPECT_NE(io.YRegNumber, 0xFFFF);
        for (uint16_t pr : {io.X0_4, io.X5_9, io.X10_14, io.Y0_4, io.Y5_9}) {
            const ParameterEntry* p = findParameter(m.parameters, pr);
            ASSERT_TRUE(p) << pr;
            EXPECT_EQ(p->UpperBound, pr == io.Y5_9 ? 11 : 11111);
        }
        const RegisterEntry outStatus = readOk(ReadSysRegSection(lines, m.registers));
        EXPECT_TRUE(findRegister(m.registers, outStatus.Name));
        EXPECT_EQ(outStatus.TypeCode, sample_type::kUint16);
    }
}

TEST(DemoDescription, DspRegisterFileListsReadableAddresses) {
    const QVector<RegisterRow> rows =
        parseRegisterDefinitions(demoLines(QStringLiteral("Source/reg28xx.mit")));
    EXPECT_GE(rows.size(), 200);
    QSet<QString> names;
    QSet<uint16_t> addresses;
    for (const RegisterRow& row : rows) {
        const std::optional<uint16_t> address = parseRegisterAddress(row.Address);
        ASSERT_TRUE(address) << row.Name.toStdString();
        EXPECT_FALSE(names.contains(row.Name)) << row.Name.toStdString();
        EXPECT_FALSE(addresses.contains(*address)) << row.Name.toStdString();
        names.insert(row.Name);
        addresses.insert(*address);
    }
}

TEST(DemoDescription, GainTableHoldsThreeMotorsWithSixteenRows) {
    const IniFile gain(demoPath(QStringLiteral("System/Gain.ddt.txt")));
    const int count = gain.readInt(QStringLiteral("Model"), QStringLiteral("Len"), 0);
    EXPECT_EQ(count, 3);
    for (int i = 0; i < count; ++i) {
        const QString model = gain.readString(QStringLiteral("Model"), QString::number(i));
        SCOPED_TRACE(model.toStdString());
        // The motor series follows the second "_" and is written into the drive.
        bool ok = false;
        model.section('_', 2).trimmed().toUShort(&ok);
        EXPECT_TRUE(ok);
        for (const char* key : {"Jr", "Kt", "IN", "nN", "PN", "Enc"}) {
            const QString value = gain.readString(model, QString::fromLatin1(key));
            value.toUShort(&ok);
            EXPECT_TRUE(ok) << key;
        }
        for (int row = 0; row < 16; ++row) {
            const QStringList words =
                gain.readString(model, QStringLiteral("%1").arg(row, 2, 10, QChar('0')))
                    .split('\t');
            ASSERT_EQ(words.size(), 8) << row;
            for (const QString& w : words) {
                w.toUShort(&ok);
                EXPECT_TRUE(ok) << row;
            }
        }
    }
}

TEST(DemoDescription, SettingsCarryConsistentRangeAndLengthTables) {
    IniFile config(demoPath(QStringLiteral("Config.ini")));
    EXPECT_EQ(config.readString(QStringLiteral("Systemset"), QStringLiteral("kk")), QString());
    const int ranges = config.readInt(QStringLiteral("VoltageLelve"), QStringLiteral("Length"), 0);
    EXPECT_GT(ranges, 0);
    for (int i = 0; i <= ranges; ++i) {
        const QString caption =
            config.readString(QStringLiteral("VoltageLelve"), QString::number(i)).trimmed();
        EXPECT_GT(config.readFloat(QStringLiteral("VGridLelve"), caption, 0.0), 0.0)
            << caption.toStdString();
    }
    EXPECT_EQ(config.readInt(QStringLiteral("FrequencyLelve"), QStringLiteral("Length"), 0), 79);
    for (int i = 0; i < 80; ++i) {
        // A wave file of n × 800 samples selects length item n - 1 on import.
        EXPECT_EQ(config.readInt(QStringLiteral("FGridLelve"), QString::number(i), 0), i + 1);
    }
}

}  // namespace
}  // namespace tevra
