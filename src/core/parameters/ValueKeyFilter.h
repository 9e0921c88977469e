#pragma once

#include <QChar>

namespace tevra {

// The key filter of the parameter value boxes: only Backspace, Enter, "-" and the digits
// 0..9 reach the box; every other character key is discarded. Keys that produce no
// character (arrows, Delete, Home...) are not character keys and are not filtered.
bool ValueKeyAccepted(QChar key);

}  // namespace tevra
