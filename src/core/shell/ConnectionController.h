#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

#include "link/SerialPort.h"

namespace tevra {

struct AppContext;
class IniFile;

// The identity of the connected drive, as the connection page's value labels show it.
// Before the first read every label shows "未知" and is disabled; a read fills them all
// and enables them. An item that could not be read shows "获取失败！".
struct DriveIdentity {
    QString DriTypeLab;    // information code 3
    QString DriUseIDLab;   // code 4
    QString SoftVerLab;    // code 5
    QString SoftDateLab;   // code 6
    QString SoftNoteLab;   // code 7
    QString MachineIdLab;  // the station, "0A号"
    QString ProSeriNoLab;  // EEPROM words 0x520 and 0x522, eight hexadecimal digits
    QString DriInfNumLab;  // EEPROM bytes 0x500..0x51D
};

// What the connection logic asks of the connection page and the windows around it.
class ConnectionView {
  public:
    virtual ~ConnectionView() = default;

    // cbxPort: its items in list order and the text in its edit.
    virtual QStringList portItems() const = 0;
    virtual QString portText() const = 0;
    // Adds a port name to the end of the list (a device path the user typed).
    virtual void addPortItem(const QString& name) = 0;
    // Selects the item equal to name; a name that is not an item leaves the selection.
    virtual void selectPort(const QString& name) = 0;
    // cbxBaud: the selected text; select the item with this text (unchanged if none).
    virtual QString baudText() const = 0;
    virtual void selectBaud(const QString& text) = 0;
    // MachNoCom: the selected index, 0..255.
    virtual int stationIndex() const = 0;
    virtual void setStationIndex(int index) = 0;
    virtual void repaintPage() = 0;

    // The progress window TfrmAutoExamCom: show with a text (and repaint), append one
    // ".", close.
    virtual void showProgress(const QString& text) = 0;
    virtual void appendProgressDot() = 0;
    virtual void closeProgress() = 0;

    // The main window's ShowLinkState.
    virtual void showLinkState(bool connected) = 0;
    virtual void showIdentity(const DriveIdentity& identity) = 0;
    // Flash the task bar button and sound the default beep.
    virtual void alertFailure() = 0;
    // Wait the given time with the windows painted.
    virtual void pause(int milliseconds) = 0;
};

// Config.ini ComSet/Port and ComSet/Baud, framConnect/MachNoCom.
struct ComSet {
    QString Port;
    int Baud = 0;
};
ComSet ReadComSet(const IniFile& config);
int ReadStationSetting(const IniFile& config);
void WriteStationSetting(IniFile& config, int station);

// "00号" .. "FF号".
QString StationItemText(int station);

// The device a port name stands for: a path as it stands, "COMn" as the n-th system serial
// port (/dev/ttyS(n-1)), a bare device name under /dev. Empty for an empty name.
QString PortDevicePath(const QString& name);

// The system's serial devices, from the link layer's listing.
using PortLister = std::function<QStringList()>;
// A separate port object for PortExists.
using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

// The connection page's logic: connect and disconnect, the port scan, the drive identity
// and the ComSet settings.
class ConnectionController {
  public:
    ConnectionController(AppContext& ctx, ConnectionView& view, PortFactory portFactory);

    // Connects when disconnected, disconnects when connected.
    void LinkButClick();
    // The disconnecting half of LinkButClick (also the link error policy's disconnect).
    void Disconnect();

    // Whether the named port can be opened and closed again; an empty name gives false.
    bool PortExists(const QString& name, QString* error = nullptr);
    // Tries the port at 115200, 9600, 19200, 38400, 57600 and 115200 bit/s.
    bool ScanPort(const QString& name);
    DriveIdentity ReadDriveIdentity();

    void LoadComSet();
    void SaveComSet();

    // The settings of the last successful connection.
    const QString& portInUse() const { return portInUse_; }
    int baudIndexInUse() const { return baudIndexInUse_; }

    static QString failureText();

  private:
    bool Connect();
    bool tryPort(const QString& name, int baudIndex, QString* error = nullptr);

    AppContext& ctx_;
    ConnectionView& view_;
    PortFactory portFactory_;
    QString portInUse_;
    int baudIndexInUse_ = 0;
    int triedBaudIndex_ = 0;
    QString triedPort_;
};

}  // namespace tevra
