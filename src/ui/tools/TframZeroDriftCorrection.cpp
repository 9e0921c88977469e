#include "tools/TframZeroDriftCorrection.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframZeroDriftCorrection::TframZeroDriftCorrection(AppContext& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framZeroDriftCorrection"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QLabel(QStringLiteral(u"零漂校正"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body);
}

}  // namespace tevra
