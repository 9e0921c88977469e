#include "shell/TStartupIM.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QScreen>

#include "shell/AppContext.h"
#include "shell/Artwork.h"
#include "shell/WindowDragger.h"

namespace tevra {
namespace {

const QString kOverlayStyle = QStringLiteral("color: white; background: transparent;");

}  // namespace

TStartupIM::TStartupIM(AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName(QStringLiteral("StartupIM"));
    setWindowTitle(QString());
    setFixedSize(kWidth, kHeight);

    Image1_ = new QLabel(this);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setGeometry(0, 0, kWidth, kHeight);
    Image1_->setPixmap(LoginPicture(size()));
    Image1_->installEventFilter(this);
    new WindowDragger(Image1_, this);

    TitleMesLabel_ = new QLabel(QStringLiteral(u"Tevra系列交流伺服驱动器监控软件."), this);
    TitleMesLabel_->setObjectName(QStringLiteral("TitleMesLabel"));
    TitleMesLabel_->setGeometry(22, 296, 440, 26);
    TitleMesLabel_->setStyleSheet(kOverlayStyle);
    QFont titleFont = TitleMesLabel_->font();
    titleFont.setPixelSize(15);
    TitleMesLabel_->setFont(titleFont);

    BackdoorLab_ = new QLabel(QStringLiteral("."), this);
    BackdoorLab_->setObjectName(QStringLiteral("BackdoorLab"));
    BackdoorLab_->setGeometry(kWidth - 12, kHeight - 16, 8, 12);
    BackdoorLab_->setStyleSheet(QStringLiteral("color: #8FB3D1; background: transparent;"));
    BackdoorLab_->setCursor(Qt::PointingHandCursor);
    BackdoorLab_->installEventFilter(this);

    Label1_ = new QLabel(QStringLiteral(u"请输入权限密码：  "), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(22, 340, 130, 24);
    Label1_->setStyleSheet(kOverlayStyle);
    PasswordEdit_ = new QLineEdit(this);
    PasswordEdit_->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit_->setEchoMode(QLineEdit::Password);
    PasswordEdit_->setGeometry(150, 340, 130, 24);
    AutoPassWord_ = new QCheckBox(QStringLiteral(u"记住密码      "), this);
    AutoPassWord_->setObjectName(QStringLiteral("AutoPassWord"));
    AutoPassWord_->setGeometry(292, 340, 110, 24);
    AutoPassWord_->setStyleSheet(kOverlayStyle);
    ConfiSpbtn_ = new QPushButton(QStringLiteral(u"确定"), this);
    ConfiSpbtn_->setObjectName(QStringLiteral("ConfiSpbtn"));
    ConfiSpbtn_->setGeometry(404, 338, 60, 28);
    ConfiSpbtn_->setFocusPolicy(Qt::NoFocus);
    ExitSpbtn_ = new QPushButton(QStringLiteral(u"退出"), this);
    ExitSpbtn_->setObjectName(QStringLiteral("ExitSpbtn"));
    ExitSpbtn_->setGeometry(470, 338, 60, 28);
    ExitSpbtn_->setFocusPolicy(Qt::NoFocus);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1_, PasswordEdit_, AutoPassWord_,
                                                      ConfiSpbtn_, ExitSpbtn_}) {
        w->hide();
    }
    connect(PasswordEdit_, &QLineEdit::returnPressed, this, &TStartupIM::Confirm);
    connect(ConfiSpbtn_, &QPushButton::clicked, this, &TStartupIM::Confirm);
    connect(ExitSpbtn_, &QPushButton::clicked, this, &TStartupIM::ExitLogin);

    // Remembered password and marker.
    const login::Settings s = login::LoadSettings(ctx_.config);
    if (s.AutoPassWordChecked) {
        AutoPassWord_->setChecked(true);
        PasswordEdit_->setText(s.kk);
    }
    BackdoorLab_->setVisible(s.bUser);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    timer1_.setInterval(1);
    connect(&timer1_, &QTimer::timeout, this, &TStartupIM::Timer1Tick);
    timer1_.start();
}

TStartupIM::~TStartupIM() = default;

void TStartupIM::resizeEvent(QResizeEvent* event) {
    // Corners rounded with a 5-pixel ellipse.
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 5, 5);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
    QWidget::resizeEvent(event);
}

bool TStartupIM::waitingForLogin() const {
    return PasswordEdit_->isEnabled();
}

void TStartupIM::setTitleText(const QString& text) {
    TitleMesLabel_->setText(text);
    repaintTitle();
}

void TStartupIM::repaintTitle() {
    if (isVisible()) {
        TitleMesLabel_->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void TStartupIM::setProgressText(const QString& text) {
    setTitleText(text);
}

void TStartupIM::appendProgressDot() {
    setTitleText(TitleMesLabel_->text() + u'.');
}

void TStartupIM::Timer1Tick() {
    switch (autoConfirm_.tick(ctx_.MainReady)) {
        case login::AutoConfirm::Action::StopTimer:
            timer1_.stop();
            break;
        case login::AutoConfirm::Action::Confirm:
            // The first confirmation fixes the level; later ticks have nothing left to do.
            if (!ctx_.LoginConfirmed && PasswordEdit_->isEnabled()) {
                Confirm();
            }
            break;
        case login::AutoConfirm::Action::None:
            break;
    }
}

void TStartupIM::BackdoorLabClick() {
    const bool show = Label1_->isHidden();
    for (QWidget* w : std::initializer_list<QWidget*>{Label1_, PasswordEdit_, AutoPassWord_,
                                                      ConfiSpbtn_, ExitSpbtn_}) {
        w->setVisible(show);
    }
}

void TStartupIM::F6Pressed() {
    BackdoorLabClick();
    autoConfirm_.f6Pressed();
    if (!ctx_.LoginConfirmed && !PasswordEdit_->isHidden()) {
        activateWindow();
        PasswordEdit_->setFocus();
    }
}

void TStartupIM::disablePassword() {
    const bool wasEnabled = PasswordEdit_->isEnabled();
    PasswordEdit_->setEnabled(false);
    if (wasEnabled) {
        Q_EMIT loginFinished();
    }
}

void TStartupIM::Confirm() {
    ctx_.AdministratorMode = login::IsAdministratorPassword(PasswordEdit_->text());
    if (ctx_.AdministratorMode) {
        setTitleText(QStringLiteral(u"系统已确认您的权限为管理员.."));
    }
    AutoPassWord_->setEnabled(false);
    ConfiSpbtn_->setEnabled(false);
    ExitSpbtn_->setEnabled(false);
    ConfiSpbtn_->setCursor(Qt::WaitCursor);
    ctx_.LoginConfirmed = true;
    if (!PasswordEdit_->isHidden()) {
        BackdoorLabClick();
    }
    ConfiSpbtn_->hide();
    ExitSpbtn_->hide();
    disablePassword();
}

void TStartupIM::ExitLogin() {
    disablePassword();
}

void TStartupIM::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F6 && event->modifiers() == Qt::NoModifier) {
        F6Pressed();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        ExitLogin();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TStartupIM::eventFilter(QObject* watched, QEvent* event) {
    if (watched == BackdoorLab_ && event->type() == QEvent::MouseButtonPress) {
        BackdoorLabClick();
        return true;
    }
    if (watched == Image1_ && event->type() == QEvent::MouseButtonDblClick) {
        BackdoorLab_->setVisible(BackdoorLab_->isHidden());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TStartupIM::closeEvent(QCloseEvent* event) {
    disablePassword();
    if (!closedOnce_ && saveOnClose_) {
        closedOnce_ = true;
        login::SaveSettings(ctx_.config, AutoPassWord_->isChecked(), PasswordEdit_->text(),
                            !BackdoorLab_->isHidden());
    }
    timer1_.stop();
    QWidget::closeEvent(event);
}

}  // namespace tevra
