#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tevra {

// DES in ECB mode, block after block without chaining. The key is the first 8 bytes of
// `key`, filled up with NUL bytes when shorter; its parity bits are ignored, and weak keys
// are used as they are. Only whole 8-byte blocks of `data` are processed: a trailing
// partial block is dropped.
QByteArray desEcbEncrypt(QByteArrayView data, QByteArrayView key);
QByteArray desEcbDecrypt(QByteArrayView data, QByteArrayView key);

}  // namespace tevra
