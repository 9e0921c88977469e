#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace tevra {

enum class DescriptionErrorKind {
    FileMissing,     // the file does not exist
    FileUnreadable,  // it exists but cannot be read
    NotHex,          // "Error: not a Hex String"
    LastCharNul,     // "Error: the last char is NULL char."
    BadNumber,       // a number field that is not a number (or does not fit its field)
    WriteFailed,     // a plain copy or a protected file could not be written
};

// Why a protected file or a description section could not be read: the file, the section,
// the line (number in the decoded text and its trimmed text) and the field, as far as they
// apply, with a message. toString() gives one sentence for a message box or a terminal.
struct DescriptionError {
    DescriptionErrorKind kind = DescriptionErrorKind::BadNumber;
    QString message;
    QString file;        // as the caller named it ("\System\SysConfig.ddt" or a path)
    QString section;     // "[Parameter]"
    int lineNumber = 0;  // 1-based; 0 when the error is not about one line
    QString lineText;
    QString field;  // "PrNumber"

    QString toString() const;
};

// A value or the error that prevented it.
template <typename T>
class [[nodiscard]] DescriptionResult {
  public:
    DescriptionResult(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    DescriptionResult(DescriptionError error) : v_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const DescriptionError& error() const { return std::get<1>(v_); }

  private:
    std::variant<T, DescriptionError> v_;
};

struct DescriptionOk {};
using DescriptionStatus = DescriptionResult<DescriptionOk>;

}  // namespace tevra
