// The sample stream the drive sends after a wave-start frame, read through the port.

#include <gtest/gtest.h>

#include <vector>

#include "SimDriveFixture.h"

namespace tevra {
namespace {

using sim::SignalKind;
using sim::SignalSpec;

class WaveStream : public test::SimDriveTest {
  protected:
    void SetUp() override {
        test::SimDriveTest::SetUp();
        drive().bindSignal(0x100,
                           {.kind = SignalKind::Sine, .amplitude = 3000, .periodSamples = 50});
        drive().bindSignal(0x102,
                           {.kind = SignalKind::Ramp, .amplitude = 20000, .periodSamples = 64});
        drive().bindSignal(0x104, {.kind = SignalKind::SpeedProfile,
                                   .amplitude = 300000,
                                   .periodSamples = 160,
                                   .wide = true});
        drive().setRam(0x200, 0x7E7E);
    }

    // Reads `count` samples of `words` words each; returns the words, or fewer on a gap.
    std::vector<uint16_t> readSamples(int count, int words) {
        std::vector<uint16_t> out;
        std::vector<uint8_t> buf(static_cast<size_t>(2 * words));
        for (int i = 0; i < count; ++i) {
            if (link().port().read(buf.data(), 2 * words) != 2 * words) {
                break;
            }
            for (int k = 0; k < words; ++k) {
                out.push_back(static_cast<uint16_t>(buf[2 * k] | (buf[2 * k + 1] << 8)));
            }
        }
        return out;
    }
};

TEST_F(WaveStream, SamplesCarryTheRequestedWordsInSlotOrder) {
    struct Case {
        bool quad;
        uint8_t mode;
        std::array<uint16_t, 4> slots;
        int words;
    };
    const Case cases[] = {
        {false, 0x20, {0x100, 0x999, 0, 0}, 1},
        {false, 0x21, {0x102, 0x100, 0, 0}, 2},
        // A 32-bit signal in two slots, a 16-bit one, and a plain RAM word.
        {true, 0x22, {0x104, 0x105, 0x100, 0x200}, 4},
    };
    for (const Case& c : cases) {
        const uint64_t first = drive().nextStreamSampleIndex();
        const int n = 300;
        const bool sent =
            c.quad ? link().protocol().WaveStartQuad(link().port(), 1, c.slots, n, c.mode)
                   : link().protocol().WaveStartDual(link().port(), 1, c.slots, n, c.mode);
        ASSERT_TRUE(sent);
        const std::vector<uint16_t> words = readSamples(n, c.words);
        ASSERT_EQ(words.size(), static_cast<size_t>(n * c.words));
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < c.words; ++k) {
                ASSERT_EQ(words[static_cast<size_t>(i * c.words + k)],
                          drive().sampleWord(c.slots[static_cast<size_t>(k)], first + i))
                    << "sample " << i << " word " << k;
            }
        }
        const auto records = drive().waveRecords();
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.back().samplesSent, static_cast<uint32_t>(n));
        EXPECT_EQ(records.back().firstSampleIndex, first);
        EXPECT_FALSE(records.back().aborted);
    }
    // Both halves of the 32-bit signal come from the same value.
    const sim::SignalGenerators bindings = drive().signalBindings();
    const SignalSpec* wide = bindings.find(0x104);
    ASSERT_NE(wide, nullptr);
    const uint32_t v = static_cast<uint32_t>(wide->value(77));
    EXPECT_EQ(drive().sampleWord(0x104, 77), v & 0xFFFF);
    EXPECT_EQ(drive().sampleWord(0x105, 77), v >> 16);
}

TEST_F(WaveStream, HaltAndLostBytes) {
    drive().setStreamHaltAfter(10);
    ASSERT_TRUE(link().protocol().WaveStartDual(link().port(), 1, {0x100, 0x102, 0, 0}, 50, 0x21));
    EXPECT_EQ(readSamples(50, 2).size(), 20u) << "ten samples, then silence";

    drive().setStreamHaltAfter(-1);
    drive().setStreamByteDrop(7);
    ASSERT_TRUE(link().protocol().WaveStartDual(link().port(), 1, {0x100, 0x102, 0, 0}, 70, 0x21));
    uint8_t buf[512] = {};
    const int got = link().port().read(buf, 280);
    EXPECT_EQ(got, 240) << "one byte of every seven is lost";
}

TEST_F(WaveStream, ANewRequestEndsTheStream) {
    ASSERT_TRUE(link().protocol().WaveStartDual(link().port(), 1, {0x200, 0, 0, 0}, 60000, 0x20));
    uint8_t buf[2] = {};
    ASSERT_EQ(link().port().read(buf, 2), 2);
    uint16_t v = 0;
    drive().setRam(0x300, 0x4321);
    ASSERT_TRUE(link().ReadWord(0x300, v));
    EXPECT_EQ(v, 0x4321);
    const auto records = drive().waveRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].aborted);
}

}  // namespace
}  // namespace tevra
