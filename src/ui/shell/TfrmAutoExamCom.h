#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace tevra {

// The small always-on-top progress window "系统信息" with one text line. Escape or a click
// on the text closes it.
class TfrmAutoExamCom : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAutoExamCom(QWidget* parent = nullptr);

    // Shows the window with the text and paints it at once.
    void showText(const QString& text);
    // Appends one "." and repaints.
    void appendDot();
    // Appends one "." when step is a multiple of round(count / divisor) (divisor 8 or 10).
    void appendDotAtStep(int step, int count, int divisor = 8);
    QString text() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paintNow();
    QLabel* labSys_ = nullptr;
};

// The always-on-top progress window "系统信息" with a text and a hidden progress bar
// (0..1000), used by long loops on the main thread. Escape closes it.
class TfrmSystMes : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSystMes(QWidget* parent = nullptr);

    void showText(const QString& text, bool withProgress = false);
    // Sets the bar (0..1000) and repaints.
    void setProgress(int value);
    QLabel* label() const { return labSysInf_; }
    QProgressBar* progressBar() const { return pbSysMsg_; }

  private:
    QLabel* labSysInf_ = nullptr;
    QProgressBar* pbSysMsg_ = nullptr;
};

}  // namespace tevra
