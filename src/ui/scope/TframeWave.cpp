#include "scope/TframeWave.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/AppContext.h"

namespace tevra {

TframeWave::TframeWave(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frameWave"));
    auto* layout = new QVBoxLayout(this);
    auto* body = new QLabel(QStringLiteral(u"波形"), this);
    body->setAlignment(Qt::AlignCenter);
    layout->addWidget(body);
}

void TframeWave::RefreshWave() {}

void TframeWave::StopWaveClick() {
    ctx_.CaptureRunning.store(false);
}

void TframeWave::ChannelSourcesChanged() {}

void TframeWave::ApplyManualDataTypes() {}

}  // namespace tevra
