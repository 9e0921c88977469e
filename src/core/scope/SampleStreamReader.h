#pragma once

#include <cstdint>
#include <memory>

#include "link/SerialPort.h"

namespace tevra {

// Reads the raw sample stream of one record, sample by sample, with the semantics of one
// port read of exactly bytesPerSample bytes per sample: a sample whose bytes do not all
// arrive within the port's time-outs fails, and the bytes that did arrive are dropped.
//
// What has already arrived is taken in one read of up to kCapacity bytes (a read with zero
// read time-outs returns at once with the bytes waiting), so a fast stream costs one system
// call per many samples; only a sample that is not there yet waits, with the port's own
// time-outs. Never reads past the bytes of the record. The buffer is allocated once.
class SampleStreamReader {
  public:
    static constexpr int kCapacity = 64 * 1024;

    SampleStreamReader();

    void beginRecord(SerialPort& port, int bytesPerSample, int samples);
    // The next sample's bytes, valid until the next call; nullptr when the read failed.
    const uint8_t* readSample();

  private:
    SerialPort* port_ = nullptr;
    SerialTimeouts waiting_;    // the port's time-outs
    SerialTimeouts immediate_;  // the same with zero read time-outs
    int bytesPerSample_ = 0;
    int samplesLeft_ = 0;  // samples of the record not yet handed out (this one included)
    std::unique_ptr<uint8_t[]> buffer_;
    int begin_ = 0;
    int end_ = 0;
};

}  // namespace tevra
