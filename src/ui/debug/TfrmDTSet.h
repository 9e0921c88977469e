#pragma once

#include <QDialog>

#include <functional>
#include <memory>

#include "debug/DataTypeSelection.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tevra {

// The data-type dialog "数据类型设置": the value type of one oscilloscope channel. Modal;
// closed with "确认" or "取消" only (Alt+F4 and Esc do nothing).
class TfrmDTSet : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmDTSet(QWidget* parent);
    ~TfrmDTSet() override;

    // Before showing: the channel (0..3), its current code, its trimmed source name and the
    // type that source is declared with (empty when unknown).
    void prepare(int channel, uint8_t code, const QString& sourceName, const QString& declaredType);
    // The code chosen by the last successful "确认".
    uint8_t code() const;

    // Shows a balloon at a control: text and title. Set by the owner; the dialog stays
    // open while it shows.
    std::function<void(QWidget* control, const QString& text, const QString& title)> balloon;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override {}

  private:
    void showState();
    void takeControls();
    void finish(int result);

    std::unique_ptr<DataTypeDialogState> state_;
    QString declaredType_;
    bool closing_ = false;

    QGroupBox* group_ = nullptr;
    QRadioButton* int16_ = nullptr;
    QRadioButton* uint16_ = nullptr;
    QRadioButton* int32_ = nullptr;
    QRadioButton* uint32_ = nullptr;
    QRadioButton* float32_ = nullptr;
    QRadioButton* iq_ = nullptr;
    QRadioButton* uiq_ = nullptr;
    QComboBox* iqCombo_ = nullptr;
    QComboBox* uiqCombo_ = nullptr;
};

}  // namespace tevra
