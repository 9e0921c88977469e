#include "parameters/ValueKeyFilter.h"

namespace tevra {

bool ValueKeyAccepted(QChar key) {
    const char16_t c = key.unicode();
    return c == u'\b' || c == u'\r' || c == u'\n' || c == u'-' || (c >= u'0' && c <= u'9');
}

}  // namespace tevra
