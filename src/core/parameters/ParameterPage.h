#pragma once

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

#include "description/DriveDescription.h"
#include "parameters/IoPanel.h"
#include "parameters/ParameterDetails.h"
#include "parameters/ParameterGridModel.h"

namespace tevra {

class DriveLink;
class ReadFailureReporter;
class StatusProgress;
class UserDialogs;

// The parameter page without its window: the entry list and the grid built from it, the
// selected row with its description and value boxes, the write of a value into RAM or
// EEPROM, the read-back, the refresh request and the I/O panel, and the two services the
// polling scheduler runs while the page is showing.
class ParameterPage : public QObject {
    Q_OBJECT
  public:
    enum class WriteTarget { Ram, Eeprom };
    // The grid's colours: inactive while disconnected, active while connected, and teal
    // text while it shows the values of a file.
    enum class GridScheme { Inactive, Active, Offline };

    ParameterPage(DriveLink& link, UserDialogs& dialogs, ReadFailureReporter& readFailures,
                  bool administrator, const IoDefinition& io, const RegisterEntry& outputStatus,
                  QObject* parent = nullptr);

    // Creation and model change: takes the entries of the [Parameter] section, rebuilds
    // the grid (values "未知" again) and shows the first row.
    void SetEntries(ParameterList entries);
    const ParameterList& entries() const { return entries_; }
    ParameterGridModel& grid() { return grid_; }
    const ParameterGridModel& grid() const { return grid_; }
    IoPanel& io() { return io_; }
    bool administrator() const { return administrator_; }

    // Rebuilds the grid from the entries: header, one row per listed entry (entries of
    // access level "2" only for the administrator), values "未知".
    void FillParameterGrid();

    int selectedRow() const { return selectedRow_; }
    // A click on a row (also a find): selects it and shows its details. Row 0 (the header)
    // changes nothing.
    void SelectRow(int row);
    void ShowParameterDetails();
    // The entry of the selected row; nullptr when there is none.
    const ParameterEntry* selectedEntry() const;

    // The description view, the current value box edtCurrPara and the new value box
    // ParValEdit with its length limit (0: none).
    const QVector<DetailParagraph>& details() const { return details_; }
    const QString& currentValueText() const { return currentValue_; }
    const QString& newValueText() const { return newValue_; }
    void setNewValueText(const QString& text) { newValue_ = text; }
    int valueMaxLength() const { return valueMaxLength_; }

    WriteTarget writeTarget() const { return target_; }
    void setWriteTarget(WriteTarget target);

    // WriParaBtn "设置": range check and write of the new value box into RAM or EEPROM,
    // read-back and message.
    void WriteParameter();
    // Re-reads the selected row's value.
    void ReadBackParameter();

    // Set by the refresh item while connected and by every successful connection.
    bool ParameterRefreshRequested = false;
    // Popup item "刷新&": requests the refresh when connected.
    void RequestRefresh();

    // Scheduler order 4 (page showing and a refresh requested): read every value, then
    // show the selected parameter again.
    bool ReadServiceWanted() const { return ParameterRefreshRequested; }
    void RunReadService(StatusProgress* progress);
    // Scheduler order 5 (page showing): lamps, inversion groups and status lamps.
    void RunIoService();

    // The connection state changed (ShowLinkState).
    void LinkStateChanged(bool connected);
    GridScheme gridScheme() const { return scheme_; }
    // After an offline view: the grid's text turns teal.
    void ShowOfflineValues();

    // Refreshes a parameter on the iPLC page after a RAM write of an untyped parameter
    // whose name contains "LPCM"; unset while there is no iPLC page.
    std::function<void(const ParameterEntry&)> refreshIplcParameter;

  Q_SIGNALS:
    void gridRebuilt();
    void selectionChanged(int row);
    void detailsChanged();
    void writeTargetChanged();
    void gridSchemeChanged();

  private:
    void showValue(int row, const QString& decimal);

    DriveLink& link_;
    UserDialogs& dialogs_;
    ReadFailureReporter& readFailures_;
    bool administrator_;
    ParameterList entries_;
    ParameterGridModel grid_;
    IoPanel io_;
    int selectedRow_ = 1;
    QVector<DetailParagraph> details_;
    QString currentValue_;
    QString newValue_ = QStringLiteral("00000");
    int valueMaxLength_ = 5;
    WriteTarget target_ = WriteTarget::Ram;
    GridScheme scheme_ = GridScheme::Inactive;
};

}  // namespace tevra
