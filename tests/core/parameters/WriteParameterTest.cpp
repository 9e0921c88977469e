#include <gtest/gtest.h>

#include "ParameterTestSupport.h"
#include "SimDriveFixture.h"
#include "TestSupport.h"
#include "parameters/DialogReadFailures.h"
#include "parameters/ParameterPage.h"
#include "shell/TipMessages.h"

namespace tevra {
namespace {

using test::Entry;
using test::Request;
using Target = ParameterPage::WriteTarget;

constexpr int kWriteWord = 0x11, kWriteDWord = 0x17;
constexpr int kWriteEeprom = 0x1B;

class WriteParameterTest : public test::SimDriveTest {
  protected:
    void SetUp() override {
        test::SimDriveTest::SetUp();
        io_.X0_4 = 0x80;
        io_.X5_9 = 0x81;
        io_.X10_14 = 0x82;
        io_.Y0_4 = 0x83;
        io_.Y5_9 = 0x84;
    }

    ParameterPage& page(bool administrator) {
        page_ = std::make_unique<ParameterPage>(link(), dialogs_, readFailures_, administrator, io_,
                                                status_);
        page_->SetEntries({
            Entry(0x10, "Int16", "0", -100, 100),
            Entry(0x11, "", "2", 0, 65535),
            Entry(0x20, "Int32", "0", -100000, 100000),
            Entry(0x22, "Uint32", "1", 0, 100000),
            Entry(0x30, "IQ24", "0"),
            Entry(0x31, "Uint16", "1", 0, 65535),
            Entry(0x80, "Uint16", "0", 0, 11111),
        });
        return *page_;
    }

    // Selects the row of a Pr number and writes the text.
    void write(ParameterPage& p, uint16_t pr, const QString& text, Target target) {
        for (int r = 1; r < p.grid().gridRowCount(); ++r) {
            if (p.grid().cell(r, 0) == QString::number(pr, 16).toUpper()) {
                p.SelectRow(r);
            }
        }
        p.setWriteTarget(target);
        p.setNewValueText(text);
        drive().clearLog();
        p.WriteParameter();
    }

    IoDefinition io_;
    RegisterEntry status_;
    test::RecordingDialogs dialogs_;
    DialogReadFailures readFailures_{dialogs_};
    std::unique_ptr<ParameterPage> page_;
};

std::vector<Request> Writes(const sim::SimulatedDrive& drive) {
    std::vector<Request> out;
    for (const Request& r : test::NativeRequests(drive)) {
        if (r.command == kWriteWord || r.command == kWriteDWord || r.command == kWriteEeprom) {
            out.push_back(r);
        }
    }
    return out;
}

std::vector<Request> Eeprom16(uint32_t pr, uint16_t v) {
    return {{kWriteEeprom, 2 * pr, v},
            {kWriteEeprom, 0x1400 + 2 * pr, v},
            {kWriteEeprom, 0x1800 + 2 * pr, v}};
}

std::vector<Request> Eeprom32(uint32_t pr, uint32_t v) {
    const uint32_t lo = v & 0xFFFF, hi = v >> 16;
    return {{kWriteEeprom, 2 * pr, lo},          {kWriteEeprom, 2 * pr + 2, hi},
            {kWriteEeprom, 0x1400 + 2 * pr, lo}, {kWriteEeprom, 0x1402 + 2 * pr, hi},
            {kWriteEeprom, 0x1800 + 2 * pr, lo}, {kWriteEeprom, 0x1802 + 2 * pr, hi}};
}

std::vector<Request> Join(std::vector<Request> a, const std::vector<Request>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(WriteParameterTest, WritesByTypeEffectModeTargetAndLevel) {
    struct Case {
        const char* name;
        uint16_t pr;
        QString text;
        Target target;
        bool administrator;
        std::vector<Request> writes;
        int message;  // TipMessages index, 0 for none
        Target targetAfter;
        QString shown;  // column 2 afterwards
    };
    const QString unknown = QStringLiteral(u"未知");
    const Case cases[] = {
        {"Int16 at once to RAM",
         0x10,
         "-5",
         Target::Ram,
         false,
         {{kWriteWord, 0x10, 0xFFFB}},
         23,
         Target::Ram,
         "   -5"},
        {"Int16 at once to EEPROM", 0x10, "7", Target::Eeprom, false,
         Join({{kWriteWord, 0x10, 7}}, Eeprom16(0x10, 7)), 26, Target::Eeprom, "   7"},
        {"untyped at servo-on to RAM",
         0x11,
         "65535",
         Target::Ram,
         false,
         {{kWriteWord, 0x11, 0xFFFF}},
         23,
         Target::Ram,
         "   -1"},
        {"Int32 at once to EEPROM", 0x20, "-2", Target::Eeprom, false,
         Join({{kWriteDWord, 0x20, 0xFFFFFFFE}}, Eeprom32(0x20, 0xFFFFFFFE)), 26, Target::Eeprom,
         "   -2"},
        {"Int32 at once to RAM",
         0x20,
         "99999",
         Target::Ram,
         false,
         {{kWriteDWord, 0x20, 99999}},
         23,
         Target::Ram,
         "   99999"},
        {"Uint32 at power-up with RAM chosen", 0x22, "70000", Target::Ram, false,
         Eeprom32(0x22, 70000), 28, Target::Eeprom, "   0"},
        {"Uint16 at power-up to EEPROM", 0x31, "9", Target::Eeprom, false, Eeprom16(0x31, 9), 28,
         Target::Eeprom, "   0"},
        {"IQ24 to RAM", 0x30, "1", Target::Ram, false, {}, 22, Target::Ram, unknown},
        {"IQ24 to EEPROM", 0x30, "1", Target::Eeprom, false, {}, 0, Target::Eeprom, unknown},
        {"user above the range", 0x10, "101", Target::Ram, false, {}, 30, Target::Ram, unknown},
        {"user below the range",
         0x10,
         "-101",
         Target::Eeprom,
         false,
         {},
         30,
         Target::Eeprom,
         unknown},
        {"administrator above the range, Yes",
         0x10,
         "101",
         Target::Ram,
         true,
         {{kWriteWord, 0x10, 101}},
         23,
         Target::Ram,
         "   101"},
        {"not a number",
         0x10,
         QStringLiteral(u"未知"),
         Target::Ram,
         false,
         {},
         36,
         Target::Ram,
         unknown},
        {"a minus sign alone", 0x10, "-", Target::Ram, true, {}, 36, Target::Ram, unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParameterPage& p = page(c.administrator);
        dialogs_.entries.clear();
        write(p, c.pr, c.text, c.target);
        EXPECT_EQ(Writes(drive()), c.writes);
        EXPECT_EQ(p.writeTarget(), c.targetAfter);
        EXPECT_EQ(p.grid().cell(p.selectedRow(), 2), c.shown);
        const auto& e = dialogs_.entries;
        if (c.message == 0) {
            EXPECT_TRUE(e.empty());
            continue;
        }
        // The administrator's range question comes first.
        ASSERT_FALSE(e.empty());
        EXPECT_EQ(e.back().text, TipMessages()[c.message]);
        const bool failure =
            c.message == 22 || c.message == 27 || c.message == 30 || c.message == 36;
        EXPECT_EQ(e.back().caption, failure ? caption::error() : caption::information());
        EXPECT_EQ(e.back().icon, failure ? MessageIcon::Error : MessageIcon::Information);
        if (c.administrator && c.text == "101") {
            ASSERT_EQ(e.size(), 2u);
            EXPECT_TRUE(e[0].question);
            EXPECT_EQ(e[0].text, TipMessages()[29]);
            EXPECT_EQ(e[0].caption, caption::information());
        }
    }
}

TEST_F(WriteParameterTest, AdministratorAnsweringNoWritesNothing) {
    ParameterPage& p = page(true);
    dialogs_.answers = {false};
    write(p, 0x10, "500", Target::Eeprom);
    EXPECT_TRUE(test::NativeRequests(drive()).empty());
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_TRUE(dialogs_.entries[0].question);
}

TEST_F(WriteParameterTest, DisconnectedWriteShowsMessageTwoWithItsCaption) {
    ParameterPage& p = page(false);
    link().setConnected(false);
    write(p, 0x10, "5", Target::Ram);
    EXPECT_TRUE(test::NativeRequests(drive()).empty());
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    EXPECT_EQ(dialogs_.entries[0].text, TipMessages()[2]);
    EXPECT_EQ(dialogs_.entries[0].caption, QStringLiteral(u" 错误"));
    EXPECT_EQ(dialogs_.entries[0].icon, MessageIcon::Error);
}

TEST_F(WriteParameterTest, EepromSequenceStopsAtTheFirstFailedWord) {
    ParameterPage& p = page(false);
    // The RAM write and the first EEPROM word are answered, then the drive falls silent.
    drive().setStopAfterRequests(2);
    write(p, 0x10, "7", Target::Eeprom);
    const std::vector<Request> eeprom = test::RequestsOf(drive(), kWriteEeprom);
    ASSERT_EQ(eeprom.size(), 2u);
    EXPECT_EQ(eeprom[1].address, 0x1420u);
    // The failing read-back reports itself, then the EEPROM failure.
    ASSERT_EQ(dialogs_.entries.size(), 2u);
    EXPECT_EQ(dialogs_.entries[0].text, QStringLiteral(u"读取参数失败，参数号: 10"));
    EXPECT_EQ(dialogs_.entries[1].text, TipMessages()[27]);
    EXPECT_EQ(dialogs_.entries[1].caption, caption::error());
}

TEST_F(WriteParameterTest, FailedRamWriteIsNotReportedAsWrittenToRam) {
    ParameterPage& p = page(false);
    drive().addFault({sim::FaultKind::NoReply, kWriteWord, 1, 0});
    write(p, 0x10, "7", Target::Eeprom);
    EXPECT_EQ(test::RequestsOf(drive(), kWriteEeprom).size(), 3u);
    ASSERT_EQ(dialogs_.entries.size(), 1u);
    // The value is in EEPROM only: it takes effect at the next power-up.
    EXPECT_EQ(dialogs_.entries[0].text, TipMessages()[28]);
    EXPECT_EQ(drive().parameterImage(2, 0x10), 7u);
}

TEST_F(WriteParameterTest, WritingAnInversionGroupParameterRequestsTheBoxesAgain) {
    ParameterPage& p = page(false);
    write(p, 0x10, "1", Target::Ram);
    EXPECT_FALSE(p.io().InversionReloadPending);
    write(p, 0x80, "10110", Target::Ram);
    EXPECT_TRUE(p.io().InversionReloadPending);
    // Another parameter written before the reload ran does not cancel it: the boxes must be
    // read from the drive before any box click writes them back.
    write(p, 0x10, "2", Target::Ram);
    EXPECT_TRUE(p.io().InversionReloadPending);
}

}  // namespace
}  // namespace tevra
