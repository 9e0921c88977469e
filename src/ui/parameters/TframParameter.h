#pragma once

#include <QWidget>

#include <array>
#include <atomic>
#include <memory>

#include "parameters/ParameterFiles.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTextEdit;

namespace tevra {

struct AppContext;
class DialogReadFailures;
class DriveLink;
class LampShape;
class ParameterPage;
class ParameterStatusWindow;
class TfrmBackupNote;
class TfrmFind;
class TfrmImportNote;

// The parameter page: the parameter grid sgPara with the description of the selected
// parameter, the value boxes and the write button, the three file buttons, and the I/O
// panel. Its top panel pnlConnect hosts the connection page. The page's serial services
// run from the polling scheduler (orders 4 and 5) while it is showing.
class TframParameter : public QWidget {
    Q_OBJECT
  public:
    TframParameter(AppContext& ctx, QWidget* parent);
    ~TframParameter() override;

    // The top panel the main window puts the connection page into.
    QWidget* pnlConnect() const { return pnlConnect_; }

    // The main window's key hook, called for every key press while the link is connected,
    // whatever page is showing. digit is the main-keyboard digit 0..9 of the key (also
    // with Shift held), or -1. True when the key was an inversion key (it is then used).
    bool MainKeyDown(int digit, Qt::KeyboardModifiers modifiers);

    // The wave capture's request mask: during a capture the inversion keys are recorded
    // there (bit n: Alt+n, 10+n: Shift+n, 16+n: Ctrl+n) instead of being written.
    void setCaptureRequests(std::atomic<uint32_t>* requests) { captureRequests_ = requests; }
    // Toggle-and-write of the recorded keys, between records and when a capture ends.
    void ApplyCaptureRequests(uint32_t bits);
    // Writes one inversion group (1..5) from its boxes; the write's result.
    bool WriteInversionGroup(int group);

    // The model changed: the entries are read again and the grid rebuilt.
    void ModelChanged();

    ParameterPage& page() { return *page_; }
    // The drive type and version of the last confirmed file view or import (also set by
    // the encoder window).
    ConfirmedFileIdentity& confirmedIdentity() { return confirmed_; }

    // Replace the file dialog, the note editor and the note viewer (tests, scripted use).
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setNoteEditor(NoteEditor editor) { editNote_ = std::move(editor); }
    void setNoteViewer(NoteViewer viewer) { viewNote_ = std::move(viewer); }

    // The page's actions.
    void WriParaBtnClick();
    bool BackupParaBtnClick();
    bool ImportParaBtnClick();
    bool ViewParaBBtnClick();
    void OpenFind();
    TfrmFind* findWindow() const { return frmFind_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildGridSide(QWidget* side);
    void buildHintSide(QWidget* side);
    QWidget* buildIoPanel(QWidget* parent);
    void layoutSides();
    void readEntries();
    void showDetails();
    void showSelection(int row);
    void showGridColours();
    void showBoxes();
    void showLamps();
    DriveIdentityTexts identityTexts() const;
    ParameterFileButtons fileButtons(ParameterFileContext& context);
    void openHelp(const QString& topic);

    DriveLink& link();

    AppContext& ctx_;
    std::unique_ptr<DriveLink> ownLink_;
    std::unique_ptr<DialogReadFailures> readFailures_;
    std::unique_ptr<ParameterStatusWindow> status_;
    std::unique_ptr<ParameterPage> page_;
    ConfirmedFileIdentity confirmed_;
    std::atomic<uint32_t>* captureRequests_ = nullptr;
    FileChooser chooseFile_;
    NoteEditor editNote_;
    NoteViewer viewNote_;
    std::array<int, 2> serviceIds_{-1, -1};
    bool syncingSelection_ = false;

    QWidget* pnlConnect_ = nullptr;
    QWidget* pnlBody_ = nullptr;
    QWidget* pnlGrid_ = nullptr;
    QWidget* pnlHint_ = nullptr;
    QTableView* sgPara_ = nullptr;
    QTextEdit* reParaHint_ = nullptr;
    QLineEdit* edtCurrPara_ = nullptr;
    QLineEdit* ParValEdit_ = nullptr;
    QPushButton* WriParaBtn_ = nullptr;
    QRadioButton* writeRAM_ = nullptr;
    QRadioButton* WriteEEPROM_ = nullptr;
    QPushButton* ImportParaBtn_ = nullptr;
    QPushButton* BackupParaBtn_ = nullptr;
    QPushButton* ViewParaBBtn_ = nullptr;
    QPushButton* btnHelp1_ = nullptr;
    std::array<QCheckBox*, 23> boxes_{};
    std::array<LampShape*, 23> lamps_{};
    LampShape* shpPulse_ = nullptr;
    LampShape* shpDirect_ = nullptr;
    LampShape* shpServoStus_ = nullptr;
    TfrmFind* frmFind_ = nullptr;
    TfrmBackupNote* frmBackupNote_ = nullptr;
    TfrmImportNote* frmImportNote_ = nullptr;
};

}  // namespace tevra
