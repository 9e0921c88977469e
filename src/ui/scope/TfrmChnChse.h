#pragma once

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tevra {

class WaveModel;

// The trigger window "触发": the trigger channel, the arming box, the edge, the (fixed)
// trigger type and the threshold the trigger line stands for. Modeless and on top of the
// main window; Esc closes it, F1 asks for help. Every way of closing it first places the
// trigger line again, so the threshold follows the last armed level.
class TfrmChnChse : public QWidget {
    Q_OBJECT
  public:
    TfrmChnChse(WaveModel& model, QWidget* parent);

    // Shows the window, or brings it to the front when it is already showing.
    void showWindow();
    // The controls from the model (after the settings were loaded).
    void loadFromModel();
    // The threshold text, after anything moved the trigger line.
    void refreshThreshold();

    std::function<void()> onHelp;

  Q_SIGNALS:
    // The plot must be drawn again (the line or its label changed).
    void triggerChanged();
    // "确认": the polling scheduler's timer may run again.
    void confirmed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void placeLine();

    WaveModel& model_;
    std::array<QRadioButton*, 4> channelButtons_{};
    QCheckBox* armed_ = nullptr;
    QRadioButton* rising_ = nullptr;
    QRadioButton* falling_ = nullptr;
    QComboBox* type_ = nullptr;
    QLineEdit* threshold_ = nullptr;
};

}  // namespace tevra
