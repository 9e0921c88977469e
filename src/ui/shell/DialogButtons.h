#pragma once

#include <QString>

class QBoxLayout;
class QPushButton;
class QWidget;

namespace tevra {

// The confirm and cancel buttons of a small dialog, right-aligned in a row.
struct DialogButtons {
    QPushButton* confirm = nullptr;
    QPushButton* cancel = nullptr;
};

// Adds the row to `layout`. The cancel button is "取消" named btnCancel.
DialogButtons AddDialogButtons(QWidget* dialog, QBoxLayout* layout, const QString& confirmText,
                               const QString& confirmName);

}  // namespace tevra
