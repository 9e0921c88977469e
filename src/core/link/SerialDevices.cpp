#include "link/SerialDevices.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "link/TermiosSerialPort.h"

namespace tevra {

namespace {

QString readSysText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromLatin1(f.readAll()).trimmed();
}

bool isPseudoOrConsole(const QString& name) {
    return name.startsWith(QLatin1String("pty")) || name.startsWith(QLatin1String("pts")) ||
           name == QLatin1String("ptmx") || name == QLatin1String("console") ||
           name == QLatin1String("tty") ||
           (name.startsWith(QLatin1String("tty")) && name.size() > 3 && name.at(3).isDigit());
}

// The user's groups include `gid`.
bool userInGroup(gid_t gid) {
    if (getegid() == gid) {
        return true;
    }
    const int n = getgroups(0, nullptr);
    if (n <= 0) {
        return false;
    }
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int m = getgroups(n, groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(m, 0), gid) !=
           groups.begin() + std::max(m, 0);
}

// "ttyS2" before "ttyS10": runs of digits compare by value.
bool naturalLess(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a.at(ei).isDigit()) {
                ++ei;
            }
            while (ej < b.size() && b.at(ej).isDigit()) {
                ++ej;
            }
            const qulonglong na = a.mid(i, ei - i).toULongLong();
            const qulonglong nb = b.mid(j, ej - j).toULongLong();
            if (na != nb) {
                return na < nb;
            }
            i = ei;
            j = ej;
            continue;
        }
        if (a.at(i) != b.at(j)) {
            return a.at(i) < b.at(j);
        }
        ++i;
        ++j;
    }
    return (a.size() - i) < (b.size() - j);
}

}  // namespace

QStringList listSerialDevices(const QString& sysClassTty) {
    const QString base = sysClassTty.isEmpty() ? QStringLiteral("/sys/class/tty") : sysClassTty;
    QStringList devices;
    const QDir dir(base);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (isPseudoOrConsole(name)) {
            continue;
        }
        const QString entry = dir.filePath(name);
        // Only terminals backed by a device (UART, USB adapter, modem) have this link.
        if (!QFileInfo::exists(entry + QStringLiteral("/device"))) {
            continue;
        }
        // A fixed UART port reports the UART it found; 0 means none is fitted.
        const QString type = readSysText(entry + QStringLiteral("/type"));
        if (!type.isEmpty() && type == QLatin1String("0")) {
            continue;
        }
        devices << QStringLiteral("/dev/") + name;
    }
    std::sort(devices.begin(), devices.end(), naturalLess);
    return devices;
}

QString serialDevicePath(const QString& name) {
    const QString t = name.trimmed();
    if (t.isEmpty() || t.contains(QLatin1Char('/'))) {
        return t;
    }
    return QStringLiteral("/dev/") + t;
}

bool serialDeviceOpens(const QString& name, QString* error) {
    if (name.trimmed().isEmpty()) {
        if (error) {
            *error = serialOpenErrorText(name, ENOENT);
        }
        return false;
    }
    TermiosSerialPort port;
    if (!port.open(name, 9600, error)) {
        return false;
    }
    port.close();
    return true;
}

QString serialOpenErrorText(const QString& device, int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return QStringLiteral("串口 %1 不存在或设备已断开。").arg(device);
        case EBUSY:
            return QStringLiteral("串口 %1 正被其他程序使用。").arg(device);
        case ENOTTY:
            return QStringLiteral("%1 不是串口设备。").arg(device);
        case EACCES:
        case EPERM: {
            struct stat st {};
            QString groupName;
            if (::stat(device.toLocal8Bit().constData(), &st) == 0) {
                if (const struct group* g = getgrgid(st.st_gid)) {
                    groupName = QString::fromLocal8Bit(g->gr_name);
                }
                if (!groupName.isEmpty() && !userInGroup(st.st_gid)) {
                    return QStringLiteral(
                               "没有打开串口 %1 的权限：该设备属于用户组 \"%2\"，当前用户不在"
                               "该组中。请执行 \"sudo usermod -aG %2 $USER\"，然后重新登录。")
                        .arg(device, groupName);
                }
            }
            return QStringLiteral("没有打开串口 %1 的权限（%2）。")
                .arg(device, QString::fromLocal8Bit(std::strerror(errnoValue)));
        }
        default:
            return QStringLiteral("无法打开串口 %1：%2。")
                .arg(device, QString::fromLocal8Bit(std::strerror(errnoValue)));
    }
}

}  // namespace tevra
