#include "parameters/TfrmImportNote.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "parameters/ParameterColours.h"

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
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    btnOK_ = new QPushButton(QStringLiteral(u"确定"), this);
    btnOK_->setObjectName(QStringLiteral("btnOK"));
    btnCancel_ = new QPushButton(QStringLiteral(u"取消"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
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
