#include "parameters/TframLPCM.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframLPCM::TframLPCM(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framLPCM"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QLabel(QStringLiteral(u"iPLC"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body);
}

}  // namespace tevra
