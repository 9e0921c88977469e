#pragma once

#include <QComboBox>
#include <QWidget>

#include <functional>
#include <memory>

#include "shell/ConnectionController.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace tevra {

struct AppContext;
class LampShape;
class TfrmAutoExamCom;

// The port box: runs beforePopup each time its list opens.
class PortComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override;
};

// The connection page at the top of the parameter page: port, baud rate, station, the
// connect button with its lamp, and the drive's identity.
class TframConnect : public QWidget, public ConnectionView {
    Q_OBJECT
  public:
    TframConnect(AppContext& ctx, QWidget* parent);
    ~TframConnect() override;

    ConnectionController& controller() { return *controller_; }

    // The main window's ShowLinkState and the shared progress window.
    void setShowLinkState(std::function<void(bool)> showLinkState) {
        showLinkState_ = std::move(showLinkState);
    }
    void setProgressWindow(TfrmAutoExamCom* window) { progress_ = window; }

    // Refills cbxPort with the system's serial devices, keeping typed device paths.
    void RefreshPortList();
    // The connection page's half of ShowLinkState: button text and lamp.
    void SetLinkState(bool connected);
    // Blink phase of the lamp while connected.
    void SetLampLime(bool lime);
    // Shows or hides the program identification (administrator only).
    void ApplyPermission(bool administrator);

    QComboBox* cbxPort() const { return cbxPort_; }
    QComboBox* cbxBaud() const { return cbxBaud_; }
    QComboBox* MachNoCom() const { return MachNoCom_; }
    QPushButton* LinkBut() const { return LinkBut_; }
    LampShape* LinkStruShape() const { return LinkStruShape_; }

    // ConnectionView
    QStringList portItems() const override;
    QString portText() const override;
    void addPortItem(const QString& name) override;
    void selectPort(const QString& name) override;
    QString baudText() const override;
    void selectBaud(const QString& text) override;
    int stationIndex() const override;
    void setStationIndex(int index) override;
    void repaintPage() override;
    void showProgress(const QString& text) override;
    void appendProgressDot() override;
    void closeProgress() override;
    void showLinkState(bool connected) override;
    void showIdentity(const DriveIdentity& identity) override;
    void alertFailure() override;
    void pause(int milliseconds) override;

  private:
    QLabel* addIdentity(QGridLayout* grid, int row, int column, const QString& caption,
                        const QString& valueName);
    TfrmAutoExamCom* progressWindow();

    AppContext& ctx_;
    std::unique_ptr<ConnectionController> controller_;
    std::function<void(bool)> showLinkState_;
    TfrmAutoExamCom* progress_ = nullptr;
    TfrmAutoExamCom* ownProgress_ = nullptr;
    QStringList typedPorts_;

    QComboBox* cbxPort_ = nullptr;
    QComboBox* cbxBaud_ = nullptr;
    QComboBox* MachNoCom_ = nullptr;
    QPushButton* LinkBut_ = nullptr;
    LampShape* LinkStruShape_ = nullptr;
    QLabel* softDateCaption_ = nullptr;
    QLabel* SoftDateLab_ = nullptr;
};

}  // namespace tevra
