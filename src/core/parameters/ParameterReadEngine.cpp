#include "parameters/ParameterReadEngine.h"

#include "link/DriveLink.h"
#include "parameters/ParameterGridModel.h"
#include "parameters/ParameterValues.h"
#include "parameters/StatusProgress.h"
#include "text/TextUtil.h"

namespace tevra {

int DotStep(int count, int divisor) {
    if (divisor <= 0 || count <= 0) {
        return 0;
    }
    const int q = count / divisor;
    const int r = count % divisor;
    if (2 * r > divisor) {
        return q + 1;
    }
    if (2 * r == divisor) {
        return q + (q & 1);
    }
    return q;
}

void ReadAllParameters(DriveLink& link, ParameterGridModel& grid, const ParameterList& entries,
                       ReadFailureReporter& reporter, StatusProgress* progress) {
    QString statusText = QStringLiteral(u"更新参数中..");
    if (progress != nullptr) {
        progress->showStatus(statusText);
    }
    const int last = grid.gridRowCount() - 1;
    const int k = DotStep(last, 8);
    for (int r = 1; r <= last; ++r) {
        if (progress != nullptr && k != 0 && r % k == 0) {
            statusText += QLatin1Char('.');
            progress->setStatusText(statusText);
        }
        const QString prText = trimText(grid.cell(r, 0));
        if (prText.isEmpty()) {
            continue;
        }
        const std::optional<uint32_t> pr = ParsePrNumberText(prText);
        if (!pr) {
            continue;
        }
        const int index = FindParameterIndex(entries, *pr);
        if (index < 0) {
            continue;
        }
        const ReadKind kind = ReadKindOf(entries[index].TypeCode);
        if (IsWordRead(kind)) {
            uint16_t value = 0;
            if (link.ReadWordReported(*pr, value, reporter)) {
                grid.setCell(r, 2, GridValueText(ReadValueText(kind, value)));
            }
        } else if (kind != ReadKind::None) {
            uint32_t value = 0;
            if (link.ReadDWord(*pr, value)) {
                grid.setCell(r, 2, GridValueText(ReadValueText(kind, value)));
            }
        }
    }
    if (progress != nullptr) {
        progress->closeStatus();
    }
}

}  // namespace tevra
