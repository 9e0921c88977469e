#include "description/DesEcb.h"

#include <nettle/des.h>

#include <algorithm>
#include <array>

namespace tevra {
namespace {

des_ctx makeContext(QByteArrayView key) {
    std::array<uint8_t, DES_KEY_SIZE> k{};
    std::copy_n(reinterpret_cast<const uint8_t*>(key.data()),
                std::min<qsizetype>(key.size(), DES_KEY_SIZE), k.begin());
    // The cipher never reads the parity bits; fixing them only keeps the key schedule
    // independent of how a library treats keys with bad parity.
    des_fix_parity(k.size(), k.data(), k.data());
    des_ctx ctx;
    // The result only flags weak and semi-weak keys; the schedule is built for every key.
    (void)des_set_key(&ctx, k.data());
    return ctx;
}

template <typename Op>
QByteArray run(QByteArrayView data, QByteArrayView key, Op op) {
    const qsizetype whole = data.size() - data.size() % DES_BLOCK_SIZE;
    QByteArray out(whole, Qt::Uninitialized);
    if (whole > 0) {
        const des_ctx ctx = makeContext(key);
        op(&ctx, static_cast<size_t>(whole), reinterpret_cast<uint8_t*>(out.data()),
           reinterpret_cast<const uint8_t*>(data.data()));
    }
    return out;
}

}  // namespace

QByteArray desEcbEncrypt(QByteArrayView data, QByteArrayView key) {
    return run(data, key, des_encrypt);
}

QByteArray desEcbDecrypt(QByteArrayView data, QByteArrayView key) {
    return run(data, key, des_decrypt);
}

}  // namespace tevra
