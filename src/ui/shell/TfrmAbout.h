#pragma once

#include <QDialog>

namespace tevra {

// The About box "关于": versions and dates in a table of static cells.
class TfrmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAbout(QWidget* parent);
};

}  // namespace tevra
