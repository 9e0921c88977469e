#include "parameters/TfrmSvoErr.h"

#include "shell/AppContext.h"

namespace tevra {

TfrmSvoErr::TfrmSvoErr(AppContext& ctx, QWidget* parent)
    : PageWindow(QStringLiteral("frmSvoErr"), QStringLiteral(u"报警信息"), parent), ctx_(ctx) {}

void TfrmSvoErr::showEvent(QShowEvent* event) {
    const QString section = QStringLiteral("frmSvoErr");
    resize(ctx_.config.readInt(section, QStringLiteral("Width"), 426),
           ctx_.config.readInt(section, QStringLiteral("Height"), 500));
    PageWindow::showEvent(event);
}

void TfrmSvoErr::hideEvent(QHideEvent* event) {
    const QString section = QStringLiteral("frmSvoErr");
    ctx_.config.writeInt(section, QStringLiteral("Width"), width());
    ctx_.config.writeInt(section, QStringLiteral("Height"), height());
    ctx_.config.save();
    PageWindow::hideEvent(event);
}

}  // namespace tevra
