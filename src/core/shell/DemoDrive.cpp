#include "shell/DemoDrive.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>

#include <sys/prctl.h>

namespace tevra {

DemoDrive::~DemoDrive() {
    stop();
}

QString DemoDrive::programPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("tevra-drive-sim"));
}

bool DemoDrive::start(const QString& programFolder, int station, int baud, QString* error,
                      int timeoutMs) {
    stop();
    const QString program = program_.isEmpty() ? programPath(programFolder) : program_;
    if (!QFileInfo(program).isExecutable()) {
        if (error) {
            *error = QStringLiteral(u"找不到模拟驱动器程序：%1").arg(program);
        }
        return false;
    }
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tevra-demo-XXXXXX"));
    if (!dir_->isValid()) {
        if (error) {
            *error = QStringLiteral(u"无法创建临时文件夹：%1").arg(dir_->errorString());
        }
        return false;
    }
    devicePath_ = dir_->filePath(QStringLiteral("tevra-drive"));
    process_ = std::make_unique<QProcess>();
    process_->setProgram(program);
    process_->setArguments({QStringLiteral("--link"), devicePath_, QStringLiteral("--station"),
                            QString::number(station), QStringLiteral("--baud"),
                            QString::number(baud), QStringLiteral("--program-dir"), programFolder});
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardOutputFile(QProcess::nullDevice());
    // The drive goes with the tool even when the tool is killed.
    process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_->start();
    if (!process_->waitForStarted(timeoutMs)) {
        if (error) {
            *error = QStringLiteral(u"模拟驱动器无法启动：%1").arg(process_->errorString());
        }
        stop();
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(devicePath_)) {
        if (process_->state() != QProcess::Running || clock.elapsed() > timeoutMs) {
            if (error) {
                *error = QStringLiteral(u"模拟驱动器没有建立串口：%1").arg(devicePath_);
            }
            stop();
            return false;
        }
        process_->waitForFinished(20);
    }
    return true;
}

bool DemoDrive::running() const {
    return process_ && process_->state() == QProcess::Running;
}

void DemoDrive::sendCommand(const QString& command) {
    if (running()) {
        process_->write(command.toUtf8() + '\n');
        process_->waitForBytesWritten(1000);
    }
}

void DemoDrive::stop() {
    if (process_) {
        if (process_->state() != QProcess::NotRunning) {
            process_->closeWriteChannel();
            process_->terminate();
            if (!process_->waitForFinished(3000)) {
                process_->kill();
                process_->waitForFinished(3000);
            }
        }
        process_.reset();
    }
    dir_.reset();
    devicePath_.clear();
}

}  // namespace tevra
