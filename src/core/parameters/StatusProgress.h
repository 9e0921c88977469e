#pragma once

#include <QString>

namespace tevra {

// The small status window with its optional progress bar, shown without blocking while a
// long loop runs on the main thread. Every call repaints the window at once, since the
// event loop does not run during such loops.
class StatusProgress {
  public:
    virtual ~StatusProgress() = default;
    // Shows the window with the text (the progress bar hidden).
    virtual void showStatus(const QString& text) = 0;
    // Replaces the text.
    virtual void setStatusText(const QString& text) = 0;
    // Shows the progress bar at position 0 with the maximum and a step of 1.
    virtual void showProgressBar(int maximum) = 0;
    // Advances the progress bar by one step.
    virtual void stepProgressBar() = 0;
    virtual void hideProgressBar() = 0;
    // Hides the window.
    virtual void closeStatus() = 0;
};

// A status window nobody sees (command-line tools, tests).
class NullStatusProgress : public StatusProgress {
  public:
    void showStatus(const QString&) override {}
    void setStatusText(const QString&) override {}
    void showProgressBar(int) override {}
    void stepProgressBar() override {}
    void hideProgressBar() override {}
    void closeStatus() override {}
};

}  // namespace tevra
