#include "debug/TframDebug.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframDebug::TframDebug(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framDebug"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QLabel(QStringLiteral(u"内部调试"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body);
}

}  // namespace tevra
