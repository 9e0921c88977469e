#pragma once

#include <QObject>

#include <array>
#include <atomic>
#include <cstdint>

#include "description/DriveDescription.h"

namespace tevra {

class DriveLink;
class ParameterGridModel;

// Lamp colours of the I/O panel.
enum class LampColour {
    Idle,  // the inactive-caption gradient colour: no signal, or not connected
    Lime,
    Fuchsia,
    Grey,
};

// The I/O panel of the parameter page: lamps for the digital inputs X0..X15 and outputs
// Y0..Y6, check boxes for the inversion of each signal, and the servo-on, pulse and
// direction lamps, with the serial services the polling scheduler runs for it.
//
// Boxes are numbered 0..15 for X0ChK..X15ChK and 16..22 for Y0ChK..Y6ChK. Five inversion
// group parameters hold one decimal digit per signal (value = s0 + 10·s1 + ... + 10000·s4):
// group 1 X0..X4, 2 X5..X9, 3 X10..X14, 4 Y0..Y4, 5 Y5 and Y6. X15 belongs to no group.
class IoPanel : public QObject {
    Q_OBJECT
  public:
    static constexpr int kInputs = 16;
    static constexpr int kOutputs = 7;
    static constexpr int kBoxes = kInputs + kOutputs;
    static constexpr int kGroups = 5;
    // The register read for the pulse and direction lamps (bits 8 and 9).
    static constexpr uint32_t kPulseDirectionRegister = 0x6FC1;

    IoPanel(DriveLink& link, const IoDefinition& io, const RegisterEntry& outputStatus,
            QObject* parent = nullptr);

    static int XBox(int i) { return i; }
    static int YBox(int i) { return kInputs + i; }
    // The group of a box, 1..5, or 0 for X15.
    static int GroupOfBox(int box);
    // The parameter number of a group (1..5).
    uint16_t GroupParameter(int group) const;
    // The value of a group built from its boxes.
    uint16_t GroupValue(int group) const;

    bool boxChecked(int box) const { return boxes_[static_cast<size_t>(box)]; }
    // A click on a box: toggles it and runs its click handler.
    void clickBox(int box);
    // Sets a box from the program; its click handler runs when the state changes.
    void setBoxChecked(int box, bool checked);

    LampColour inputLamp(int i) const { return lamps_[static_cast<size_t>(XBox(i))]; }
    LampColour outputLamp(int i) const { return lamps_[static_cast<size_t>(YBox(i))]; }
    LampColour pulseLamp() const { return pulse_; }
    LampColour directionLamp() const { return direction_; }
    LampColour servoOnLamp() const { return servoOn_; }
    // All 23 I/O lamps to the idle colour (on disconnect).
    void setLampsIdle();

    // Set by a box click while connected; the scheduler writes the five groups.
    bool InversionWritePending = false;
    // Set per group by a box click while connected; the scheduler re-reads the group's cell.
    std::array<bool, kGroups> InversionGroupDirty{};
    // Set on connect and by a write of a group parameter; the scheduler reloads the boxes.
    bool InversionReloadPending = false;

    // Scheduler services.
    void UpdateIoLamps();
    void WriteInversionGroups();
    // Writes one group (1..5); the WriteWord result.
    bool WriteInversionGroup(int group);
    void RefreshInversionCells(ParameterGridModel& grid);
    void LoadInversionBoxes();
    void UpdatePulseDirectionLamps();
    void UpdateServoOnLamp();
    bool anyGroupDirty() const;

    // The inversion hot keys: Alt+0..9 for X0..X9 (bits 0..9), Shift+0..5 for X10..X15
    // (bits 10..15), Ctrl+0..6 for Y0..Y6 (bits 16..22); with several modifiers each one's
    // key counts. 0 when the key is none of them.
    static uint32_t HotKeyBits(int digit, bool alt, bool shift, bool ctrl);
    // The box a request bit toggles (the bit numbers equal the box numbers).
    static int BoxOfKeyBit(int bit) { return bit; }

    // The main window's key handler while connected. requests is the capture's request
    // mask: every key first clears the bits the capture has not taken yet; during a capture
    // the key's bits are recorded there, otherwise the boxes are toggled and, when a write
    // became pending, the five groups are written at once. True when the key was one of the
    // inversion keys.
    bool HandleHotKey(int digit, bool alt, bool shift, bool ctrl, bool captureRunning,
                      std::atomic<uint32_t>* requests);
    // Toggle-and-write for the recorded request bits, run between records of a capture and
    // when it ends: each named box is toggled and its group written.
    void ApplyCaptureRequests(uint32_t bits);

  Q_SIGNALS:
    void boxesChanged();
    void lampsChanged();

  private:
    void boxClicked(int box);

    DriveLink& link_;
    const IoDefinition& io_;
    const RegisterEntry& outputStatus_;
    std::array<bool, kBoxes> boxes_{};
    std::array<LampColour, kBoxes> lamps_{};
    LampColour pulse_ = LampColour::Grey;
    LampColour direction_ = LampColour::Grey;
    LampColour servoOn_ = LampColour::Grey;
};

}  // namespace tevra
