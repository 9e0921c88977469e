#include "parameters/TfrmBackupNote.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "parameters/ParameterFiles.h"
#include "shell/DialogButtons.h"
#include "text/TextUtil.h"

namespace tevra {

TfrmBackupNote::TfrmBackupNote(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBackupNote"));
    setWindowTitle(QStringLiteral(u"备分参数备注"));
    setWindowFlag(Qt::Tool, true);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    redtBackup_ = new QTextEdit(this);
    redtBackup_->setObjectName(QStringLiteral("redtBackup"));
    redtBackup_->setAcceptRichText(false);
    redtBackup_->viewport()->installEventFilter(this);
    layout->addWidget(redtBackup_, 1);
    const DialogButtons buttons =
        AddDialogButtons(this, layout, QStringLiteral(u"确定"), QStringLiteral("btnOK"));
    btnOK_ = buttons.confirm;
    btnCancel_ = buttons.cancel;
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QStringList> TfrmBackupNote::editNote(const QString& text) {
    setWindowTitle(QStringLiteral(u"保存参数备注"));
    QFont font(QStringLiteral(u"宋体"));
    font.setPointSize(10);
    redtBackup_->setFont(font);
    redtBackup_->setPlainText(text);
    redtBackup_->selectAll();
    redtBackup_->setFocus();
    resize(380, 260);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return noteLines();
}

QStringList TfrmBackupNote::noteLines() const {
    return splitLines(redtBackup_->toPlainText());
}

bool TfrmBackupNote::eventFilter(QObject* watched, QEvent* event) {
    if (watched == redtBackup_->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QString t = trimText(redtBackup_->toPlainText());
        if (t == QString::fromUtf16(kParameterNotePrompt) ||
            t == QString::fromUtf16(kWaveNotePrompt)) {
            redtBackup_->clear();
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tevra
