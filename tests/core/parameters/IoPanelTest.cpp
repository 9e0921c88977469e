#include <gtest/gtest.h>

#include "ParameterTestSupport.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "parameters/DialogReadFailures.h"
#include "parameters/ParameterPage.h"

namespace tevra {
namespace {

using test::Request;

constexpr int kReadWord = 0x10, kWriteWord = 0x11;
constexpr uint16_t kXReg = 0x6FC0, kYReg = 0x6FC2, kOutStus = 0x6FC3;

class IoPanelTest : public test::SimDriveTest {
  protected:
    void SetUp() override {
        test::SimDriveTest::SetUp();
        io_.X0_4 = 0x80;
        io_.X5_9 = 0x81;
        io_.X10_14 = 0x82;
        io_.Y0_4 = 0x83;
        io_.Y5_9 = 0x84;
        io_.XRegNumber = kXReg;
        io_.YRegNumber = kYReg;
        status_.Number = kOutStus;
        page_ =
            std::make_unique<ParameterPage>(link(), dialogs_, readFailures_, false, io_, status_);
        ParameterList entries;
        for (uint16_t pr : {0x10, 0x80, 0x81, 0x82, 0x83, 0x84}) {
            entries.append(test::Entry(pr, "Uint16", "0", 0, 11111));
        }
        page_->SetEntries(entries);
        drive().clearLog();
    }
    IoPanel& io() { return page_->io(); }

    IoDefinition io_;
    RegisterEntry status_;
    test::RecordingDialogs dialogs_;
    DialogReadFailures readFailures_{dialogs_};
    std::unique_ptr<ParameterPage> page_;
};

TEST_F(IoPanelTest, LampsFollowTheStatusWords) {
    drive().setRam(kXReg, 0x8101);  // X0, X8, X15
    drive().setRam(kYReg, 0x0076);  // Y1, Y2 (bits 4..6 are not shown)
    drive().setRam(IoPanel::kPulseDirectionRegister, 0x0200);
    drive().setRam(kOutStus, 0x0800);
    link().LinkFailureCount = 5;
    io().UpdateIoLamps();
    io().UpdatePulseDirectionLamps();
    io().UpdateServoOnLamp();
    for (int i = 0; i < IoPanel::kInputs; ++i) {
        EXPECT_EQ(io().inputLamp(i),
                  i == 0 || i == 8 || i == 15 ? LampColour::Lime : LampColour::Idle)
            << i;
    }
    const LampColour y[] = {LampColour::Grey, LampColour::Fuchsia, LampColour::Fuchsia,
                            LampColour::Grey, LampColour::Idle,    LampColour::Idle,
                            LampColour::Idle};
    for (int i = 0; i < IoPanel::kOutputs; ++i) {
        EXPECT_EQ(io().outputLamp(i), y[i]) << i;
    }
    EXPECT_EQ(io().pulseLamp(), LampColour::Grey);
    EXPECT_EQ(io().directionLamp(), LampColour::Lime);
    EXPECT_EQ(io().servoOnLamp(), LampColour::Lime);
    EXPECT_EQ(link().LinkFailureCount, 0);
}

TEST_F(IoPanelTest, FailedReadsLeaveLampsAndCountTheStatusRead) {
    drive().setRam(kXReg, 0xFFFF);
    drive().setRam(kYReg, 0x000F);
    io().UpdateIoLamps();
    drive().setRam(kXReg, 0);
    drive().setRam(kYReg, 0);
    // The X word's read fails, the Y word's succeeds.
    drive().addFault({sim::FaultKind::NoReply, kReadWord, 1, 0});
    io().UpdateIoLamps();
    EXPECT_EQ(io().inputLamp(3), LampColour::Lime);
    EXPECT_EQ(io().outputLamp(3), LampColour::Grey);

    drive().setRam(kOutStus, 0x0800);
    io().UpdateServoOnLamp();
    link().LinkFailureCount = 2;
    drive().addFault({sim::FaultKind::NoReply, kReadWord, 1, 0});
    io().UpdateServoOnLamp();
    EXPECT_EQ(link().LinkFailureCount, 3);
    EXPECT_EQ(io().servoOnLamp(), LampColour::Lime);

    io().setLampsIdle();
    EXPECT_EQ(io().inputLamp(3), LampColour::Idle);
    EXPECT_EQ(io().outputLamp(0), LampColour::Idle);
}

TEST_F(IoPanelTest, InversionDigitsLoadTheBoxes) {
    drive().setRam(0x80, 10110);
    drive().setRam(0x81, 1);
    drive().setRam(0x82, 11111);
    drive().setRam(0x83, 11111);
    drive().setRam(0x84, 11);
    io().LoadInversionBoxes();
    const bool expected[] = {false, true,  true,  false, true,  // 10110
                             true,  false, false, false, false, true, true, true, true, true,
                             false,                              // X15: no group
                             true,  true,  true,  true,  false,  // Y4 is not loaded
                             false, false};                      // group 5 is not loaded
    for (int box = 0; box < IoPanel::kBoxes; ++box) {
        EXPECT_EQ(io().boxChecked(box), expected[box]) << box;
    }
    EXPECT_EQ(io().GroupValue(1), 10110);
    EXPECT_EQ(io().GroupValue(4), 1111);
}

TEST_F(IoPanelTest, HotKeyOutsideACaptureTogglesAndWritesAllGroups) {
    std::atomic<uint32_t> requests{0x5};
    // Ctrl+2: Y2ChK.
    EXPECT_TRUE(io().HandleHotKey(2, false, false, true, false, &requests));
    EXPECT_EQ(requests.load(), 0u);
    EXPECT_TRUE(io().boxChecked(IoPanel::YBox(2)));
    const std::vector<Request> expected = {{kWriteWord, 0x80, 0},
                                           {kWriteWord, 0x81, 0},
                                           {kWriteWord, 0x82, 0},
                                           {kWriteWord, 0x83, 100},
                                           {kWriteWord, 0x84, 0}};
    EXPECT_EQ(test::NativeRequests(drive()), expected);
    EXPECT_FALSE(io().InversionWritePending);
    // The cells of the touched group are re-read on the next service tick.
    EXPECT_TRUE(io().InversionGroupDirty[3]);

    // Alt+Shift+1 toggles X1ChK and X11ChK.
    io().HandleHotKey(1, true, true, false, false, &requests);
    EXPECT_TRUE(io().boxChecked(1));
    EXPECT_TRUE(io().boxChecked(11));
    // Ctrl+7 and Shift+6 are not inversion keys.
    EXPECT_FALSE(io().HandleHotKey(7, false, false, true, false, &requests));
    EXPECT_FALSE(io().HandleHotKey(6, false, true, false, false, &requests));
}

TEST_F(IoPanelTest, HotKeyDuringACaptureOnlyRecordsTheRequest) {
    std::atomic<uint32_t> requests{0};
    EXPECT_TRUE(io().HandleHotKey(3, true, false, false, true, &requests));
    EXPECT_EQ(requests.load(), 1u << 3);
    // A newer key replaces the requests not yet taken.
    io().HandleHotKey(4, false, true, true, true, &requests);
    EXPECT_EQ(requests.load(), (1u << 14) | (1u << 20));
    EXPECT_TRUE(test::NativeRequests(drive()).empty());
    EXPECT_FALSE(io().boxChecked(3));

    // The capture hands them back between records: toggle and write the box's group.
    io().ApplyCaptureRequests(requests.exchange(0));
    EXPECT_TRUE(io().boxChecked(14));
    EXPECT_TRUE(io().boxChecked(IoPanel::YBox(4)));
    const std::vector<Request> expected = {{kWriteWord, 0x82, 10000}, {kWriteWord, 0x83, 10000}};
    EXPECT_EQ(test::NativeRequests(drive()), expected);
}

TEST_F(IoPanelTest, ServiceRunsItsStepsInOrder) {
    drive().setRam(0x81, 1);
    io().clickBox(5);  // connected: a write and a cell refresh become pending
    io().InversionReloadPending = true;
    page_->RunIoService();
    const std::vector<Request> expected = {
        {kReadWord, kXReg, 0},
        {kReadWord, kYReg, 0},
        {kWriteWord, 0x80, 0},
        {kWriteWord, 0x81, 0},
        {kWriteWord, 0x82, 0},
        {kWriteWord, 0x83, 0},
        {kWriteWord, 0x84, 0},
        {kReadWord, 0x81, 0},
        {kReadWord, 0x80, 0},
        {kReadWord, 0x81, 0},
        {kReadWord, 0x82, 0},
        {kReadWord, 0x83, 0},
        {kReadWord, IoPanel::kPulseDirectionRegister, 0},
        {kReadWord, kOutStus, 0},
    };
    // X5ChK was clicked on, so the write of group 2 carries its units digit.
    std::vector<Request> got = test::NativeRequests(drive());
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].command, expected[i].command) << i;
        EXPECT_EQ(got[i].address, expected[i].address) << i;
    }
    EXPECT_EQ(got[3].value, 1u);
    EXPECT_EQ(page_->grid().cell(3, 2), QStringLiteral("   1"));
    EXPECT_FALSE(io().anyGroupDirty());
    EXPECT_FALSE(io().InversionReloadPending);
}

TEST_F(IoPanelTest, ClicksWhileDisconnectedOnlyToggle) {
    link().setConnected(false);
    io().clickBox(2);
    io().clickBox(15);
    EXPECT_TRUE(io().boxChecked(2));
    EXPECT_FALSE(io().InversionWritePending);
    EXPECT_FALSE(io().anyGroupDirty());
    link().setConnected(true);
    io().clickBox(15);  // X15 belongs to no group
    EXPECT_FALSE(io().InversionWritePending);
}

}  // namespace
}  // namespace tevra
