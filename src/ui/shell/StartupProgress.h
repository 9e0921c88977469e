#pragma once

#include <QString>

namespace tevra {

// Where the windows' creation reports its progress (the login window's title label).
class StartupProgress {
  public:
    virtual ~StartupProgress() = default;
    virtual void setProgressText(const QString& text) = 0;
    virtual void appendProgressDot() = 0;
};

}  // namespace tevra
