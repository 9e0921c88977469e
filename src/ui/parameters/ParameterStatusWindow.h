#pragma once

#include <QPointer>

#include "parameters/StatusProgress.h"

class QWidget;

namespace tevra {

class TfrmSystMes;

// The status window "系统信息" with its progress bar, for the long loops of the parameter
// page. Uses the main window's status window when there is one, else a window of its own.
class ParameterStatusWindow : public StatusProgress {
  public:
    explicit ParameterStatusWindow(QWidget* owner);

    void showStatus(const QString& text) override;
    void setStatusText(const QString& text) override;
    void showProgressBar(int maximum) override;
    void stepProgressBar() override;
    void hideProgressBar() override;
    void closeStatus() override;

  private:
    TfrmSystMes* window();

    QWidget* owner_;
    QPointer<TfrmSystMes> window_;
    QString text_;
    int maximum_ = 0;
    int position_ = 0;
};

}  // namespace tevra
