#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;

namespace tevra {

class UserDialogs;
class WaveModel;

// The bit window "位方式": turns the ticked channels into single-bit traces of the chosen
// bit. Modal and on top; Alt+F4 and Esc do not close it, its buttons do.
class TfrmBitWvSet : public QDialog {
    Q_OBJECT
  public:
    TfrmBitWvSet(WaveModel& model, UserDialogs& dialogs, QWidget* parent);

    // The boxes from the channels' bit-mode flags, the combos from their bit numbers.
    void loadFromModel();
    // "取消 &C" (also the popup item "退出位模式&"): bit mode off for every channel, the raw
    // samples back in place.
    void cancelBitMode();

    std::function<void()> onHelp;
    // While a capture runs the capture thread owns the sample buffers: the flags then take
    // effect with its next record, and the record on screen is brought in line with them
    // when the capture has ended (captureEnded).
    std::function<bool()> captureRunning;
    void captureEnded();

  Q_SIGNALS:
    // The traces must be drawn again.
    void bitModeChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override {}

  private:
    void copyBoxesToFlags();
    void closeByButton();

    WaveModel& model_;
    UserDialogs& dialogs_;
    std::array<QCheckBox*, 4> boxes_{};
    std::array<QComboBox*, 4> bits_{};
    bool closing_ = false;
    bool deferred_ = false;
};

}  // namespace tevra
