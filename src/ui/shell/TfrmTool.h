#pragma once

#include <QWidget>

class QGroupBox;
class QToolButton;

namespace tevra {

struct AppContext;

// The wave-shift tool window: a borderless palette, always on top, whose three exclusive
// buttons tell what a drag on the wave display moves.
class TfrmTool : public QWidget {
    Q_OBJECT
  public:
    enum class ShiftMode { CompareOnly, ReceivedOnly, Unrestricted };

    TfrmTool(AppContext& ctx, QWidget* parent);

    ShiftMode mode() const;
    void setMode(ShiftMode mode);
    void toggleVisible();
    // frmTool/Top and Left, written when the main window closes.
    void saveSettings();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    AppContext& ctx_;
    QGroupBox* group_ = nullptr;
    QToolButton* spbtnCmpWve_ = nullptr;
    QToolButton* rpbtnRece_ = nullptr;
    QToolButton* spbtnNone_ = nullptr;
};

}  // namespace tevra
