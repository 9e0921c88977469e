#include "shell/ConnectionController.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "ini/IniFile.h"
#include "shell/AppContext.h"
#include "shell/BaudTable.h"
#include "shell/PollingScheduler.h"
#include "text/Gbk.h"
#include "text/TextUtil.h"

namespace tevra {
namespace {

const QString kComSet = QStringLiteral("ComSet");
const QString kFramConnect = QStringLiteral("framConnect");
const QString kReadFailed = QStringLiteral(u"获取失败！");

constexpr uint32_t kSerialNumberAddress = 0x520;
constexpr uint32_t kInfoNumberFirst = 0x500;
constexpr uint32_t kInfoNumberLast = 0x51D;

void setSchedulerTimer(AppContext& ctx, bool enabled) {
    if (ctx.scheduler) {
        ctx.scheduler->setTimerEnabled(enabled);
    }
}

}  // namespace

ComSet ReadComSet(const IniFile& config) {
    ComSet s;
    s.Port = config.readString(kComSet, QStringLiteral("Port"));
    s.Baud = config.readInt(kComSet, QStringLiteral("Baud"), 0);
    return s;
}

int ReadStationSetting(const IniFile& config) {
    const int station = config.readInt(kFramConnect, QStringLiteral("MachNoCom"), 0);
    return (station >= 0 && station <= 255) ? station : 0;
}

void WriteStationSetting(IniFile& config, int station) {
    config.writeInt(kFramConnect, QStringLiteral("MachNoCom"), station);
}

QString StationItemText(int station) {
    return hexText(static_cast<uint64_t>(station & 0xFF), 2) + QStringLiteral(u"号");
}

QString PortDevicePath(const QString& name) {
    const QString t = trimText(name);
    if (t.isEmpty()) {
        return QString();
    }
    if (t.startsWith(u'/')) {
        return t;
    }
    static const QRegularExpression com(QStringLiteral("^com\\s*(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(t);
    if (m.hasMatch()) {
        const int n = m.captured(1).toInt();
        return n >= 1 ? QStringLiteral("/dev/ttyS%1").arg(n - 1) : QString();
    }
    return QStringLiteral("/dev/") + t;
}

ConnectionController::ConnectionController(AppContext& ctx, ConnectionView& view,
                                           PortFactory portFactory)
    : ctx_(ctx), view_(view), portFactory_(std::move(portFactory)) {}

QString ConnectionController::failureText() {
    return QStringLiteral(u"连接失败，请检查通信设置是否正常！");
}

void ConnectionController::LinkButClick() {
    if (ctx_.link->isConnected()) {
        Disconnect();
    } else {
        Connect();
    }
}

void ConnectionController::Disconnect() {
    ctx_.link->setConnected(false);
    ctx_.link->port().close();
    setSchedulerTimer(ctx_, false);
    view_.showLinkState(false);
}

bool ConnectionController::PortExists(const QString& name, QString* error) {
    const QString device = PortDevicePath(name);
    if (device.isEmpty()) {
        if (error) {
            *error = QStringLiteral(u"未指定串口");
        }
        return false;
    }
    std::unique_ptr<SerialPort> probe = portFactory_ ? portFactory_() : nullptr;
    if (!probe) {
        return false;
    }
    const int baud = baud::Rate(baud::k115200);
    if (!probe->open(device, baud, error)) {
        return false;
    }
    probe->close();
    return true;
}

bool ConnectionController::tryPort(const QString& name, int baudIndex, QString* error) {
    SerialPort& port = ctx_.link->port();
    const QString device = PortDevicePath(name);
    const int rate = baud::Rate(baudIndex);
    triedPort_ = name;
    triedBaudIndex_ = baudIndex;
    bool opened;
    if (port.isOpen() && port.deviceName() == device) {
        opened = port.setBaudRate(rate);
    } else {
        port.close();
        opened = port.open(device, rate, error);
    }
    return opened && ctx_.link->LinkProbe();
}

bool ConnectionController::ScanPort(const QString& name) {
    view_.showProgress(QStringLiteral(u"通信连接中，请稍候..."));
    view_.selectPort(name);
    view_.selectBaud(baud::Text(baud::k115200));
    bool ok = false;
    bool first = true;
    for (int index : baud::kScanOrder) {
        if (!first) {
            view_.appendProgressDot();
            view_.selectBaud(baud::Text(index));
            view_.repaintPage();
        }
        first = false;
        ok = tryPort(name, index);
        if (ok) {
            return true;
        }
    }
    return ok;
}

bool ConnectionController::Connect() {
    view_.showProgress(QStringLiteral(u"通信连接中，请稍候.."));

    ctx_.link->setStation(static_cast<uint8_t>(view_.stationIndex() & 0xFF));
    const QString portName = trimText(view_.portText());
    int baudIndex = baud::IndexOf(view_.baudText());
    if (baudIndex < 0) {
        baudIndex = baud::k115200;
    }
    // A device path typed into the box joins the list, so the scan walks it too and it
    // can be chosen again.
    if (!portName.isEmpty() && !view_.portItems().contains(portName)) {
        view_.addPortItem(portName);
    }

    bool ok = false;
    QString openError;
    if (PortExists(portName, &openError)) {
        ok = tryPort(portName, baudIndex, &openError);
        view_.selectPort(portName);
        view_.selectBaud(baud::Text(baudIndex));
        view_.repaintPage();
    }
    if (!ok) {
        ctx_.link->port().close();
        const QStringList items = view_.portItems();
        for (const QString& item : items) {
            const QString name = trimText(item);
            if (PortExists(name) && ScanPort(name)) {
                ok = true;
                break;
            }
        }
    }
    view_.closeProgress();

    if (ok) {
        view_.showLinkState(true);
        ctx_.link->setConnected(true);
        view_.showIdentity(ReadDriveIdentity());
        portInUse_ = triedPort_;
        baudIndexInUse_ = triedBaudIndex_;
        SaveComSet();
        for (const auto& listener : ctx_.connectedListeners) {
            listener();
        }
        setSchedulerTimer(ctx_, true);
        return true;
    }

    view_.showLinkState(false);
    view_.alertFailure();
    // The reason the chosen port could not be opened (missing device, no permission)
    // goes under the failure text: the scan cannot tell it otherwise.
    QString text = failureText();
    if (!openError.isEmpty()) {
        text += u'\n' + openError;
    }
    view_.showProgress(text);
    view_.pause(500);
    view_.closeProgress();
    ctx_.link->setConnected(false);
    setSchedulerTimer(ctx_, false);
    view_.pause(10);
    ctx_.link->port().close();
    return false;
}

DriveIdentity ConnectionController::ReadDriveIdentity() {
    DriveLink& link = *ctx_.link;
    DriveIdentity id;
    QString* infoLabels[] = {&id.DriTypeLab, &id.DriUseIDLab, &id.SoftVerLab, &id.SoftDateLab,
                             &id.SoftNoteLab};
    for (uint8_t code = 3; code <= 7; ++code) {
        QString text;
        *infoLabels[code - 3] = link.ReadInfoString(code, text) ? text : kReadFailed;
    }

    id.MachineIdLab = StationItemText(link.station());

    uint16_t low = 0;
    uint16_t high = 0;
    if (link.ReadEepromWord(kSerialNumberAddress, low) &&
        link.ReadEepromWord(kSerialNumberAddress + 2, high)) {
        id.ProSeriNoLab = hexText(low & 0xFF, 2) + hexText(low >> 8, 2) + hexText(high & 0xFF, 2) +
                          hexText(high >> 8, 2);
    } else {
        id.ProSeriNoLab = kReadFailed;
    }

    QByteArray info;
    bool infoOk = true;
    for (uint32_t address = kInfoNumberFirst; address <= kInfoNumberLast; ++address) {
        uint16_t value = 0;
        if (!link.ReadEepromByte(address, value)) {
            infoOk = false;
            break;
        }
        info += value == 0x00FF ? ' ' : static_cast<char>(value & 0xFF);
    }
    id.DriInfNumLab = infoOk ? trimText(fromGbk(info)) : kReadFailed;
    return id;
}

void ConnectionController::LoadComSet() {
    const ComSet s = ReadComSet(ctx_.config);
    const QString port = trimText(s.Port);
    if (!port.isEmpty() && !view_.portItems().contains(port) &&
        QFileInfo::exists(PortDevicePath(port))) {
        // A device the system does not list (a pseudo-terminal, a device typed last time)
        // that is still there.
        view_.addPortItem(port);
    }
    view_.selectPort(port);
    const QString baudText = baud::Text(s.Baud);
    if (!baudText.isEmpty()) {
        view_.selectBaud(baudText);
    }
}

void ConnectionController::SaveComSet() {
    ctx_.config.writeString(kComSet, QStringLiteral("Port"), portInUse_);
    ctx_.config.writeInt(kComSet, QStringLiteral("Baud"), baudIndexInUse_);
    ctx_.config.save();
}

}  // namespace tevra
