#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

namespace tevra {

struct AppContext;

// The Timer1 routine of the main window. Every tick, on the main thread:
//   1. the timer is switched off;
//   2. nothing more happens unless the main window is ready and the link is connected
//      (the timer then stays off);
//   3. BlinkCount advances 1 .. 100, 0, 1 ...; the link lamps are grey while it is 0..50
//      and lime above;
//   4. ScanCount advances; when it passes ScanTime it restarts at 0 and, while connected
//      and no capture runs, the registered services whose "showing" condition holds run in
//      order (so every (ScanTime + 1)-th tick);
//   5. unless a capture runs, the link probe: success resets LinkFailureCount, failure
//      adds 1; while the count is not above edtCommErrMax the timer is switched on again,
//      otherwise the link is disconnected as the connect button does, the timer stays off
//      and message 14 is shown (caption "错误", error icon).
// Because the timer is re-armed only at the end of a tick, ticks never overlap and no page
// handler runs in the middle of one. While a capture runs the timer stays off after the
// tick; the wave page switches it on again when it draws.
//
// Services. A page or tool window plugs its serial service in with registerService(order,
// showing, run), usually in its constructor through AppContext::scheduler:
//
//     ctx.scheduler->registerService(PollingScheduler::ParameterIo,
//                                    [this] { return isVisible(); },
//                                    [this] { UpdateIoLamps(); ... });
//
// Services run by order number; services of the same order run in registration order.
// `showing` is tested at the moment the service would run; a service that needs a request
// flag as well tests it inside its condition (for example order 4: page showing and
// ParameterRefreshRequested set). Services fail silently and leave the display unchanged.
class PollingScheduler : public QObject {
    Q_OBJECT
  public:
    // Order numbers of the services.
    enum Order : int {
        GainPage = 1,            // gain window showing
        VoltageCalibration = 2,  // voltage calibration window showing
        EepromCheck = 3,         // EEPROM tool and its parameter check window showing
        ParameterRead = 4,       // parameter page showing and ParameterRefreshRequested
        ParameterIo = 5,         // parameter page showing: I/O lamps and inversion groups
        RegisterDebug = 6,       // register debug page showing
        ZeroDrift = 7,           // zero-drift page showing
        Alarm = 8,               // always (services never run during a capture)
        Monitor = 9,             // monitor page showing
        GainRefresh = 10,        // gain window showing and its refresh flag set
        Iplc = 11,               // iPLC page showing
        EncoderRead = 12,        // encoder window showing and its read flag set
    };
    static constexpr int kFirstOrder = 1;
    static constexpr int kLastOrder = 12;

    using Condition = std::function<bool()>;
    using Service = std::function<void()>;

    explicit PollingScheduler(AppContext& context, QObject* parent = nullptr);

    // Returns an id for unregisterService; -1 for an order outside 1..12.
    int registerService(int order, Condition showing, Service run, QString name = QString());
    void unregisterService(int id);
    // Names of the registered services in the order they would run (for diagnostics).
    QStringList serviceNames() const;

    // What disconnecting means (the connect button's action while connected).
    void setDisconnectHandler(std::function<void()> handler) { disconnect_ = std::move(handler); }
    // The link probe of step 5; the link's LinkProbe unless replaced.
    void setLinkProbe(std::function<bool()> probe) { probe_ = std::move(probe); }
    // Called on every counted tick with the lamp phase (true: lime, false: grey).
    void setLampHandler(std::function<void(bool lime)> handler) { lamp_ = std::move(handler); }

    // Timer1: interval 1 ms, off at creation.
    void setTimerEnabled(bool enabled);
    bool timerEnabled() const { return timer_.isActive(); }
    QTimer& timer() { return timer_; }

    // The Timer1 routine; the timer calls it, tests call it directly.
    void tick();

    // The number of ticks between service runs, minus one (edtScanTime, default 4).
    int32_t ScanTime = 4;
    int32_t BlinkCount = 0;
    int32_t ScanCount = 0;

  private:
    struct Entry {
        int id;
        int order;
        Condition showing;
        Service run;
        QString name;
    };
    void runServices();
    void probeLink();

    AppContext& ctx_;
    QTimer timer_;
    std::vector<Entry> services_;
    int nextId_ = 1;
    std::function<void()> disconnect_;
    std::function<void(bool)> lamp_;
    std::function<bool()> probe_;
};

}  // namespace tevra
