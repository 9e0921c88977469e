#include "shell/PollingScheduler.h"

#include <algorithm>

#include "shell/AppContext.h"
#include "shell/TipMessages.h"
#include "shell/UserDialogs.h"

namespace tevra {

PollingScheduler::PollingScheduler(AppContext& context, QObject* parent)
    : QObject(parent), ctx_(context) {
    timer_.setInterval(1);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &PollingScheduler::tick);
}

int PollingScheduler::registerService(int order, Condition showing, Service run, QString name) {
    if (order < kFirstOrder || order > kLastOrder || !run) {
        return -1;
    }
    const int id = nextId_++;
    Entry entry{id, order, std::move(showing), std::move(run), std::move(name)};
    // Keep the list sorted by order; a new entry goes after those of the same order.
    auto pos = std::upper_bound(services_.begin(), services_.end(), order,
                                [](int o, const Entry& e) { return o < e.order; });
    services_.insert(pos, std::move(entry));
    return id;
}

void PollingScheduler::unregisterService(int id) {
    std::erase_if(services_, [id](const Entry& e) { return e.id == id; });
}

QStringList PollingScheduler::serviceNames() const {
    QStringList names;
    for (const Entry& e : services_) {
        names << QStringLiteral("%1 %2").arg(e.order).arg(e.name);
    }
    return names;
}

void PollingScheduler::setTimerEnabled(bool enabled) {
    if (enabled) {
        if (!timer_.isActive()) {
            timer_.start();
        }
    } else {
        timer_.stop();
    }
}

void PollingScheduler::tick() {
    setTimerEnabled(false);
    if (!ctx_.MainReady || !ctx_.link || !ctx_.link->isConnected()) {
        return;
    }

    ++BlinkCount;
    if (BlinkCount > 100) {
        BlinkCount = 0;
    }
    if (lamp_) {
        lamp_(BlinkCount > 50);
    }

    ++ScanCount;
    if (ScanCount > ScanTime) {
        ScanCount = 0;
        if (ctx_.link->isConnected() && !ctx_.CaptureRunning.load()) {
            runServices();
        }
    }

    if (!ctx_.CaptureRunning.load()) {
        probeLink();
    }
}

void PollingScheduler::runServices() {
    // A service may register or unregister others (a page created on demand); walk a copy.
    const std::vector<Entry> services = services_;
    for (const Entry& e : services) {
        // A service may have dropped the link (its failure handling) or a capture may have
        // started from inside one; stop serving then.
        if (!ctx_.link->isConnected() || ctx_.CaptureRunning.load()) {
            return;
        }
        if (!e.showing || e.showing()) {
            e.run();
        }
    }
}

void PollingScheduler::probeLink() {
    DriveLink& link = *ctx_.link;
    if (probe_ ? probe_() : link.LinkProbe()) {
        link.LinkFailureCount.store(0);
    } else {
        link.LinkFailureCount.fetch_add(1);
    }
    if (link.LinkFailureCount.load() <= link.commErrMax.load()) {
        setTimerEnabled(true);
        return;
    }
    if (link.isConnected()) {
        if (disconnect_) {
            disconnect_();
        } else {
            link.setConnected(false);
            link.port().close();
        }
        setTimerEnabled(false);
        if (ctx_.dialogs) {
            ctx_.dialogs->showMessage(TipMessages()[14], caption::error(), MessageIcon::Error);
        }
    }
}

}  // namespace tevra
