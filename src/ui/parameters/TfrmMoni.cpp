#include "parameters/TfrmMoni.h"

#include <QShowEvent>

#include "shell/AppContext.h"

namespace tevra {

TfrmMoni::TfrmMoni(AppContext& ctx, QWidget* parent)
    : PageWindow(QStringLiteral("frmMoni"), QStringLiteral(u"系统状态"), parent) {
    Q_UNUSED(ctx);
    setFixedSize(399, 533);
}

void TfrmMoni::showEvent(QShowEvent* event) {
    if (parentWidget()) {
        const QRect main = parentWidget()->window()->frameGeometry();
        move(main.center() - rect().center());
    }
    PageWindow::showEvent(event);
}

}  // namespace tevra
