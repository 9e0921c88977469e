#include "scope/SampleStreamReader.h"

#include <algorithm>
#include <cstring>

#include "link/SerialPort.h"

namespace tevra {

SampleStreamReader::SampleStreamReader() : buffer_(std::make_unique<uint8_t[]>(kCapacity)) {}

void SampleStreamReader::beginRecord(SerialPort& port, int bytesPerSample, int samples) {
    port_ = &port;
    waiting_ = port.timeouts();
    immediate_ = waiting_;
    immediate_.readInterval = 0;
    immediate_.readTotalMultiplier = 0;
    immediate_.readTotalConstant = 0;
    bytesPerSample_ = std::clamp(bytesPerSample, 1, 8);
    samplesLeft_ = samples;
    begin_ = 0;
    end_ = 0;
}

const uint8_t* SampleStreamReader::readSample() {
    const int need = bytesPerSample_;
    if (samplesLeft_ > 0) {
        --samplesLeft_;
    }
    if (end_ - begin_ >= need) {
        const uint8_t* sample = buffer_.get() + begin_;
        begin_ += need;
        return sample;
    }
    int have = end_ - begin_;
    if (have > 0 && begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, size_t(have));
    }
    begin_ = 0;
    end_ = have;

    // Whatever the record still has waiting at the port.
    int64_t recordBytes = int64_t(samplesLeft_ + 1) * need;
    int room = int(std::min<int64_t>(kCapacity, recordBytes)) - end_;
    if (room > need - have && port_->setTimeouts(immediate_)) {
        int got = port_->read(buffer_.get() + end_, room);
        port_->setTimeouts(waiting_);
        end_ += std::max(got, 0);
    }
    if (end_ < need) {
        int got = port_->read(buffer_.get() + end_, need - end_);
        end_ += std::max(got, 0);
    }
    if (end_ < need) {
        // The partial sample is gone from the port: drop it, as a short read does.
        begin_ = end_ = 0;
        return nullptr;
    }
    begin_ = need;
    return buffer_.get();
}

}  // namespace tevra
