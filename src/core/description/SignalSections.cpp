#include "description/SignalSections.h"

#include "description/SectionScanner.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

constexpr int kScanLimit = 100;

// The fields both lists share.
struct Signal {
    QString name;
    QString registerName;
    QString hint;
    QString unit;
    int32_t coefficient = 0;
};

DescriptionResult<QVector<Signal>> readSignals(const QStringList& lines, const QString& file,
                                               QStringView pattern, const QString& section) {
    const DescriptionText text(lines, file);
    const SectionErrors errors(text, section);
    QVector<Signal> out;
    for (const SectionSpan& span : findSections(text, HeaderMatch::Pattern, pattern, kScanLimit)) {
        Signal s;
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (line.startsWith(u';')) {
                continue;
            }
            if (auto v = keyLineValue(line, u"Name=", u"Name=")) {
                s.name = fitField(*v, 50);
            } else if (auto v = keyLineValue(line, u"Reg=", u"Reg=")) {
                s.registerName = fitField(*v, 50);
            } else if (auto v = keyLineValue(line, u"Hint=", u"Hint=")) {
                s.hint = fitField(*v, 100);
            } else if (auto v = keyLineValue(line, u"Unit=", u"Unit=")) {
                s.unit = fitField(*v, 10);
            } else if (auto v = keyLineValue(line, u"Coefficient=", u"Coefficient=")) {
                auto c = parseDecimalField32(*v);
                if (!c) {
                    return errors.badNumber(i, QStringLiteral("Coefficient"), *v,
                                            QStringLiteral("a decimal integer"));
                }
                s.coefficient = *c;
            }
        }
        out.append(std::move(s));
    }
    return out;
}

// The common fields of a wave source or user monitor entry.
template <typename List>
List toEntries(const QList<Signal>& signalList) {
    List out;
    out.reserve(signalList.size());
    for (const Signal& s : signalList) {
        typename List::value_type e;
        e.RegisterName = s.registerName;
        e.Name = s.name;
        e.Unit = s.unit;
        e.Hint = s.hint;
        e.Coefficient = s.coefficient;
        out.append(std::move(e));
    }
    return out;
}

}  // namespace

DescriptionResult<WaveSourceList> ReadWaveSections(const QStringList& systemLines,
                                                   const QString& file) {
    auto signalList = readSignals(systemLines, file, u"[Wave", QStringLiteral("[Wave...]"));
    if (!signalList) {
        return signalList.error();
    }
    return toEntries<WaveSourceList>(*signalList);
}

DescriptionResult<MonitorList> ReadUserMonitorSections(const QStringList& systemLines,
                                                       const QString& file) {
    auto signalList =
        readSignals(systemLines, file, u"[UserMonitor", QStringLiteral("[UserMonitor...]"));
    if (!signalList) {
        return signalList.error();
    }
    return toEntries<MonitorList>(*signalList);
}

DescriptionResult<WaveSourceList> ReadWaveSections(const ProgramFolders& folders,
                                                   const QString& relativeName) {
    return readProtectedSections(folders, relativeName, [](const QStringList& l, const QString& f) {
        return ReadWaveSections(l, f);
    });
}

DescriptionResult<MonitorList> ReadUserMonitorSections(const ProgramFolders& folders,
                                                       const QString& relativeName) {
    return readProtectedSections(folders, relativeName, [](const QStringList& l, const QString& f) {
        return ReadUserMonitorSections(l, f);
    });
}

}  // namespace tevra
