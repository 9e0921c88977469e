#include "parameters/TframServoError.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframServoError::TframServoError(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framServoError"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QLabel(QStringLiteral(u"报警信息"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body);
}

}  // namespace tevra
