#include "parameters/TfrmImportNote.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "parameters/ParameterColours.h"
#include "shell/DialogButtons.h"

namespace tevra {

TfrmImportNote::TfrmImportNote(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportNote"));
    setWindowFlag(Qt::Tool, true);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    redtImport_ = new QTextEdit(this);
    redtImport_->setObjectName(QStringLiteral("redtImport"));
    redtImport_->setReadOnly(true);
    redtImport_->setFont(QFont(QStringLiteral(u"宋体")));
    layout->addWidget(redtImport_, 1);
    const DialogButtons buttons =
        AddDialogButtons(this, layout, QStringLiteral(u"确定"), QStringLiteral("btnOK"));
    btnOK_ = buttons.confirm;
    btnCancel_ = buttons.cancel;
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmImportNote::fill(const NoteViewContent& content) {
    setWindowTitle(content.caption);
    btnOK_->setToolTip(content.confirmHint);
    btnCancel_->setToolTip(content.cancelHint);
    redtImport_->clear();
    QTextCursor cursor(redtImport_->document());
    const QFont base = redtImport_->font();
    bool first = true;
    for (const NoteViewLine& line : content.lines) {
        if (!first) {
            cursor.insertBlock();
        }
        first = false;
        cursor.insertText(line.label, NoteCharFormat(line.labelStyle, base));
        cursor.insertText(line.value, NoteCharFormat(line.valueStyle, base));
    }
    redtImport_->moveCursor(QTextCursor::Start);
}

bool TfrmImportNote::viewNote(const NoteViewContent& content) {
    fill(content);
    resize(380, 260);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    btnOK_->setFocus();
    return exec() == QDialog::Accepted;
}

}  // namespace tevra
