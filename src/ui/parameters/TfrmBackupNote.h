#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTextEdit;

namespace tevra {

// The note editor of a backup: a rich-text editor and the buttons "确定" and "取消". A click
// into the editor clears it while it shows only one of the prompts.
class TfrmBackupNote : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmBackupNote(QWidget* parent = nullptr);

    // Shows the editor modally with the text, all selected; the note lines when confirmed.
    std::optional<QStringList> editNote(const QString& text);

    QTextEdit* editor() const { return redtBackup_; }
    // The lines of the editor's text.
    QStringList noteLines() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTextEdit* redtBackup_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

}  // namespace tevra
