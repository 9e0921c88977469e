#include "shell/TframConnect.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "shell/AppContext.h"
#include "shell/BaudTable.h"
#include "shell/LampShape.h"
#include "shell/TfrmAutoExamCom.h"

namespace tevra {
namespace {

const QString kUnknown = QStringLiteral(u"未知");

}  // namespace

void PortComboBox::showPopup() {
    if (beforePopup) {
        beforePopup();
    }
    QComboBox::showPopup();
}

TframConnect::TframConnect(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("framConnect"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);

    // Communication link.
    auto* linkBox = new QGroupBox(QStringLiteral(u"通信连接"), this);
    linkBox->setObjectName(QStringLiteral("gbxLink"));
    auto* linkGrid = new QGridLayout(linkBox);
    linkGrid->setContentsMargins(6, 4, 6, 4);
    linkGrid->setVerticalSpacing(3);

    // The list is read again each time it opens, so that an adapter plugged in after the
    // start shows up.
    auto* portBox = new PortComboBox(linkBox);
    portBox->beforePopup = [this] { RefreshPortList(); };
    cbxPort_ = portBox;
    cbxPort_->setObjectName(QStringLiteral("cbxPort"));
    cbxPort_->setEditable(true);
    cbxPort_->setInsertPolicy(QComboBox::NoInsert);
    cbxPort_->setMinimumWidth(150);
    cbxPort_->setToolTip(QStringLiteral(u"串口设备，可直接输入设备路径"));

    cbxBaud_ = new QComboBox(linkBox);
    cbxBaud_->setObjectName(QStringLiteral("cbxBaud"));
    cbxBaud_->addItems(baud::ChoiceList());
    cbxBaud_->setCurrentText(baud::Text(baud::k115200));

    MachNoCom_ = new QComboBox(linkBox);
    MachNoCom_->setObjectName(QStringLiteral("MachNoCom"));
    for (int i = 0; i < 256; ++i) {
        MachNoCom_->addItem(StationItemText(i));
    }
    MachNoCom_->setMaxVisibleItems(16);
    MachNoCom_->setCurrentIndex(ReadStationSetting(ctx_.config));

    LinkBut_ = new QPushButton(QStringLiteral(u"连 接"), linkBox);
    LinkBut_->setObjectName(QStringLiteral("LinkBut"));
    LinkBut_->setToolTip(
        QStringLiteral(u"设备进行通信参数设置及网络测试，以证实机器与计算机连接无误"));
    LinkStruShape_ = new LampShape(linkBox, 16);
    LinkStruShape_->setObjectName(QStringLiteral("LinkStruShape"));
    LinkStruShape_->setToolTip(QStringLiteral(u"驱动器1#未连接"));

    linkGrid->addWidget(new QLabel(QStringLiteral(u"串口:"), linkBox), 0, 0);
    linkGrid->addWidget(cbxPort_, 0, 1, 1, 3);
    linkGrid->addWidget(new QLabel(QStringLiteral(u"波特率:"), linkBox), 1, 0);
    linkGrid->addWidget(cbxBaud_, 1, 1);
    linkGrid->addWidget(new QLabel(QStringLiteral(u"站号:"), linkBox), 1, 2);
    linkGrid->addWidget(MachNoCom_, 1, 3);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(LinkBut_);
    buttonRow->addWidget(LinkStruShape_);
    linkGrid->addLayout(buttonRow, 0, 4, 2, 1);
    layout->addWidget(linkBox);

    // Servo information.
    auto* infoBox = new QGroupBox(QStringLiteral(u"伺服信息"), this);
    infoBox->setObjectName(QStringLiteral("gbxServoInfo"));
    auto* grid = new QGridLayout(infoBox);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    grid->setHorizontalSpacing(6);
    addIdentity(grid, 0, 0, QStringLiteral(u"程序信息号:"), QStringLiteral("SoftNoteLab"));
    SoftDateLab_ =
        addIdentity(grid, 1, 0, QStringLiteral(u"程序标识:"), QStringLiteral("SoftDateLab"));
    softDateCaption_ = findChild<QLabel*>(QStringLiteral("SoftDateLabCaption"));
    addIdentity(grid, 0, 2, QStringLiteral(u"软件版本:"), QStringLiteral("SoftVerLab"));
    addIdentity(grid, 1, 2, QStringLiteral(u"应用类型:"), QStringLiteral("DriUseIDLab"));
    addIdentity(grid, 0, 4, QStringLiteral(u"系列号:"), QStringLiteral("ProSeriNoLab"));
    // Read with the others but never shown.
    for (auto [caption, name] :
         {std::pair{u"信息号：", "DriTypeLab"}, std::pair{u"驱动器信息号：", "DriInfNumLab"},
          std::pair{u"机器号:", "MachineIdLab"}}) {
        auto* cap = new QLabel(QString::fromUtf16(caption), infoBox);
        cap->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
        cap->hide();
        auto* value = new QLabel(kUnknown, infoBox);
        value->setObjectName(QString::fromLatin1(name));
        value->setEnabled(false);
        value->hide();
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    layout->addWidget(infoBox, 1);

    controller_ = std::make_unique<ConnectionController>(ctx_, *this, ctx_.newSerialPort);
    RefreshPortList();
    connect(LinkBut_, &QPushButton::clicked, this, [this] { controller_->LinkButClick(); });
}

TframConnect::~TframConnect() = default;

QLabel* TframConnect::addIdentity(QGridLayout* grid, int row, int column, const QString& caption,
                                  const QString& valueName) {
    auto* cap = new QLabel(caption, this);
    cap->setObjectName(valueName + QStringLiteral("Caption"));
    auto* value = new QLabel(kUnknown, this);
    value->setObjectName(valueName);
    value->setEnabled(false);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(cap, row, column, Qt::AlignRight);
    grid->addWidget(value, row, column + 1);
    return value;
}

void TframConnect::RefreshPortList() {
    const QString current = cbxPort_->currentText();
    QStringList items = ctx_.listSerialPorts ? ctx_.listSerialPorts() : QStringList();
    // Devices that went away leave the list; paths the user typed stay (pseudo-terminals
    // are never listed by the system).
    for (const QString& typed : typedPorts_) {
        if (!items.contains(typed)) {
            items << typed;
        }
    }
    const QSignalBlocker block(cbxPort_);
    cbxPort_->clear();
    cbxPort_->addItems(items);
    if (!current.isEmpty()) {
        cbxPort_->setCurrentText(current);
    } else if (!items.isEmpty()) {
        cbxPort_->setCurrentIndex(0);
    }
}

void TframConnect::SetLinkState(bool connected) {
    LinkBut_->setText(connected ? QStringLiteral(u"断 开") : QStringLiteral(u"连 接"));
    LinkStruShape_->setColor(connected ? LampShape::lime() : LampShape::grey());
}

void TframConnect::SetLampLime(bool lime) {
    LinkStruShape_->setColor(lime ? LampShape::lime() : LampShape::grey());
}

void TframConnect::ApplyPermission(bool administrator) {
    softDateCaption_->setVisible(administrator);
    SoftDateLab_->setVisible(administrator);
}

QStringList TframConnect::portItems() const {
    QStringList items;
    for (int i = 0; i < cbxPort_->count(); ++i) {
        items << cbxPort_->itemText(i);
    }
    return items;
}

QString TframConnect::portText() const {
    return cbxPort_->currentText();
}

void TframConnect::addPortItem(const QString& name) {
    if (!typedPorts_.contains(name)) {
        typedPorts_ << name;
    }
    if (cbxPort_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        const QString text = cbxPort_->currentText();
        cbxPort_->addItem(name);
        cbxPort_->setCurrentText(text);
    }
}

void TframConnect::selectPort(const QString& name) {
    const int index = cbxPort_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        cbxPort_->setCurrentIndex(index);
    }
}

QString TframConnect::baudText() const {
    return cbxBaud_->currentText();
}

void TframConnect::selectBaud(const QString& text) {
    const int index = cbxBaud_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        cbxBaud_->setCurrentIndex(index);
    }
}

int TframConnect::stationIndex() const {
    return MachNoCom_->currentIndex();
}

void TframConnect::setStationIndex(int index) {
    MachNoCom_->setCurrentIndex(index);
}

void TframConnect::repaintPage() {
    if (isVisible()) {
        repaint();
    }
}

TfrmAutoExamCom* TframConnect::progressWindow() {
    if (progress_) {
        return progress_;
    }
    if (!ownProgress_) {
        ownProgress_ = new TfrmAutoExamCom(window());
    }
    return ownProgress_;
}

void TframConnect::showProgress(const QString& text) {
    progressWindow()->showText(text);
}

void TframConnect::appendProgressDot() {
    progressWindow()->appendDot();
}

void TframConnect::closeProgress() {
    progressWindow()->close();
}

void TframConnect::showLinkState(bool connected) {
    if (showLinkState_) {
        showLinkState_(connected);
    } else {
        SetLinkState(connected);
    }
}

void TframConnect::showIdentity(const DriveIdentity& id) {
    const std::pair<const char*, const QString*> labels[] = {
        {"DriTypeLab", &id.DriTypeLab},     {"DriUseIDLab", &id.DriUseIDLab},
        {"SoftVerLab", &id.SoftVerLab},     {"SoftDateLab", &id.SoftDateLab},
        {"SoftNoteLab", &id.SoftNoteLab},   {"MachineIdLab", &id.MachineIdLab},
        {"ProSeriNoLab", &id.ProSeriNoLab}, {"DriInfNumLab", &id.DriInfNumLab}};
    for (const auto& [name, text] : labels) {
        if (auto* label = findChild<QLabel*>(QString::fromLatin1(name))) {
            label->setText(*text);
            label->setEnabled(true);
        }
    }
}

void TframConnect::alertFailure() {
    QApplication::alert(window());
    QApplication::beep();
}

void TframConnect::pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tevra
