#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>

#include <memory>

#include "TestSupport.h"
#include "WidgetApp.h"
#include "description/ProtectedTextFile.h"
#include "scope/TframeWave.h"
#include "shell/AppContext.h"
#include "text/Gbk.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

namespace tevra::test {

// A program folder with the demo drive's settings, system description and the TVD-A04
// model's lines, and a wave page on it (user level unless asked otherwise).
class WavePageFixture {
  public:
    explicit WavePageFixture(bool administrator = false) {
        widgetApp();
        const QString demo = sourceDir() + QStringLiteral("/demo/program/");
        QDir().mkpath(dir.file(QStringLiteral("System")));
        QFile::copy(demo + QStringLiteral("Config.ini"), dir.file(QStringLiteral("Config.ini")));
        QFile plain(demo + QStringLiteral("System/SysConfig.ddt.txt"));
        if (plain.open(QIODevice::ReadOnly)) {
            (void)writeProtectedFileBytes(dir.file(QStringLiteral("System/SysConfig.ddt")),
                                          plain.readAll());
        }
        ctx.folders = ProgramFolders(dir.path(), dir.path());
        ctx.config = IniFile(ctx.folders.configIniPath());
        ctx.AdministratorMode = administrator;
        QFile model(demo + QStringLiteral("Source/TVD-A04.ddt.txt"));
        if (model.open(QIODevice::ReadOnly)) {
            ctx.modelLines = splitLines(fromGbk(model.readAll()));
        }
        ctx.dialogs = &dialogs;
    }

    TframeWave& page() {
        if (!page_) {
            page_ = std::make_unique<TframeWave>(ctx, nullptr);
            page_->resize(page_->minimumSize());
        }
        return *page_;
    }

    template <typename T>
    T* find(const QString& name) {
        return page().findChild<T*>(name);
    }

    ScratchDir dir;
    AppContext ctx;
    RecordingDialogs dialogs;

  private:
    std::unique_ptr<TframeWave> page_;
};

}  // namespace tevra::test
