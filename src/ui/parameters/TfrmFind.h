#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tevra {

class IniFile;
class ParameterGridModel;

// The find window "查找": searches the name column of a parameter grid below the selected
// row and then from the top, and remembers the search per find context in Config.ini.
class TfrmFind : public QDialog {
    Q_OBJECT
  public:
    TfrmFind(IniFile& config, QWidget* parent = nullptr);

    // Opens the window on a grid: the selected row is read and a found row is selected
    // through the callbacks; the saved search of the context is loaded.
    void openOn(const ParameterGridModel* grid, std::function<int()> selectedRow,
                std::function<void(int row)> selectRow, int context);

    // "查找(&F)" or Enter in edtFind; the row found, or -1 (a balloon says so).
    int findNext();
    // Stores the search of the current context (done when the window closes).
    void saveSearch();
    // Stores the window position (frmFind/Left, Top).
    void savePosition();

    // Help button: opens the help topic (set by the page).
    std::function<void(const QString& topic)> openHelp;

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    IniFile& config_;
    const ParameterGridModel* grid_ = nullptr;
    std::function<int()> selectedRow_;
    std::function<void(int)> selectRow_;
    int context_ = 1;
    QLineEdit* edtFind_ = nullptr;
    QCheckBox* chbxUpLow_ = nullptr;
    QPushButton* btnConfirm_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
};

}  // namespace tevra
