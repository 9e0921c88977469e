#pragma once

#include <QString>

#include <array>

namespace tevra {

// The numbered table of user messages. Entries 1 to 63 hold texts; entry 0 and entries
// 64 to 99 are empty. Texts are at most 200 characters.
class TTipMessages {
  public:
    static constexpr int kCount = 100;
    static constexpr int kTextCapacity = 200;

    TTipMessages();
    // The text of entry `index`; empty for an unused or out-of-range index.
    const QString& operator[](int index) const;

  private:
    std::array<QString, kCount> texts_;
};

// The one table of the program, built on first use.
const TTipMessages& TipMessages();

// Captions used with the messages.
namespace caption {
inline QString information() {
    return TipMessages()[35];
}  // "提示"
inline QString warning() {
    return TipMessages()[37];
}  // "警告"
inline QString success() {
    return TipMessages()[38];
}  // "成功"
inline QString error() {
    return TipMessages()[39];
}  // "错误"
}  // namespace caption

}  // namespace tevra
