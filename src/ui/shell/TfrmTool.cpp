#include "shell/TfrmTool.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/AppContext.h"
#include "shell/WindowDragger.h"

namespace tevra {
namespace {

const QString kSection = QStringLiteral("frmTool");

QToolButton* makeButton(QWidget* parent, const char* name, const QString& text,
                        const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The buttons never take the keyboard focus, so that the arrow keys reach the window
    // (a focused exclusive button would use them to move between the buttons).
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

TfrmTool::TfrmTool(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName(QStringLiteral("frmTool"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    group_ = new QGroupBox(QStringLiteral(u"波形位移"), this);
    group_->setObjectName(QStringLiteral("gbxShift"));
    new WindowDragger(group_, this);
    auto* g = new QVBoxLayout(group_);
    spbtnCmpWve_ = makeButton(group_, "spbtnCmpWve", QStringLiteral(u"比较波形"),
                              QStringLiteral(u"只拖动比较波形。"));
    rpbtnRece_ = makeButton(group_, "rpbtnRece", QStringLiteral(u"接收波形"),
                            QStringLiteral(u"只拖动接收波形"));
    spbtnNone_ = makeButton(group_, "spbtnNone", QStringLiteral(u"无限制"),
                            QStringLiteral(u"没有限制，即同时拖动接收波形和比较波形。"));
    spbtnNone_->setChecked(true);
    g->addWidget(spbtnCmpWve_);
    g->addWidget(rpbtnRece_);
    g->addWidget(spbtnNone_);
    layout->addWidget(group_);
    adjustSize();
    move(ctx_.config.readInt(kSection, QStringLiteral("Left"), 0),
         ctx_.config.readInt(kSection, QStringLiteral("Top"), 0));
}

TfrmTool::ShiftMode TfrmTool::mode() const {
    if (spbtnCmpWve_->isChecked()) {
        return ShiftMode::CompareOnly;
    }
    if (rpbtnRece_->isChecked()) {
        return ShiftMode::ReceivedOnly;
    }
    return ShiftMode::Unrestricted;
}

void TfrmTool::setMode(ShiftMode mode) {
    switch (mode) {
        case ShiftMode::CompareOnly:
            spbtnCmpWve_->setChecked(true);
            break;
        case ShiftMode::ReceivedOnly:
            rpbtnRece_->setChecked(true);
            break;
        case ShiftMode::Unrestricted:
            spbtnNone_->setChecked(true);
            break;
    }
}

void TfrmTool::toggleVisible() {
    setVisible(!isVisible());
}

void TfrmTool::saveSettings() {
    ctx_.config.writeInt(kSection, QStringLiteral("Top"), y());
    ctx_.config.writeInt(kSection, QStringLiteral("Left"), x());
}

void TfrmTool::keyPressEvent(QKeyEvent* event) {
    QPoint step;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_A:
            step = {-10, 0};
            break;
        case Qt::Key_Up:
        case Qt::Key_W:
            step = {0, -10};
            break;
        case Qt::Key_Right:
        case Qt::Key_D:
            step = {10, 0};
            break;
        case Qt::Key_Down:
        case Qt::Key_S:
            step = {0, 10};
            break;
        case Qt::Key_T:
            if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
                toggleVisible();
                return;
            }
            break;
        default:
            break;
    }
    if (!step.isNull()) {
        move(pos() + step);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tevra
