#include "shell/TfrmAutoExamCom.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <cmath>

namespace tevra {
namespace {

void paintWindow(QWidget* w) {
    w->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

TfrmAutoExamCom::TfrmAutoExamCom(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAutoExamCom"));
    setWindowTitle(QStringLiteral(u"系统信息"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    labSys_ = new QLabel(QStringLiteral(u"正在与驱动器联络,请稍候..."), this);
    labSys_->setObjectName(QStringLiteral("labSys"));
    labSys_->setMinimumWidth(300);
    labSys_->setWordWrap(true);
    labSys_->installEventFilter(this);
    layout->addWidget(labSys_);
}

void TfrmAutoExamCom::paintNow() {
    paintWindow(this);
}

void TfrmAutoExamCom::showText(const QString& text) {
    labSys_->setText(text);
    if (!isVisible()) {
        adjustSize();
        if (parentWidget()) {
            move(parentWidget()->window()->frameGeometry().center() - rect().center());
        }
        show();
    }
    raise();
    paintNow();
}

void TfrmAutoExamCom::appendDot() {
    labSys_->setText(labSys_->text() + u'.');
    paintNow();
}

void TfrmAutoExamCom::appendDotAtStep(int step, int count, int divisor) {
    const int every = static_cast<int>(std::lround(static_cast<double>(count) / divisor));
    if (every > 0 && step % every == 0) {
        appendDot();
    }
}

QString TfrmAutoExamCom::text() const {
    return labSys_->text();
}

bool TfrmAutoExamCom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == labSys_ && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

TfrmSystMes::TfrmSystMes(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSystMes"));
    setWindowTitle(QStringLiteral(u"系统信息"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    labSysInf_ = new QLabel(QStringLiteral(u"正在读取..."), this);
    labSysInf_->setObjectName(QStringLiteral("labSysInf"));
    labSysInf_->setMinimumWidth(300);
    layout->addWidget(labSysInf_);
    pbSysMsg_ = new QProgressBar(this);
    pbSysMsg_->setObjectName(QStringLiteral("pbSysMsg"));
    pbSysMsg_->setRange(0, 1000);
    pbSysMsg_->setTextVisible(false);
    pbSysMsg_->hide();
    layout->addWidget(pbSysMsg_);
}

void TfrmSystMes::showText(const QString& text, bool withProgress) {
    labSysInf_->setText(text);
    pbSysMsg_->setVisible(withProgress);
    if (!isVisible()) {
        show();
    }
    raise();
    paintWindow(this);
}

void TfrmSystMes::setProgress(int value) {
    pbSysMsg_->setValue(value);
    paintWindow(this);
}

}  // namespace tevra
