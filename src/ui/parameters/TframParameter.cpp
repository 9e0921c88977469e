#include "parameters/TframParameter.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframParameter::TframParameter(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framParameter"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pnlConnect_ = new QWidget(this);
    pnlConnect_->setObjectName(QStringLiteral("pnlConnect"));
    auto* connectLayout = new QVBoxLayout(pnlConnect_);
    connectLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnlConnect_);
    auto* body = new QLabel(QStringLiteral(u"参数"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body, 1);
}

bool TframParameter::MainKeyDown(int digit, Qt::KeyboardModifiers modifiers) {
    Q_UNUSED(digit);
    Q_UNUSED(modifiers);
    return false;
}

}  // namespace tevra
