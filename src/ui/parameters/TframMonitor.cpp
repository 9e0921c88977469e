#include "parameters/TframMonitor.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframMonitor::TframMonitor(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framMonitor"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QLabel(QStringLiteral(u"系统状态"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body);
}

}  // namespace tevra
