#pragma once

#include <QDialog>

#include "parameters/ParameterFiles.h"

class QPushButton;
class QTextEdit;

namespace tevra {

// The note viewer of a backup file before an import or an offline view: a read-only
// rich-text box with labelled lines in their styles, and the buttons "确定" and "取消".
class TfrmImportNote : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmImportNote(QWidget* parent = nullptr);

    // Fills the viewer (caption, button hints, lines).
    void fill(const NoteViewContent& content);
    // Fills it and shows it modally; true when confirmed.
    bool viewNote(const NoteViewContent& content);

    QTextEdit* viewer() const { return redtImport_; }

  private:
    QTextEdit* redtImport_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

}  // namespace tevra
