#include <QApplication>

#include <cstdio>

#include "shell/Artwork.h"
#include "shell/ProgramMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tevra"));
    QApplication::setWindowIcon(tevra::ApplicationIcon());

    tevra::LaunchOptions options;
    QString error;
    if (!options.parse(QApplication::arguments(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", qPrintable(tevra::LaunchOptions::usage()));
        return 0;
    }
    return tevra::RunProgram(options);
}
