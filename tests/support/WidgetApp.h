#pragma once

// The application object of a test program that shows windows (header only: the programs
// that include it link Qt Widgets).

#include <QApplication>

namespace tevra::test {

// Made once, on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Never
// destroyed: input devices Qt keeps in statics must not outlive it.
inline QApplication& widgetApp() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tevra_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace tevra::test
