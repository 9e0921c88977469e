#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "DriveFaults.h"
#include "RequestFramer.h"
#include "SignalGenerators.h"

namespace tevra::sim {

// A parameter as the drive keeps it: RAM at its number (and the number + 1 for the high
// word of a 32-bit parameter) and three EEPROM images at 2*P, 0x1400 + 2*P, 0x1800 + 2*P
// (the high word of a 32-bit parameter at the next word of each image).
struct ParameterDefault {
    uint16_t number = 0;
    uint32_t value = 0;
    bool wide = false;
};

// A request frame the drive received (checksum valid), in arrival order.
struct ReceivedFrame {
    QByteArray bytes;
    bool modbus = false;
    bool forThisStation = false;
    // The command byte (native) or kModbusRead.
    int command() const;
};

// One wave-start frame the drive acted on and the stream it sent for it.
struct WaveRecord {
    uint8_t command = 0;  // 0x18 or 0x19
    uint8_t mode = 0;     // 0x20, 0x21 or 0x22
    uint16_t sampleCount = 0;
    std::array<uint16_t, 4> slots{};  // as received; the 0x19 frame fills two
    int wordsPerSample = 0;           // 1, 2 or 4
    uint64_t firstSampleIndex = 0;    // sample index of the record's first sample
    // Time between two streamed samples when the stream is paced (to the line or to the
    // sample period); 0 when it goes as fast as the line allows. Each streamed sample is
    // the next sample of the drive: sample i of the record has index firstSampleIndex + i.
    int64_t sampleStepNs = 0;
    uint32_t samplesSent = 0;
    bool aborted = false;  // a new request ended the stream early

    // The sample index of the record's sample i (sampleWord gives its words).
    uint64_t sampleIndex(uint32_t i) const { return firstSampleIndex + i; }
};

struct SimulatedDriveConfig {
    uint8_t station = 1;
    int baud = 115200;
    // Send no faster than the line would carry (baud / 10 bytes per second), and take
    // requests as arriving after their own wire time.
    bool paceToBaud = false;
    // Time base of the generated signals, and the stream's sample period when
    // streamAtSamplePeriod is set (else the stream goes as fast as the line allows).
    int64_t samplePeriodNs = 62'500;
    bool streamAtSamplePeriod = false;
    // A symbolic link to the pseudo-terminal's device (replaced if it is a link already).
    QString linkPath;
};

// A servo drive on the far side of a pseudo-terminal. It answers the native frames and
// Modbus function 3 for its station, while the client's side of the line is set to its
// baud rate; it keeps 64 K words of RAM and a 64 KB EEPROM with three parameter images,
// the identity strings and words, encoder parameters, alarm status registers, and streams
// generated signals after a wave-start frame. Faults can be injected at any time.
// Every public member is safe to call from any thread while the drive runs.
//
// Control codes: 0x50 loads the encoder's parameters into RAM, 0x51 stores the RAM values
// of the encoder parameters into the encoder (all but the read-only version, Pr 0x1A0),
// 0x52 makes the encoder keep them (its own non-volatile copy). Other control codes are
// not understood and get no answer.
class SimulatedDrive {
  public:
    static constexpr int kRamWords = 0x10000;
    static constexpr int kEepromBytes = 0x10000;
    static constexpr uint16_t kBusyValue = 0x789A;
    static constexpr uint16_t kEncoderVersionPr = 0x1A0;

    explicit SimulatedDrive(SimulatedDriveConfig config = {});
    ~SimulatedDrive();
    SimulatedDrive(const SimulatedDrive&) = delete;
    SimulatedDrive& operator=(const SimulatedDrive&) = delete;

    // Creates the pseudo-terminal (and the link) and starts answering.
    bool start(QString* error = nullptr);
    void stop();
    bool running() const { return thread_.joinable(); }
    // The device a client opens: the link when one was asked for, else the terminal.
    QString devicePath() const;
    QString terminalPath() const { return terminalPath_; }

    // Line and identity of the drive.
    void setStation(uint8_t station);
    uint8_t station() const;
    void setBaud(int baud);
    int baud() const;
    void setPaceToBaud(bool on);
    void setStreamAtSamplePeriod(bool on, int64_t samplePeriodNs = 0);

    // RAM. 24-bit addresses wrap at 64 K words. A register bound to a signal reads as the
    // signal at the live sample index (see liveSampleIndex).
    uint16_t ram(uint32_t address) const;
    void setRam(uint32_t address, uint16_t value);
    uint32_t ram32(uint32_t address) const;
    void setRam32(uint32_t address, uint32_t value);
    // EEPROM, byte addressed; a word is the byte at the address and the next (low first).
    uint8_t eepromByte(uint32_t address) const;
    void setEepromByte(uint32_t address, uint8_t value);
    uint16_t eepromWord(uint32_t address) const;
    void setEepromWord(uint32_t address, uint16_t value);
    // A parameter's value in image 0, 1 or 2 (16 or 32 bits).
    uint32_t parameterImage(int image, uint16_t number, bool wide = false) const;

    // Writes the defaults into RAM and all three EEPROM images.
    void setParameterDefaults(const QVector<ParameterDefault>& parameters);

    // Information strings, codes 3..7 (any code may be set); sent as GBK bytes.
    void setInfoString(uint8_t code, const QString& text);
    QString infoString(uint8_t code) const;
    // Replaces the whole text reply of a code by these bytes (empty: back to the string).
    void setRawInfoReply(uint8_t code, const QByteArray& reply);
    // The identity in EEPROM: up to 30 bytes at 0x500 (the rest filled with 0xFF), and the
    // serial number bytes at 0x520..0x523.
    void setInfoNumber(const QByteArray& text);
    void setSerialNumberBytes(const std::array<uint8_t, 4>& bytes);

    // Encoder parameters: number -> value, in the encoder's working and kept copies.
    void setEncoderParameters(const QMap<uint16_t, uint16_t>& values);
    QMap<uint16_t, uint16_t> encoderWorking() const;
    QMap<uint16_t, uint16_t> encoderStored() const;

    // Alarm status registers (RAM double words); alarm code c (1..96) is bit (c-1) % 32 of
    // register (c-1) / 32.
    void setAlarmRegisters(uint16_t reg1, uint16_t reg2, uint16_t reg3);
    std::array<uint16_t, 3> alarmRegisters() const;
    bool setAlarm(int code, bool on);
    void clearAlarms();

    // Generated signals.
    void bindSignal(uint16_t address, const SignalSpec& spec);
    void unbindSignal(uint16_t address);
    SignalGenerators signalBindings() const;
    // The word the stream sends for `address` at sample n: the signal bound there, else
    // the RAM word.
    uint16_t sampleWord(uint16_t address, uint64_t n) const;
    // The sample index RAM reads of bound registers use: the time since start in sample
    // periods, or the frozen index.
    uint64_t liveSampleIndex() const;
    void freezeLiveSampleIndex(std::optional<uint64_t> index);
    // The index the next unpaced record starts at: unpaced streams continue from record to
    // record; paced ones start at the live index, as a real drive samples in real time.
    uint64_t nextStreamSampleIndex() const;
    // The word k of sample i of a record, as the drive sent it (before any byte loss).
    uint16_t recordWord(const WaveRecord& record, uint32_t i, int k) const;

    // Faults.
    void addFault(const FaultRule& rule);
    void clearFaults();
    void clearFaults(FaultKind kind);
    std::vector<FaultRule> faults() const;
    // After this many further requests the drive answers nothing (negative: never).
    void setStopAfterRequests(int requests);
    // Requests still answered before the drive falls silent (negative: no limit).
    int requestsLeft() const;
    // Stream faults: drop one byte out of every `everyBytes` sent (0: none); send only the
    // first `samples` samples of each record, then fall silent (negative: all).
    void setStreamByteDrop(int everyBytes);
    void setStreamHaltAfter(int samples);

    // What the drive saw.
    int requestCount(int command) const;
    int totalRequests() const;
    std::map<int, int> requestCounts() const;
    std::vector<ReceivedFrame> frames() const;
    std::vector<WaveRecord> waveRecords() const;
    // Bytes that arrived while the line was set to another baud rate.
    int64_t ignoredBytes() const;
    void clearLog();
    // Waits until the log holds at least `count` frames (requests that expect no reply,
    // such as wave-start frames, return before the drive has read them).
    bool waitForFrames(size_t count, int timeoutMs = 2000) const;

  private:
    struct Pending {
        QByteArray bytes;
        int64_t dueNs = 0;
        bool stream = false;
    };

    void run();
    // The worker's steps; all run with the mutex held.
    void onInput(const uint8_t* data, int count, int64_t nowNs);
    void handleFrame(const QByteArray& bytes, bool modbus, int64_t arrivalNs);
    QByteArray answerNative(const uint8_t* f, int length, const ReplyFaults& faults);
    QByteArray answerModbus(const uint8_t* f, const ReplyFaults& faults);
    void answerControl(uint8_t code);
    void startWave(const uint8_t* f, int length, int64_t arrivalNs);
    void queueReply(const QByteArray& reply, int requestLength, int64_t arrivalNs, int delayMs);
    void queueStream(int64_t nowNs);
    void appendSample(QByteArray& out);
    bool streamHalted() const;
    void endStream(bool aborted);
    void dropStreamOutput();
    // Writes what is due; returns false when the terminal is full.
    bool flushOutput(int64_t nowNs);
    // The time the next output is due, or -1 when none is waiting.
    int64_t nextDueNs() const;
    int64_t byteNs() const;
    uint16_t readRamLocked(uint32_t address) const;
    uint16_t sampleWordLocked(uint16_t address, uint64_t n) const;
    uint64_t liveIndexLocked() const;
    bool streamPaced() const { return config_.paceToBaud || config_.streamAtSamplePeriod; }
    void writeEepromWordLocked(uint32_t address, uint16_t value);
    void initialiseMemory();

    mutable std::mutex mutex_;
    mutable std::condition_variable frameArrived_;
    SimulatedDriveConfig config_;
    std::vector<uint16_t> ram_;
    std::vector<uint8_t> eeprom_;
    std::map<uint8_t, QString> info_;
    std::map<uint8_t, QByteArray> rawInfo_;
    QMap<uint16_t, uint16_t> encoderWorking_;
    QMap<uint16_t, uint16_t> encoderStored_;
    std::array<uint16_t, 3> alarmRegs_{};
    SignalGenerators signals_;
    std::optional<uint64_t> frozenIndex_;
    DriveFaults faults_;
    int requestsLeft_ = -1;
    int streamDropEvery_ = 0;
    int streamHaltAfter_ = -1;
    std::map<int, int> counts_;
    int totalRequests_ = 0;
    std::deque<ReceivedFrame> frames_;
    std::deque<WaveRecord> records_;
    int64_t ignoredBytes_ = 0;
    uint64_t nextSampleIndex_ = 0;

    // Worker state, under the mutex.
    bool streaming_ = false;
    WaveRecord stream_;
    int64_t streamNextDueNs_ = 0;
    int64_t streamBytesSent_ = 0;
    int64_t lineFreeNs_ = 0;
    std::deque<Pending> output_;
    qsizetype outputOffset_ = 0;  // bytes of output_.front() already written
    RequestFramer framer_;

    int64_t startNs_ = 0;
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    QString terminalPath_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace tevra::sim
