// ReadWord transactions per second against the simulated drive over a pseudo-terminal,
// beside the limits measured in the same run: a bare 8-byte / 4-byte ping-pong over the
// same kind of terminal, and the wire time of the 12 bytes at 115200 bit/s. A third figure,
// the same request written raw to a second simulated drive, splits what the drive costs
// from what the client's transaction costs.

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchDrive.h"
#include "link/TermiosBaud.h"

namespace {

using namespace tevra;

// The rates of every repetition; each repetition starts fresh threads, so that where the
// scheduler happens to place them averages out.
struct {
    std::vector<double> pingPong;
    std::vector<double> readWord;
    std::vector<double> ratio;
    std::vector<double> driveOnlyRatio;
    std::vector<double> paced;
} g_results;

// Exchanges per second the wire allows at 115200 bit/s: 12 bytes of 10 bits each.
constexpr double kWireLimit = 115200.0 / (12 * 10);

double median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Reads exactly `count` bytes from a non-blocking descriptor, waiting with poll().
bool readAll(int fd, uint8_t* data, int count) {
    int got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, data + got, static_cast<size_t>(count - got));
        if (n > 0) {
            got += static_cast<int>(n);
            continue;
        }
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0) {
            return false;
        }
    }
    return true;
}

// The limit: a peer that answers every 8 bytes with 4, on a raw pseudo-terminal.
class PingPongPeer {
  public:
    PingPongPeer() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        client_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios2::configureRaw(client_, 115200);
        pipe(stop_);
        thread_ = std::thread([this] { run(); });
    }
    ~PingPongPeer() {
        [[maybe_unused]] const ssize_t w = ::write(stop_[1], "x", 1);
        thread_.join();
        ::close(client_);
        ::close(master_);
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    int client() const { return client_; }

  private:
    void run() {
        uint8_t buf[64];
        int have = 0;
        const uint8_t reply[4] = {0x10, 0x01, 0x00, 0xEF};
        for (;;) {
            pollfd p[2] = {{master_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            poll(p, 2, -1);
            if (p[1].revents) {
                return;
            }
            const ssize_t n = ::read(master_, buf + have, sizeof buf - static_cast<size_t>(have));
            if (n <= 0) {
                continue;
            }
            have += static_cast<int>(n);
            while (have >= 8) {
                [[maybe_unused]] const ssize_t w = ::write(master_, reply, 4);
                have -= 8;
            }
        }
    }
    int master_ = -1;
    int client_ = -1;
    int stop_[2] = {-1, -1};
    std::thread thread_;
};

// A simulated drive with a raw terminal open on it, no transaction layer.
struct RawDrive {
    RawDrive() : drive(bench::StartDrive(bench::DriveConfig())) {
        drive->setRam(1, 0x1234);
        fd = ::open(qPrintable(drive->devicePath()), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 || termios2::configureRaw(fd, 115200) != 0) {
            std::fprintf(stderr, "terminal: cannot open %s\n", qPrintable(drive->devicePath()));
            std::abort();
        }
    }
    ~RawDrive() { ::close(fd); }
    std::unique_ptr<sim::SimulatedDrive> drive;
    int fd = -1;
};

// The drive with the word the benchmarks read, and a link on it.
struct DriveAndLink : bench::BenchDrive {
    explicit DriveAndLink(bool paced) : bench::BenchDrive(bench::DriveConfig(paced)) {
        drive->setRam(1, 0x1234);
    }
};

using Clock = std::chrono::steady_clock;

// ReadWord against the unpaced drive and the bare ping-pong, exchange by exchange in turn,
// so that both see the same load on the machine; each is timed on its own.
void BM_ReadWordVsPingPong(benchmark::State& state) {
    DriveAndLink d(false);
    RawDrive raw;
    PingPongPeer peer;
    const uint8_t request[8] = {0xAA, 0x08, 0x01, 0x10, 0x01, 0x00, 0x00, 0x3C};
    uint8_t reply[4];
    std::vector<double> pingPongTimes;
    std::vector<double> readWordTimes;
    std::vector<double> driveOnlyTimes;
    uint16_t v = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (::write(peer.client(), request, 8) != 8 || !readAll(peer.client(), reply, 4)) {
            state.SkipWithError("ping-pong failed");
            break;
        }
        const auto t1 = Clock::now();
        if (!d.link->ReadWord(1, v) || v != 0x1234) {
            state.SkipWithError("ReadWord failed");
            break;
        }
        const auto t2 = Clock::now();
        if (::write(raw.fd, request, 8) != 8 || !readAll(raw.fd, reply, 4)) {
            state.SkipWithError("raw request to the drive failed");
            break;
        }
        const auto t3 = Clock::now();
        driveOnlyTimes.push_back(std::chrono::duration<double>(t3 - t2).count());
        pingPongTimes.push_back(std::chrono::duration<double>(t1 - t0).count());
        readWordTimes.push_back(std::chrono::duration<double>(t2 - t1).count());
    }
    // Medians: the machine is shared, and a few exchanges that wait long for a processor
    // say nothing about either side.
    const double pingPongRate = 1.0 / median(pingPongTimes);
    const double readWordRate = 1.0 / median(readWordTimes);
    state.counters["pingpong_per_s"] = pingPongRate;
    state.counters["readword_per_s"] = readWordRate;
    state.counters["ratio"] = readWordRate / pingPongRate;
    const double driveOnlyRatio = (1.0 / median(driveOnlyTimes)) / pingPongRate;
    state.counters["drive_only_ratio"] = driveOnlyRatio;
    g_results.driveOnlyRatio.push_back(driveOnlyRatio);
    g_results.pingPong.push_back(pingPongRate);
    g_results.readWord.push_back(readWordRate);
    g_results.ratio.push_back(readWordRate / pingPongRate);
}

// ReadWord against the drive paced at 115200 bit/s, beside the wire time of the 8-byte
// request and the 4-byte reply.
void BM_ReadWordPaced115200(benchmark::State& state) {
    DriveAndLink d(true);
    std::vector<double> times;
    uint16_t v = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (!d.link->ReadWord(1, v) || v != 0x1234) {
            state.SkipWithError("ReadWord failed");
            break;
        }
        times.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    const double rate = 1.0 / median(times);
    state.counters["readword_per_s"] = rate;
    state.counters["ratio_to_wire"] = rate / kWireLimit;
    g_results.paced.push_back(rate);
}

BENCHMARK(BM_ReadWordVsPingPong)->UseRealTime()->MinTime(0.5)->Repetitions(7);
BENCHMARK(BM_ReadWordPaced115200)->UseRealTime()->MinTime(0.5)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    // Every thread (the client, the ping-pong peer, the drive) on one processor: on a
    // shared machine, threads spread over processors that other work keeps busy wake at
    // random delays, and which side draws the slow processor decides the ratio.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof one, &one);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n");
    const auto& r = g_results;
    if (!r.ratio.empty()) {
        std::printf(
            "ReadWord over a pseudo-terminal: %.0f/s, bare ping-pong limit %.0f/s, "
            "ratio %.2f (median of %zu measurements; target >= 0.80)\n",
            median(r.readWord), median(r.pingPong), median(r.ratio), r.ratio.size());
        std::printf(
            "  the same request written raw to the drive: ratio %.2f (what the drive costs; "
            "the rest is the client's purge, time-outs and checks)\n",
            median(r.driveOnlyRatio));
    }
    if (!r.paced.empty()) {
        std::printf(
            "ReadWord at 115200 bit/s: %.0f/s, wire time of 12 bytes allows %.0f/s, "
            "ratio %.2f\n",
            median(r.paced), kWireLimit, median(r.paced) / kWireLimit);
    }
    return 0;
}
