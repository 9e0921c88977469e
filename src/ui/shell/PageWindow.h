#pragma once

#include <QDialog>

class QPushButton;

namespace tevra {

// A tool window that hosts one of the main window's pages in its client panel, with a
// "确定" button that closes it. Not modal; stays on top of the main window.
class PageWindow : public QDialog {
    Q_OBJECT
  public:
    PageWindow(const QString& objectName, const QString& caption, QWidget* parent);

    // Places the page into the client panel (once; later calls with the same page keep it).
    void hostPage(QWidget* page);
    QWidget* pnlClient() const { return pnlClient_; }
    QPushButton* confirmButton() const { return btnConfirm_; }

  private:
    QWidget* pnlClient_ = nullptr;
    QPushButton* btnConfirm_ = nullptr;
};

}  // namespace tevra
