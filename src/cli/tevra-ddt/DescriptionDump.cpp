#include "DescriptionDump.h"

#include <QJsonArray>

#include "description/DescriptionReaders.h"

namespace tevra::ddt {
namespace {

QJsonObject toJson(const ParameterEntry& e) {
    return {{"PrNumber", e.PrNumber},
            {"RangeText", e.RangeText},
            {"LowerBound", qint64(e.LowerBound)},
            {"UpperBound", qint64(e.UpperBound)},
            {"UnitText", e.UnitText},
            {"DefaultText", e.DefaultText},
            {"BracketText", e.BracketText},
            {"AccessLevel", e.AccessLevel},
            {"RelationText", e.RelationText},
            {"TypeCode", e.TypeCode},
            {"TypeName", e.TypeName},
            {"EffectMode", e.EffectMode},
            {"Name", e.Name},
            {"Description", e.Description}};
}

QJsonObject toJson(const IplcParameterEntry& e) {
    return {{"Index", e.Index},
            {"Address", e.Address},
            {"RangeText", e.RangeText},
            {"LowerBound", qint64(e.LowerBound)},
            {"UpperBound", qint64(e.UpperBound)},
            {"UnitText", e.UnitText},
            {"DefaultText", e.DefaultText},
            {"TypeCode", e.TypeCode},
            {"TypeName", e.TypeName},
            {"EffectMode", e.EffectMode},
            {"Name", e.Name},
            {"Description", e.Description}};
}

QJsonObject toJson(const RegisterEntry& e) {
    return {{"Number", e.Number}, {"Name", e.Name}, {"TypeCode", e.TypeCode}};
}

QJsonObject toJson(const MonitorEntry& e) {
    return {{"Number", e.Number}, {"RegisterName", e.RegisterName},
            {"Name", e.Name},     {"Unit", e.Unit},
            {"Hint", e.Hint},     {"TypeCode", e.TypeCode},
            {"Tag", e.Tag},       {"Coefficient", e.Coefficient}};
}

QJsonObject toJson(const WaveSourceEntry& e) {
    return {{"RegisterName", e.RegisterName},
            {"Name", e.Name},
            {"Unit", e.Unit},
            {"Hint", e.Hint},
            {"Coefficient", e.Coefficient}};
}

QJsonObject toJson(const AlarmEntry& e) {
    return {{"Code", e.Code}, {"Name", e.Name}, {"Description", e.Description}};
}

QJsonObject toJson(const ZeroEntry& e) {
    return {{"Name", e.Name},
            {"Hint", e.Hint},
            {"ParaNumber", e.ParaNumber},
            {"RegisterName", e.RegisterName},
            {"Permission", e.Permission}};
}

QJsonObject toJson(const IoDefinition& e) {
    return {{"X0_4", e.X0_4},
            {"X5_9", e.X5_9},
            {"X10_14", e.X10_14},
            {"Y0_4", e.Y0_4},
            {"Y5_9", e.Y5_9},
            {"XReg", e.XReg},
            {"YReg", e.YReg},
            {"XRegNumber", e.XRegNumber},
            {"YRegNumber", e.YRegNumber}};
}

class Dumper {
  public:
    DumpResult result;
    QJsonArray sections;

    template <typename List>
    void list(const QString& section, const DescriptionResult<List>& r) {
        QJsonObject s{{"section", section}};
        if (!r) {
            fail(s, r.error());
            return;
        }
        QJsonArray records;
        for (const auto& e : *r) {
            records.append(toJson(e));
        }
        s.insert("count", records.size());
        s.insert("records", records);
        sections.append(s);
    }

    template <typename Record>
    void single(const QString& section, const DescriptionResult<Record>& r) {
        QJsonObject s{{"section", section}};
        if (!r) {
            fail(s, r.error());
            return;
        }
        s.insert("count", 1);
        s.insert("records", QJsonArray{toJson(*r)});
        sections.append(s);
    }

    void fail(QJsonObject& s, const DescriptionError& e) {
        s.insert("error", e.toString());
        sections.append(s);
        result.ok = false;
        result.errors.append(e.toString());
    }
};

}  // namespace

DumpResult dumpDescription(const QStringList& lines, DescriptionKind kind, const QString& file,
                           const RegisterList& registers) {
    Dumper d;
    if (kind == DescriptionKind::Model) {
        auto parameters = ReadParameterSection(lines, file);
        if (parameters) {
            QJsonObject s{{"section", "[Parameter]"}};
            QJsonArray records;
            for (const auto& e : parameters->entries) {
                records.append(toJson(e));
            }
            QJsonArray warnings;
            for (const auto& w : parameters->warnings) {
                warnings.append(QJsonObject{
                    {"PrNumber", w.PrNumber}, {"line", w.lineNumber}, {"message", w.message}});
            }
            s.insert("count", records.size());
            s.insert("records", records);
            s.insert("warnings", warnings);
            d.sections.append(s);
        } else {
            QJsonObject s{{"section", "[Parameter]"}};
            d.fail(s, parameters.error());
        }
        d.list("[Register]", ReadRegisterSection(lines, file));
        d.list("[WaveRegDefing]", ReadWaveRegDefSection(lines, file));
        auto alarms = ReadAlarmSection(lines, file);
        if (alarms) {
            QJsonObject s{{"section", "[ErrStuDefine]"}};
            QJsonArray records;
            for (const auto& e : alarms->alarms) {
                records.append(toJson(e));
            }
            s.insert("count", records.size());
            s.insert("records", records);
            s.insert("ErrStuReg1", alarms->statusRegisters.ErrStuReg1);
            s.insert("ErrStuReg2", alarms->statusRegisters.ErrStuReg2);
            s.insert("ErrStuReg3", alarms->statusRegisters.ErrStuReg3);
            d.sections.append(s);
        } else {
            QJsonObject s{{"section", "[ErrStuDefine]"}};
            d.fail(s, alarms.error());
        }
    } else {
        d.list("[Wave...]", ReadWaveSections(lines, file));
        d.list("[UserMonitor...]", ReadUserMonitorSections(lines, file));
        d.list("[...Zero]", ReadZeroSections(lines, file));
        d.list("[LpcmPara]", ReadIplcSection(lines, file));
        d.single("[IODat]", ReadIoSection(lines, registers, file));
        d.single("[SysReg]", ReadSysRegSection(lines, registers, file));
        auto noImport = ReadNoImportSection(lines, file);
        if (noImport) {
            QJsonArray numbers;
            for (uint16_t n : noImport->Numbers) {
                numbers.append(n);
            }
            d.sections.append(QJsonObject{{"section", "[ProhibitedImportParameter]"},
                                          {"count", noImport->Count},
                                          {"records", numbers}});
        } else {
            QJsonObject s{{"section", "[ProhibitedImportParameter]"}};
            d.fail(s, noImport.error());
        }
    }
    d.result.json = QJsonObject{
        {"file", file},
        {"description", kind == DescriptionKind::Model ? "model" : "system"},
        {"lines", lines.size()},
        {"sections", d.sections},
    };
    return d.result;
}

}  // namespace tevra::ddt
