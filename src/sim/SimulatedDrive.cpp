#include "SimulatedDrive.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "link/CommunicationProtocol.h"
#include "link/TermiosBaud.h"
#include "text/Gbk.h"

namespace tevra::sim {

namespace {

using Lock = std::lock_guard<std::mutex>;

constexpr size_t kMaxFrames = 100'000;
constexpr size_t kMaxRecords = 1'000;
// A partial request older than this is dropped (the client purges before every request).
constexpr int64_t kStalePartialNs = 200'000'000;
// Unpaced streams are written in chunks of about this many bytes.
constexpr int kStreamChunkBytes = 512;
// Paced streams: samples queued at most, and how far behind the drive may fall before it
// starts its timing afresh.
constexpr size_t kMaxQueuedSamples = 64;
constexpr int64_t kStreamResyncNs = 20'000'000;

int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

uint32_t addressAt(const uint8_t* f) {
    return static_cast<uint32_t>(f[0]) | (static_cast<uint32_t>(f[1]) << 8) |
           (static_cast<uint32_t>(f[2]) << 16);
}

uint16_t wordAt(const uint8_t* f) {
    return static_cast<uint16_t>(f[0] | (f[1] << 8));
}

// A native reply: the bytes given, then the checksum that makes the sum 0.
QByteArray nativeReply(std::initializer_list<uint8_t> bytes, bool corrupt) {
    QByteArray r;
    r.reserve(static_cast<qsizetype>(bytes.size()) + 1);
    for (uint8_t b : bytes) {
        r.append(static_cast<char>(b));
    }
    uint8_t ck = frame::NativeChecksum(reinterpret_cast<const uint8_t*>(r.constData()),
                                       static_cast<int>(r.size()));
    if (corrupt) {
        ck = static_cast<uint8_t>(ck + 1);
    }
    r.append(static_cast<char>(ck));
    return r;
}

QByteArray wordReply(uint8_t command, uint16_t value, bool corrupt) {
    return nativeReply(
        {command, static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)}, corrupt);
}

int wordsPerSampleOfMode(uint8_t mode) {
    switch (mode) {
        case 0x20:
            return 1;
        case 0x21:
            return 2;
        case 0x22:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

int ReceivedFrame::command() const {
    if (modbus) {
        return kModbusRead;
    }
    return bytes.size() > 3 ? static_cast<uint8_t>(bytes.at(3)) : -1;
}

SimulatedDrive::SimulatedDrive(SimulatedDriveConfig config)
    : config_(std::move(config)), ram_(kRamWords, 0), eeprom_(kEepromBytes, 0xFF) {
    initialiseMemory();
}

SimulatedDrive::~SimulatedDrive() {
    stop();
}

void SimulatedDrive::initialiseMemory() {
    // Identity of the demo drive's middle model until a description says otherwise.
    info_[3] = QStringLiteral("TVD-A04");
    info_[4] = QStringLiteral("GENERAL");
    info_[5] = QStringLiteral("V1.06");
    info_[6] = QStringLiteral("TVDA04-2403");
    info_[7] = QStringLiteral("TVDA-DSP-0106");
    const QByteArray infoNumber = QByteArrayLiteral("TVD-A04-220V");
    for (int i = 0; i < 30; ++i) {
        eeprom_[static_cast<size_t>(0x500 + i)] =
            i < infoNumber.size() ? static_cast<uint8_t>(infoNumber.at(i)) : 0xFF;
    }
    writeEepromWordLocked(0x520, 0x2403);
    writeEepromWordLocked(0x522, 0x1120);
    // Parameter error record: no errors.
    for (uint32_t a = 0x800; a < 0x806; ++a) {
        eeprom_[a] = 0;
    }
    // Motor record and gain table of the gain adjustment window: a 750 W, 3000 rpm motor.
    const uint16_t motor[8] = {1300, 530, 450, 3000, 750, 17, 80, 0};
    for (uint32_t k = 0; k < 8; ++k) {
        writeEepromWordLocked(0x1C00 + 2 * k, motor[k]);
    }
    for (uint32_t r = 0; r < 16; ++r) {
        for (uint32_t c = 0; c < 8; ++c) {
            writeEepromWordLocked(0x1C40 + 16 * r + 2 * c, static_cast<uint16_t>(100 + 10 * r + c));
        }
    }
    // Adaptive filter values: 24 double words at odd addresses.
    for (uint32_t k = 0; k < 24; ++k) {
        const uint32_t v = 0x00010000u * (k + 1) + 0x0100u + k;
        writeEepromWordLocked(0x63F + 4 * k, static_cast<uint16_t>(v & 0xFFFF));
        writeEepromWordLocked(0x641 + 4 * k, static_cast<uint16_t>(v >> 16));
    }
    // Encoder parameters Pr190..Pr1A0, the last one the encoder's version.
    for (uint16_t pr = 0x190; pr <= kEncoderVersionPr; ++pr) {
        const uint16_t v = pr == kEncoderVersionPr ? 0x0203 : 0;
        encoderWorking_[pr] = v;
        ram_[pr] = v;
    }
    encoderStored_ = encoderWorking_;
    alarmRegs_ = {0x6FC4, 0x6FC6, 0x6FC8};
}

// ----- life cycle -----

bool SimulatedDrive::start(QString* error) {
    if (running()) {
        return true;
    }
    auto fail = [&](const QString& what) {
        if (error) {
            *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        }
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
        if (slave_ >= 0) {
            ::close(slave_);
            slave_ = -1;
        }
        return false;
    };
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        return fail(QStringLiteral("posix_openpt"));
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        return fail(QStringLiteral("unlockpt"));
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        return fail(QStringLiteral("ptsname"));
    }
    terminalPath_ = QString::fromLocal8Bit(name);
    // The drive keeps the slave side open itself, so the master never sees a hang-up
    // while clients come and go, and the line settings survive between clients.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (slave_ < 0) {
        return fail(QStringLiteral("open ") + terminalPath_);
    }
    termios2::configureRaw(slave_, config_.baud);
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    if (!config_.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(config_.linkPath);
        struct stat st {};
        if (lstat(link.constData(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                errno = EEXIST;
                return fail(QStringLiteral("link ") + config_.linkPath);
            }
            ::unlink(link.constData());
        }
        if (::symlink(name, link.constData()) != 0) {
            return fail(QStringLiteral("link ") + config_.linkPath);
        }
    }
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return fail(QStringLiteral("pipe"));
    }
    startNs_ = nowNs();
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void SimulatedDrive::stop() {
    if (!thread_.joinable()) {
        return;
    }
    stopping_ = true;
    const char c = 'x';
    [[maybe_unused]] const ssize_t w = ::write(wake_[1], &c, 1);
    thread_.join();
    ::close(wake_[0]);
    ::close(wake_[1]);
    wake_[0] = wake_[1] = -1;
    if (!config_.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(config_.linkPath);
        struct stat st {};
        if (lstat(link.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
            ::unlink(link.constData());
        }
    }
    ::close(slave_);
    ::close(master_);
    slave_ = master_ = -1;
}

QString SimulatedDrive::devicePath() const {
    return config_.linkPath.isEmpty() ? terminalPath_ : config_.linkPath;
}

// ----- worker -----

void SimulatedDrive::run() {
    // Replies and paced samples are due to the microsecond; the default timer slack of a
    // thread would let every wait run up to 50 us late.
    prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
    uint8_t buf[4096];
    int64_t partialSince = 0;
    while (!stopping_) {
        int64_t due = -1;
        bool wantWrite = false;
        bool partial = false;
        {
            Lock lock(mutex_);
            const int64_t now = nowNs();
            queueStream(now);
            if (!flushOutput(now)) {
                wantWrite = true;
            }
            queueStream(now);
            due = nextDueNs();
            partial = framer_.hasPartial();
        }
        const int64_t now = nowNs();
        if (!partial) {
            partialSince = 0;
        } else if (partialSince == 0) {
            partialSince = now;
        } else if (now - partialSince > kStalePartialNs) {
            Lock lock(mutex_);
            framer_.clear();
            partialSince = 0;
            partial = false;
        }
        int64_t waitNs = -1;
        if (!wantWrite && due >= 0) {
            waitNs = std::max<int64_t>(0, due - now);
        }
        if (partial) {
            const int64_t left = std::max<int64_t>(0, partialSince + kStalePartialNs - now + 1);
            waitNs = waitNs < 0 ? left : std::min(waitNs, left);
        }
        pollfd fds[2] = {{master_, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
                         {wake_[0], POLLIN, 0}};
        timespec ts{};
        timespec* tsp = nullptr;
        if (waitNs >= 0) {
            ts.tv_sec = static_cast<time_t>(waitNs / 1'000'000'000);
            ts.tv_nsec = static_cast<long>(waitNs % 1'000'000'000);
            tsp = &ts;
        }
        const int r = ppoll(fds, 2, tsp, nullptr);
        if (r < 0 && errno != EINTR) {
            break;
        }
        if (fds[1].revents & POLLIN) {
            char drain[64];
            while (::read(wake_[0], drain, sizeof drain) > 0) {
            }
        }
        if (fds[0].revents & POLLIN) {
            // One read takes what has arrived; poll reports anything that comes later.
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                Lock lock(mutex_);
                const int64_t t = nowNs();
                onInput(buf, static_cast<int>(n), t);
                flushOutput(t);  // a reply due at once goes out before the next wait
            }
        }
    }
}

void SimulatedDrive::onInput(const uint8_t* data, int count, int64_t now) {
    // The drive hears only a line set to its own rate; anything else is noise to it.
    if (termios2::speed(master_) != config_.baud) {
        ignoredBytes_ += count;
        framer_.clear();
        return;
    }
    framer_.append(data, count);
    RequestFramer::Frame f;
    while (framer_.next(f)) {
        handleFrame(f.bytes, f.kind == RequestFramer::Kind::Modbus, now);
    }
}

void SimulatedDrive::handleFrame(const QByteArray& bytes, bool modbus, int64_t arrivalNs) {
    const auto* f = reinterpret_cast<const uint8_t*>(bytes.constData());
    const int length = static_cast<int>(bytes.size());
    ReceivedFrame rf;
    rf.bytes = bytes;
    rf.modbus = modbus;
    rf.forThisStation = (modbus ? f[0] : f[2]) == config_.station;
    frames_.push_back(rf);
    if (frames_.size() > kMaxFrames) {
        frames_.pop_front();
    }
    frameArrived_.notify_all();
    if (!rf.forThisStation) {
        return;
    }
    const int command = rf.command();
    ++counts_[command];
    ++totalRequests_;
    // Any request ends a stream in progress, and what is left of it is not sent.
    if (streaming_) {
        endStream(true);
    }
    dropStreamOutput();
    if (requestsLeft_ == 0) {
        return;
    }
    if (requestsLeft_ > 0) {
        --requestsLeft_;
    }
    const ReplyFaults faults = faults_.take(command);
    if (faults.noReply) {
        return;
    }
    if (!modbus && (command == 0x18 || command == 0x19)) {
        startWave(f, length, arrivalNs);
        return;
    }
    QByteArray reply = modbus ? answerModbus(f, faults) : answerNative(f, length, faults);
    if (reply.isEmpty()) {
        return;
    }
    if (faults.truncateTo >= 0) {
        reply.truncate(faults.truncateTo);
    }
    queueReply(reply, length, arrivalNs, faults.delayMs);
}

QByteArray SimulatedDrive::answerNative(const uint8_t* f, int length, const ReplyFaults& faults) {
    const uint8_t command = f[3];
    if (length == 7) {
        if (f[4] != 0xAA || f[5] != 0x55 || command < 0x50 || command > 0x52) {
            return QByteArray();
        }
        answerControl(command);
        return QByteArray(1, static_cast<char>(faults.corrupt ? command ^ 0xFF : command));
    }
    const uint32_t address = length >= 7 ? addressAt(f + 4) : 0;
    switch (command) {
        case 0x10:
            if (length != 8) {
                break;
            }
            return wordReply(command, readRamLocked(address), faults.corrupt);
        case 0x11:
            if (length != 10) {
                break;
            }
            ram_[address & 0xFFFF] = wordAt(f + 7);
            return wordReply(command, wordAt(f + 7), faults.corrupt);
        case 0x16: {
            if (length != 8) {
                break;
            }
            const uint16_t lo = readRamLocked(address);
            const uint16_t hi = readRamLocked(address + 1);
            return nativeReply(
                {command, static_cast<uint8_t>(lo & 0xFF), static_cast<uint8_t>(lo >> 8),
                 static_cast<uint8_t>(hi & 0xFF), static_cast<uint8_t>(hi >> 8)},
                faults.corrupt);
        }
        case 0x17:
            if (length != 12) {
                break;
            }
            ram_[address & 0xFFFF] = wordAt(f + 7);
            ram_[(address + 1) & 0xFFFF] = wordAt(f + 9);
            return QByteArray(1, faults.corrupt ? 'N' : 'M');
        case 0x1A:
            if (length != 8) {
                break;
            }
            return wordReply(command,
                             faults.busy
                                 ? kBusyValue
                                 : static_cast<uint16_t>(eeprom_[address & 0xFFFF] |
                                                         (eeprom_[(address + 1) & 0xFFFF] << 8)),
                             faults.corrupt);
        case 0x1B:
            if (length != 10) {
                break;
            }
            if (faults.busy) {
                return wordReply(command, kBusyValue, faults.corrupt);
            }
            writeEepromWordLocked(address, wordAt(f + 7));
            return wordReply(command, wordAt(f + 7), faults.corrupt);
        case 0x1E:
            if (length != 8) {
                break;
            }
            return wordReply(command, faults.busy ? kBusyValue : eeprom_[address & 0xFFFF],
                             faults.corrupt);
        case 0x30: {
            if (length != 6) {
                break;
            }
            const uint8_t code = f[4];
            QByteArray reply;
            if (auto raw = rawInfo_.find(code); raw != rawInfo_.end()) {
                reply = raw->second;
            } else {
                const auto it = info_.find(code);
                const QByteArray text =
                    it == info_.end() ? QByteArray() : toGbk(it->second).left(97);
                reply.append(static_cast<char>(0x30));
                reply.append(static_cast<char>(text.size() + 3));
                reply.append(text);
                reply.append(static_cast<char>(
                    frame::NativeChecksum(reinterpret_cast<const uint8_t*>(reply.constData()),
                                          static_cast<int>(reply.size()))));
            }
            if (faults.corrupt && !reply.isEmpty()) {
                reply[0] = static_cast<char>(0x31);
            }
            return reply;
        }
        default:
            break;
    }
    return QByteArray();
}

QByteArray SimulatedDrive::answerModbus(const uint8_t* f, const ReplyFaults& faults) {
    QByteArray r;
    const uint16_t reg = static_cast<uint16_t>((f[2] << 8) | f[3]);
    const int count = (f[4] << 8) | f[5];
    r.append(static_cast<char>(f[0]));
    if (count < 1 || count > 125) {
        r.append(static_cast<char>(0x83));
        r.append(static_cast<char>(0x03));  // illegal data value
    } else {
        r.append(static_cast<char>(0x03));
        r.append(static_cast<char>(2 * count));
        for (int i = 0; i < count; ++i) {
            const uint16_t v = readRamLocked(static_cast<uint16_t>(reg + i));
            r.append(static_cast<char>(v >> 8));
            r.append(static_cast<char>(v & 0xFF));
        }
    }
    uint16_t crc = frame::Crc16Modbus(reinterpret_cast<const uint8_t*>(r.constData()),
                                      static_cast<int>(r.size()));
    if (faults.corrupt) {
        crc ^= 0x00FF;
    }
    r.append(static_cast<char>(crc & 0xFF));
    r.append(static_cast<char>(crc >> 8));
    return r;
}

void SimulatedDrive::answerControl(uint8_t code) {
    switch (code) {
        case 0x50:  // the encoder's parameters into RAM
            for (auto it = encoderWorking_.cbegin(); it != encoderWorking_.cend(); ++it) {
                ram_[it.key()] = it.value();
            }
            break;
        case 0x51:  // RAM into the encoder, except its read-only version
            for (auto it = encoderWorking_.begin(); it != encoderWorking_.end(); ++it) {
                if (it.key() != kEncoderVersionPr) {
                    it.value() = ram_[it.key()];
                }
            }
            break;
        case 0x52:  // the encoder keeps what it holds
            encoderStored_ = encoderWorking_;
            break;
        default:
            break;
    }
}

void SimulatedDrive::startWave(const uint8_t* f, int length, int64_t arrivalNs) {
    const uint8_t command = f[3];
    if ((command == 0x18 && length != 20) || (command == 0x19 && length != 14)) {
        return;
    }
    const int words = wordsPerSampleOfMode(f[4]);
    if (words == 0) {
        return;
    }
    WaveRecord rec;
    rec.command = command;
    rec.mode = f[4];
    rec.sampleCount = wordAt(f + 5);
    rec.wordsPerSample = words;
    const int slotCount = command == 0x18 ? 4 : 2;
    for (int i = 0; i < slotCount; ++i) {
        rec.slots[static_cast<size_t>(i)] = wordAt(f + 7 + 3 * i);
    }
    int64_t start = arrivalNs;
    if (streamPaced()) {
        int64_t step = 0;
        if (config_.paceToBaud) {
            step = 2 * words * byteNs();
            start = std::max(arrivalNs + length * byteNs(), lineFreeNs_);
        }
        if (config_.streamAtSamplePeriod) {
            step = std::max(step, std::max<int64_t>(1, config_.samplePeriodNs));
        }
        rec.sampleStepNs = std::max<int64_t>(1, step);
        rec.firstSampleIndex = liveIndexLocked();
        streamNextDueNs_ = start + rec.sampleStepNs;
    } else {
        rec.firstSampleIndex = nextSampleIndex_;
    }
    stream_ = rec;
    streaming_ = rec.sampleCount > 0;
    if (!streaming_) {
        endStream(false);
    }
}

void SimulatedDrive::endStream(bool aborted) {
    stream_.aborted = aborted;
    records_.push_back(stream_);
    if (records_.size() > kMaxRecords) {
        records_.pop_front();
    }
    streaming_ = false;
}

void SimulatedDrive::dropStreamOutput() {
    if (!output_.empty() && output_.front().stream) {
        outputOffset_ = 0;
    }
    std::erase_if(output_, [](const Pending& p) { return p.stream; });
}

void SimulatedDrive::appendSample(QByteArray& out) {
    const uint64_t n = stream_.sampleIndex(stream_.samplesSent);
    for (int k = 0; k < stream_.wordsPerSample; ++k) {
        const uint16_t w = sampleWordLocked(stream_.slots[static_cast<size_t>(k)], n);
        for (const uint8_t b : {static_cast<uint8_t>(w & 0xFF), static_cast<uint8_t>(w >> 8)}) {
            ++streamBytesSent_;
            if (streamDropEvery_ > 0 && streamBytesSent_ % streamDropEvery_ == 0) {
                continue;
            }
            out.append(static_cast<char>(b));
        }
    }
    ++stream_.samplesSent;
}

bool SimulatedDrive::streamHalted() const {
    return streamHaltAfter_ >= 0 && stream_.samplesSent >= static_cast<uint32_t>(streamHaltAfter_);
}

void SimulatedDrive::queueStream(int64_t now) {
    if (!streaming_) {
        return;
    }
    const int sampleBytes = 2 * stream_.wordsPerSample;
    if (!streamPaced()) {
        // As fast as the line allows: a chunk whenever the previous one is out.
        if (!output_.empty()) {
            return;
        }
        const int samples = std::max(1, kStreamChunkBytes / sampleBytes);
        QByteArray chunk;
        chunk.reserve(samples * sampleBytes);
        for (int s = 0; s < samples && stream_.samplesSent < stream_.sampleCount && !streamHalted();
             ++s) {
            appendSample(chunk);
        }
        nextSampleIndex_ = stream_.firstSampleIndex + stream_.samplesSent;
        if (!chunk.isEmpty()) {
            output_.push_back({chunk, now, true});
        }
    } else {
        // Every sample whose time has come, each due one step after the one before. A
        // drive that fell far behind (nobody reading) starts its timing afresh.
        if (streamNextDueNs_ < now - kStreamResyncNs) {
            streamNextDueNs_ = now;
        }
        while (streamNextDueNs_ <= now && output_.size() < kMaxQueuedSamples &&
               stream_.samplesSent < stream_.sampleCount && !streamHalted()) {
            QByteArray sample;
            appendSample(sample);
            if (!sample.isEmpty()) {
                output_.push_back({sample, streamNextDueNs_, true});
            }
            streamNextDueNs_ += stream_.sampleStepNs;
        }
        lineFreeNs_ = std::max(lineFreeNs_, streamNextDueNs_ - stream_.sampleStepNs);
    }
    if (stream_.samplesSent >= stream_.sampleCount || streamHalted()) {
        endStream(false);  // the last sample is queued, or the drive falls silent
    }
}

void SimulatedDrive::queueReply(const QByteArray& reply, int requestLength, int64_t arrivalNs,
                                int delayMs) {
    int64_t due = arrivalNs + static_cast<int64_t>(delayMs) * 1'000'000;
    if (config_.paceToBaud) {
        const int64_t b = byteNs();
        const int64_t start = std::max(
            arrivalNs + requestLength * b + static_cast<int64_t>(delayMs) * 1'000'000, lineFreeNs_);
        due = start + reply.size() * b;
        lineFreeNs_ = due;
    }
    output_.push_back({reply, due, false});
}

bool SimulatedDrive::flushOutput(int64_t now) {
    while (!output_.empty() && output_.front().dueNs <= now) {
        const Pending& p = output_.front();
        const qsizetype left = p.bytes.size() - outputOffset_;
        const ssize_t w =
            ::write(master_, p.bytes.constData() + outputOffset_, static_cast<size_t>(left));
        if (w < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno != EAGAIN;
        }
        outputOffset_ += w;
        if (outputOffset_ < p.bytes.size()) {
            return false;
        }
        output_.pop_front();
        outputOffset_ = 0;
    }
    return true;
}

int64_t SimulatedDrive::nextDueNs() const {
    int64_t due = output_.empty() ? -1 : output_.front().dueNs;
    if (streaming_ && streamPaced() && output_.size() < kMaxQueuedSamples) {
        due = due < 0 ? streamNextDueNs_ : std::min(due, streamNextDueNs_);
    }
    return due;
}

int64_t SimulatedDrive::byteNs() const {
    return config_.baud > 0 ? 10'000'000'000LL / config_.baud : 0;
}

uint64_t SimulatedDrive::liveIndexLocked() const {
    if (frozenIndex_) {
        return *frozenIndex_;
    }
    const int64_t since = startNs_ > 0 ? nowNs() - startNs_ : 0;
    return static_cast<uint64_t>(since / std::max<int64_t>(1, config_.samplePeriodNs));
}

uint16_t SimulatedDrive::readRamLocked(uint32_t address) const {
    const uint16_t a = static_cast<uint16_t>(address & 0xFFFF);
    if (!signals_.empty()) {
        if (auto w = signals_.word(a, liveIndexLocked(), ram_.data())) {
            return *w;
        }
    }
    return ram_[a];
}

uint16_t SimulatedDrive::sampleWordLocked(uint16_t address, uint64_t n) const {
    if (auto w = signals_.word(address, n, ram_.data())) {
        return *w;
    }
    return ram_[address];
}

void SimulatedDrive::writeEepromWordLocked(uint32_t address, uint16_t value) {
    eeprom_[address & 0xFFFF] = static_cast<uint8_t>(value & 0xFF);
    eeprom_[(address + 1) & 0xFFFF] = static_cast<uint8_t>(value >> 8);
}

// ----- public state -----

void SimulatedDrive::setStation(uint8_t station) {
    Lock lock(mutex_);
    config_.station = station;
}

uint8_t SimulatedDrive::station() const {
    Lock lock(mutex_);
    return config_.station;
}

void SimulatedDrive::setBaud(int baud) {
    Lock lock(mutex_);
    config_.baud = baud;
}

int SimulatedDrive::baud() const {
    Lock lock(mutex_);
    return config_.baud;
}

void SimulatedDrive::setPaceToBaud(bool on) {
    Lock lock(mutex_);
    config_.paceToBaud = on;
}

void SimulatedDrive::setStreamAtSamplePeriod(bool on, int64_t samplePeriodNs) {
    Lock lock(mutex_);
    config_.streamAtSamplePeriod = on;
    if (samplePeriodNs > 0) {
        config_.samplePeriodNs = samplePeriodNs;
    }
}

uint16_t SimulatedDrive::ram(uint32_t address) const {
    Lock lock(mutex_);
    return readRamLocked(address);
}

void SimulatedDrive::setRam(uint32_t address, uint16_t value) {
    Lock lock(mutex_);
    ram_[address & 0xFFFF] = value;
}

uint32_t SimulatedDrive::ram32(uint32_t address) const {
    Lock lock(mutex_);
    return readRamLocked(address) | (static_cast<uint32_t>(readRamLocked(address + 1)) << 16);
}

void SimulatedDrive::setRam32(uint32_t address, uint32_t value) {
    Lock lock(mutex_);
    ram_[address & 0xFFFF] = static_cast<uint16_t>(value & 0xFFFF);
    ram_[(address + 1) & 0xFFFF] = static_cast<uint16_t>(value >> 16);
}

uint8_t SimulatedDrive::eepromByte(uint32_t address) const {
    Lock lock(mutex_);
    return eeprom_[address & 0xFFFF];
}

void SimulatedDrive::setEepromByte(uint32_t address, uint8_t value) {
    Lock lock(mutex_);
    eeprom_[address & 0xFFFF] = value;
}

uint16_t SimulatedDrive::eepromWord(uint32_t address) const {
    Lock lock(mutex_);
    return static_cast<uint16_t>(eeprom_[address & 0xFFFF] |
                                 (eeprom_[(address + 1) & 0xFFFF] << 8));
}

void SimulatedDrive::setEepromWord(uint32_t address, uint16_t value) {
    Lock lock(mutex_);
    writeEepromWordLocked(address, value);
}

uint32_t SimulatedDrive::parameterImage(int image, uint16_t number, bool wide) const {
    static constexpr uint32_t kBase[3] = {0, 0x1400, 0x1800};
    const uint32_t a = kBase[std::clamp(image, 0, 2)] + 2u * number;
    const uint32_t lo = eepromWord(a);
    return wide ? lo | (static_cast<uint32_t>(eepromWord(a + 2)) << 16) : lo;
}

void SimulatedDrive::setParameterDefaults(const QVector<ParameterDefault>& parameters) {
    Lock lock(mutex_);
    for (const ParameterDefault& p : parameters) {
        const uint16_t lo = static_cast<uint16_t>(p.value & 0xFFFF);
        const uint16_t hi = static_cast<uint16_t>(p.value >> 16);
        ram_[p.number] = lo;
        if (p.wide) {
            ram_[static_cast<uint16_t>(p.number + 1)] = hi;
        }
        for (const uint32_t base : {0u, 0x1400u, 0x1800u}) {
            const uint32_t a = base + 2u * p.number;
            writeEepromWordLocked(a, lo);
            if (p.wide) {
                writeEepromWordLocked(a + 2, hi);
            }
        }
    }
}

void SimulatedDrive::setInfoString(uint8_t code, const QString& text) {
    Lock lock(mutex_);
    info_[code] = text;
}

QString SimulatedDrive::infoString(uint8_t code) const {
    Lock lock(mutex_);
    const auto it = info_.find(code);
    return it == info_.end() ? QString() : it->second;
}

void SimulatedDrive::setRawInfoReply(uint8_t code, const QByteArray& reply) {
    Lock lock(mutex_);
    if (reply.isEmpty()) {
        rawInfo_.erase(code);
    } else {
        rawInfo_[code] = reply;
    }
}

void SimulatedDrive::setInfoNumber(const QByteArray& text) {
    Lock lock(mutex_);
    for (int i = 0; i < 30; ++i) {
        eeprom_[static_cast<size_t>(0x500 + i)] =
            i < text.size() ? static_cast<uint8_t>(text.at(i)) : 0xFF;
    }
}

void SimulatedDrive::setSerialNumberBytes(const std::array<uint8_t, 4>& bytes) {
    Lock lock(mutex_);
    for (size_t i = 0; i < 4; ++i) {
        eeprom_[0x520 + i] = bytes[i];
    }
}

void SimulatedDrive::setEncoderParameters(const QMap<uint16_t, uint16_t>& values) {
    Lock lock(mutex_);
    encoderWorking_ = values;
    encoderStored_ = values;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        ram_[it.key()] = it.value();
    }
}

QMap<uint16_t, uint16_t> SimulatedDrive::encoderWorking() const {
    Lock lock(mutex_);
    return encoderWorking_;
}

QMap<uint16_t, uint16_t> SimulatedDrive::encoderStored() const {
    Lock lock(mutex_);
    return encoderStored_;
}

void SimulatedDrive::setAlarmRegisters(uint16_t reg1, uint16_t reg2, uint16_t reg3) {
    Lock lock(mutex_);
    alarmRegs_ = {reg1, reg2, reg3};
}

std::array<uint16_t, 3> SimulatedDrive::alarmRegisters() const {
    Lock lock(mutex_);
    return alarmRegs_;
}

bool SimulatedDrive::setAlarm(int code, bool on) {
    if (code < 1 || code > 96) {
        return false;
    }
    Lock lock(mutex_);
    const uint16_t reg = alarmRegs_[static_cast<size_t>((code - 1) / 32)];
    if (reg == 0xFFFF) {
        return false;
    }
    const int bit = (code - 1) % 32;
    uint32_t v = ram_[reg] | (static_cast<uint32_t>(ram_[static_cast<uint16_t>(reg + 1)]) << 16);
    v = on ? (v | (1u << bit)) : (v & ~(1u << bit));
    ram_[reg] = static_cast<uint16_t>(v & 0xFFFF);
    ram_[static_cast<uint16_t>(reg + 1)] = static_cast<uint16_t>(v >> 16);
    return true;
}

void SimulatedDrive::clearAlarms() {
    Lock lock(mutex_);
    for (const uint16_t reg : alarmRegs_) {
        if (reg != 0xFFFF) {
            ram_[reg] = 0;
            ram_[static_cast<uint16_t>(reg + 1)] = 0;
        }
    }
}

void SimulatedDrive::bindSignal(uint16_t address, const SignalSpec& spec) {
    Lock lock(mutex_);
    signals_.bind(address, spec);
}

void SimulatedDrive::unbindSignal(uint16_t address) {
    Lock lock(mutex_);
    signals_.unbind(address);
}

SignalGenerators SimulatedDrive::signalBindings() const {
    Lock lock(mutex_);
    return signals_;
}

uint16_t SimulatedDrive::sampleWord(uint16_t address, uint64_t n) const {
    Lock lock(mutex_);
    return sampleWordLocked(address, n);
}

uint64_t SimulatedDrive::liveSampleIndex() const {
    Lock lock(mutex_);
    return liveIndexLocked();
}

uint16_t SimulatedDrive::recordWord(const WaveRecord& record, uint32_t i, int k) const {
    Lock lock(mutex_);
    return sampleWordLocked(record.slots[static_cast<size_t>(std::clamp(k, 0, 3))],
                            record.sampleIndex(i));
}

void SimulatedDrive::freezeLiveSampleIndex(std::optional<uint64_t> index) {
    Lock lock(mutex_);
    frozenIndex_ = index;
}

uint64_t SimulatedDrive::nextStreamSampleIndex() const {
    Lock lock(mutex_);
    return nextSampleIndex_;
}

void SimulatedDrive::addFault(const FaultRule& rule) {
    Lock lock(mutex_);
    faults_.add(rule);
}

void SimulatedDrive::clearFaults() {
    Lock lock(mutex_);
    faults_.clear();
    requestsLeft_ = -1;
    streamDropEvery_ = 0;
    streamHaltAfter_ = -1;
}

void SimulatedDrive::clearFaults(FaultKind kind) {
    Lock lock(mutex_);
    faults_.clear(kind);
}

std::vector<FaultRule> SimulatedDrive::faults() const {
    Lock lock(mutex_);
    return faults_.rules();
}

void SimulatedDrive::setStopAfterRequests(int requests) {
    Lock lock(mutex_);
    requestsLeft_ = requests < 0 ? -1 : requests;
}

int SimulatedDrive::requestsLeft() const {
    Lock lock(mutex_);
    return requestsLeft_;
}

void SimulatedDrive::setStreamByteDrop(int everyBytes) {
    Lock lock(mutex_);
    streamDropEvery_ = std::max(0, everyBytes);
}

void SimulatedDrive::setStreamHaltAfter(int samples) {
    Lock lock(mutex_);
    streamHaltAfter_ = samples < 0 ? -1 : samples;
}

int SimulatedDrive::requestCount(int command) const {
    Lock lock(mutex_);
    const auto it = counts_.find(command);
    return it == counts_.end() ? 0 : it->second;
}

int SimulatedDrive::totalRequests() const {
    Lock lock(mutex_);
    return totalRequests_;
}

std::map<int, int> SimulatedDrive::requestCounts() const {
    Lock lock(mutex_);
    return counts_;
}

std::vector<ReceivedFrame> SimulatedDrive::frames() const {
    Lock lock(mutex_);
    return {frames_.begin(), frames_.end()};
}

std::vector<WaveRecord> SimulatedDrive::waveRecords() const {
    Lock lock(mutex_);
    std::vector<WaveRecord> all(records_.begin(), records_.end());
    if (streaming_) {
        all.push_back(stream_);
    }
    return all;
}

bool SimulatedDrive::waitForFrames(size_t count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return frameArrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return frames_.size() >= count; });
}

int64_t SimulatedDrive::ignoredBytes() const {
    Lock lock(mutex_);
    return ignoredBytes_;
}

void SimulatedDrive::clearLog() {
    Lock lock(mutex_);
    counts_.clear();
    totalRequests_ = 0;
    frames_.clear();
    records_.clear();
    ignoredBytes_ = 0;
}

}  // namespace tevra::sim
