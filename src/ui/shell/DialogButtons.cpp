#include "shell/DialogButtons.h"

#include <QBoxLayout>
#include <QPushButton>

namespace tevra {

DialogButtons AddDialogButtons(QWidget* dialog, QBoxLayout* layout, const QString& confirmText,
                               const QString& confirmName) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    DialogButtons b;
    b.confirm = new QPushButton(confirmText, dialog);
    b.confirm->setObjectName(confirmName);
    b.cancel = new QPushButton(QStringLiteral(u"取消"), dialog);
    b.cancel->setObjectName(QStringLiteral("btnCancel"));
    row->addWidget(b.confirm);
    row->addWidget(b.cancel);
    layout->addLayout(row);
    return b;
}

}  // namespace tevra
