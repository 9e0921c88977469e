#include "parameters/ParameterStatusWindow.h"

#include <QLabel>
#include <QProgressBar>

#include "shell/TfrmAutoExamCom.h"

namespace tevra {

ParameterStatusWindow::ParameterStatusWindow(QWidget* owner) : owner_(owner) {}

TfrmSystMes* ParameterStatusWindow::window() {
    if (window_) {
        return window_;
    }
    QWidget* top = owner_ != nullptr ? owner_->window() : nullptr;
    if (top != nullptr) {
        window_ = top->findChild<TfrmSystMes*>();
    }
    if (!window_) {
        window_ = new TfrmSystMes(top);
    }
    return window_;
}

void ParameterStatusWindow::showStatus(const QString& text) {
    text_ = text;
    window()->showText(text, false);
}

void ParameterStatusWindow::setStatusText(const QString& text) {
    text_ = text;
    TfrmSystMes* w = window();
    w->label()->setText(text);
    w->repaint();
}

void ParameterStatusWindow::showProgressBar(int maximum) {
    maximum_ = maximum;
    position_ = 0;
    TfrmSystMes* w = window();
    w->showText(text_, true);
    w->setProgress(0);
}

void ParameterStatusWindow::stepProgressBar() {
    ++position_;
    const int value = maximum_ > 0 ? std::min(1000, position_ * 1000 / maximum_) : 1000;
    window()->setProgress(value);
}

void ParameterStatusWindow::hideProgressBar() {
    if (window_) {
        window_->progressBar()->hide();
    }
}

void ParameterStatusWindow::closeStatus() {
    if (window_) {
        window_->hide();
    }
}

}  // namespace tevra
