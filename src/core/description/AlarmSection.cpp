#include "description/AlarmSection.h"

#include "description/SectionScanner.h"
#include "text/Numbers.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

// The value after the key, taken as it stands: blanks make it unreadable.
uint16_t statusRegister(QStringView line, QStringView key) {
    const QString value = removeAllNoCase(line.toString(), QString(key.toString() + u'='));
    auto v = parseHex32(QStringView(value));
    return v && *v <= 0xFFFF ? static_cast<uint16_t>(*v) : uint16_t{0xFFFF};
}

}  // namespace

DescriptionResult<AlarmSection> ReadAlarmSection(const QStringList& modelLines,
                                                 const QString& file) {
    constexpr int kScanLimit = 10000;
    const DescriptionText text(modelLines, file);
    const SectionErrors errors(text, QStringLiteral("[ErrStuDefine]"));
    AlarmSection out;
    for (const SectionSpan& span :
         findSections(text, HeaderMatch::Exact, u"[ErrStuDefine]", kScanLimit)) {
        for (qsizetype i = span.begin; i < span.end; ++i) {
            const QStringView line = text.line(i);
            if (line.isEmpty()) {
                continue;
            }
            if (containsNoCase(line, u"ErrStuReg1")) {
                out.statusRegisters.ErrStuReg1 = statusRegister(line, u"ErrStuReg1");
                continue;
            }
            if (containsNoCase(line, u"ErrStuReg2")) {
                out.statusRegisters.ErrStuReg2 = statusRegister(line, u"ErrStuReg2");
                continue;
            }
            if (containsNoCase(line, u"ErrStuReg3")) {
                out.statusRegisters.ErrStuReg3 = statusRegister(line, u"ErrStuReg3");
                continue;
            }

            const qsizetype eq = line.indexOf(u'=');
            const QStringView afterEq = eq >= 0 ? line.mid(eq + 1) : line;
            const qsizetype open = afterEq.indexOf(u'{');
            if (open < 0) {
                continue;  // no name, nothing to add
            }
            const QString name = trimText(afterEq.left(open));
            if (name.isEmpty() || equalsNoCase(name, u"NC")) {
                continue;
            }
            const QString codeText = eq >= 0 ? trimText(line.left(eq)) : QString();
            auto code = parseDecimalField16(codeText);
            if (!code) {
                return errors.badNumber(i, QStringLiteral("Code"), codeText,
                                        QStringLiteral("a decimal alarm code"));
            }
            AlarmEntry e;
            e.Code = *code;
            e.Name = fitField(name, 50);
            const qsizetype close = afterEq.indexOf(u'}', open + 1);
            if (close >= 0) {
                e.Description = fitField(trimText(afterEq.mid(open + 1, close - open - 1)), 100);
            }
            out.alarms.append(std::move(e));
        }
    }
    return out;
}

}  // namespace tevra
