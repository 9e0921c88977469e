#include "tools/TfrmZero.h"

#include "shell/AppContext.h"

namespace tevra {

TfrmZero::TfrmZero(AppContext& ctx, QWidget* parent)
    : PageWindow(QStringLiteral("frmZero"), QStringLiteral(u"零漂校正"), parent) {
    Q_UNUSED(ctx);
}

}  // namespace tevra
