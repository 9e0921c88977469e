#include "parameters/IoPanel.h"

#include "link/DriveLink.h"
#include "parameters/ParameterGridModel.h"
#include "parameters/ParameterValues.h"

namespace tevra {
namespace {

// First box and size of each group.
struct GroupBoxes {
    int first;
    int count;
};
constexpr std::array<GroupBoxes, IoPanel::kGroups> kGroupBoxes = {{
    {0, 5},
    {5, 5},
    {10, 5},
    {IoPanel::kInputs, 5},
    {IoPanel::kInputs + 5, 2},
}};

constexpr uint32_t kUndefinedRegister = 0xFFFF;

}  // namespace

IoPanel::IoPanel(DriveLink& link, const IoDefinition& io, const RegisterEntry& outputStatus,
                 QObject* parent)
    : QObject(parent), link_(link), io_(io), outputStatus_(outputStatus) {
    lamps_.fill(LampColour::Idle);
}

int IoPanel::GroupOfBox(int box) {
    for (int g = 0; g < kGroups; ++g) {
        const GroupBoxes& b = kGroupBoxes[static_cast<size_t>(g)];
        if (box >= b.first && box < b.first + b.count) {
            return g + 1;
        }
    }
    return 0;
}

uint16_t IoPanel::GroupParameter(int group) const {
    switch (group) {
        case 1:
            return io_.X0_4;
        case 2:
            return io_.X5_9;
        case 3:
            return io_.X10_14;
        case 4:
            return io_.Y0_4;
        case 5:
            return io_.Y5_9;
        default:
            return 0;
    }
}

uint16_t IoPanel::GroupValue(int group) const {
    if (group < 1 || group > kGroups) {
        return 0;
    }
    const GroupBoxes& b = kGroupBoxes[static_cast<size_t>(group - 1)];
    uint16_t value = 0;
    uint16_t weight = 1;
    for (int i = 0; i < b.count; ++i) {
        if (boxes_[static_cast<size_t>(b.first + i)]) {
            value = static_cast<uint16_t>(value + weight);
        }
        weight = static_cast<uint16_t>(weight * 10);
    }
    return value;
}

void IoPanel::boxClicked(int box) {
    const int group = GroupOfBox(box);
    if (group == 0 || !link_.isConnected()) {
        return;
    }
    InversionWritePending = true;
    InversionGroupDirty[static_cast<size_t>(group - 1)] = true;
}

void IoPanel::clickBox(int box) {
    if (box < 0 || box >= kBoxes) {
        return;
    }
    boxes_[static_cast<size_t>(box)] = !boxes_[static_cast<size_t>(box)];
    boxClicked(box);
    Q_EMIT boxesChanged();
}

void IoPanel::setBoxChecked(int box, bool checked) {
    if (box < 0 || box >= kBoxes || boxes_[static_cast<size_t>(box)] == checked) {
        return;
    }
    boxes_[static_cast<size_t>(box)] = checked;
    boxClicked(box);
    Q_EMIT boxesChanged();
}

void IoPanel::setLampsIdle() {
    lamps_.fill(LampColour::Idle);
    Q_EMIT lampsChanged();
}

void IoPanel::UpdateIoLamps() {
    bool changed = false;
    uint16_t word = 0;
    // A state register the register list does not name (0xFFFF) is not read: whatever the
    // drive answers at that address says nothing about the signals.
    if (io_.XRegNumber != kUndefinedRegister && link_.ReadWord(io_.XRegNumber, word)) {
        for (int i = 0; i < kInputs; ++i) {
            lamps_[static_cast<size_t>(XBox(i))] =
                (word >> i) & 1 ? LampColour::Lime : LampColour::Idle;
        }
        changed = true;
    }
    if (io_.YRegNumber != kUndefinedRegister && link_.ReadWord(io_.YRegNumber, word)) {
        for (int i = 0; i < 4; ++i) {
            lamps_[static_cast<size_t>(YBox(i))] =
                (word >> i) & 1 ? LampColour::Fuchsia : LampColour::Grey;
        }
        changed = true;
    }
    if (changed) {
        Q_EMIT lampsChanged();
    }
}

bool IoPanel::WriteInversionGroup(int group) {
    if (group < 1 || group > kGroups) {
        return false;
    }
    return link_.WriteWord(GroupParameter(group), GroupValue(group));
}

void IoPanel::WriteInversionGroups() {
    for (int g = 1; g <= kGroups; ++g) {
        WriteInversionGroup(g);
    }
}

bool IoPanel::anyGroupDirty() const {
    for (bool d : InversionGroupDirty) {
        if (d) {
            return true;
        }
    }
    return false;
}

void IoPanel::RefreshInversionCells(ParameterGridModel& grid) {
    const int last = grid.gridRowCount() - 1;
    for (int r = 1; r <= last; ++r) {
        const std::optional<uint32_t> pr = ParsePrNumberText(grid.cell(r, 0));
        if (!pr) {
            continue;
        }
        for (int g = 1; g <= kGroups; ++g) {
            bool& dirty = InversionGroupDirty[static_cast<size_t>(g - 1)];
            if (!dirty || GroupParameter(g) != *pr) {
                continue;
            }
            dirty = false;
            uint16_t value = 0;
            if (link_.ReadWord(*pr, value)) {
                grid.setCell(r, 2, GridValueText(QString::number(value)));
            }
        }
    }
}

void IoPanel::LoadInversionBoxes() {
    for (int g = 1; g <= 4; ++g) {
        uint16_t value = 0;
        if (!link_.ReadWord(GroupParameter(g), value)) {
            continue;
        }
        // Five decimal digits, units first; a digit that is odd checks its box.
        const GroupBoxes& b = kGroupBoxes[static_cast<size_t>(g - 1)];
        const int count = g == 4 ? 4 : b.count;
        uint32_t rest = value % 100000;
        for (int i = 0; i < count; ++i) {
            setBoxChecked(b.first + i, (rest % 10) % 2 == 1);
            rest /= 10;
        }
    }
}

void IoPanel::UpdatePulseDirectionLamps() {
    uint16_t word = 0;
    if (!link_.ReadWord(kPulseDirectionRegister, word)) {
        return;
    }
    pulse_ = (word >> 8) & 1 ? LampColour::Lime : LampColour::Grey;
    direction_ = (word >> 9) & 1 ? LampColour::Lime : LampColour::Grey;
    Q_EMIT lampsChanged();
}

void IoPanel::UpdateServoOnLamp() {
    uint16_t word = 0;
    if (!link_.ReadWord(outputStatus_.Number, word)) {
        link_.LinkFailureCount.fetch_add(1);
        return;
    }
    servoOn_ = (word >> 11) & 1 ? LampColour::Lime : LampColour::Grey;
    link_.LinkFailureCount.store(0);
    Q_EMIT lampsChanged();
}

uint32_t IoPanel::HotKeyBits(int digit, bool alt, bool shift, bool ctrl) {
    uint32_t bits = 0;
    if (alt && digit >= 0 && digit <= 9) {
        bits |= 1u << digit;
    }
    if (shift && digit >= 0 && digit <= 5) {
        bits |= 1u << (10 + digit);
    }
    if (ctrl && digit >= 0 && digit <= 6) {
        bits |= 1u << (16 + digit);
    }
    return bits;
}

bool IoPanel::HandleHotKey(int digit, bool alt, bool shift, bool ctrl, bool captureRunning,
                           std::atomic<uint32_t>* requests) {
    if (requests != nullptr) {
        requests->store(0);
    }
    const uint32_t bits = HotKeyBits(digit, alt, shift, ctrl);
    if (bits == 0) {
        return false;
    }
    if (captureRunning) {
        if (requests != nullptr) {
            requests->fetch_or(bits);
        }
        return true;
    }
    for (int bit = 0; bit < 32; ++bit) {
        if (bits & (1u << bit)) {
            clickBox(BoxOfKeyBit(bit));
        }
    }
    if (InversionWritePending) {
        InversionWritePending = false;
        WriteInversionGroups();
    }
    return true;
}

void IoPanel::ApplyCaptureRequests(uint32_t bits) {
    for (int bit = 0; bit < kBoxes; ++bit) {
        if ((bits & (1u << bit)) == 0) {
            continue;
        }
        const int box = BoxOfKeyBit(bit);
        clickBox(box);
        const int group = GroupOfBox(box);
        if (group != 0) {
            WriteInversionGroup(group);
        }
    }
}

}  // namespace tevra
