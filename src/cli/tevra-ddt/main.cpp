// tevra-ddt: encodes, decodes and inspects the protected description files.
//
//   tevra-ddt encode PLAIN OUT        plain GBK text -> protected file
//   tevra-ddt decode IN OUT           protected file -> plain GBK text ("-" for stdout)
//   tevra-ddt dump FILE [--system] [--registers MODEL] [--plain]
//                                     the sections read from a description, as JSON
//
// Exit status: 0 success, 1 bad input (missing file, not a protected file, a section that
// cannot be read), 2 wrong usage.

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>

#include "DescriptionDump.h"
#include "description/ProtectedTextFile.h"
#include "description/RegisterSection.h"
#include "text/Gbk.h"
#include "text/TextFile.h"
#include "text/TextUtil.h"

using namespace tevra;

namespace {

constexpr int kOk = 0;
constexpr int kBadInput = 1;
constexpr int kUsage = 2;

void printErr(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fprintf(stderr, "tevra-ddt: %s\n", bytes.constData());
}

int usage() {
    std::fputs(
        "usage: tevra-ddt encode PLAIN OUT\n"
        "       tevra-ddt decode IN OUT            (OUT \"-\" writes to standard output)\n"
        "       tevra-ddt dump FILE [--system] [--registers MODEL] [--plain]\n"
        "\n"
        "encode  encrypts a plain GBK text into a protected description file\n"
        "decode  writes the plain text of a protected file (its bytes as stored, CR LF)\n"
        "dump    prints the sections of a description as JSON with their record counts:\n"
        "        the model sections, or with --system those of the system description;\n"
        "        --registers MODEL takes the register list for [IODat] and [SysReg] from a\n"
        "        protected model description; --plain reads FILE (and MODEL) as plain text\n",
        stderr);
    return kUsage;
}

bool writeOutput(const QString& path, const QByteArray& bytes) {
    if (path == QLatin1String("-")) {
        return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) ==
               static_cast<size_t>(bytes.size());
    }
    QString why;
    if (!writeFileAtomically(path, bytes, &why)) {
        printErr(QStringLiteral("cannot write %1: %2").arg(path, why));
        return false;
    }
    return true;
}

int encode(const QString& plainPath, const QString& outPath) {
    auto plain = readFileBytes(plainPath);
    if (!plain) {
        printErr(QStringLiteral("cannot read %1").arg(plainPath));
        return kBadInput;
    }
    auto written = writeProtectedFileBytes(outPath, *plain);
    if (!written) {
        printErr(written.error().toString());
        return kBadInput;
    }
    return kOk;
}

int decode(const QString& inPath, const QString& outPath) {
    auto plain = readProtectedFileBytes(inPath);
    if (!plain) {
        printErr(plain.error().toString());
        return kBadInput;
    }
    QByteArray out = *plain;
    if (!out.isEmpty()) {
        out.append("\r\n");
    }
    return writeOutput(outPath, out) ? kOk : kBadInput;
}

DescriptionResult<QStringList> readDescription(const QString& path, bool plain) {
    if (!plain) {
        return readProtectedFileLines(path);
    }
    auto lines = readTextLines(path);
    if (!lines) {
        DescriptionError e;
        e.kind = DescriptionErrorKind::FileMissing;
        e.file = path;
        e.message = QStringLiteral("the file cannot be read");
        return e;
    }
    return *lines;
}

int dump(const QStringList& args) {
    QString file;
    QString registersFile;
    bool system = false;
    bool plain = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--system")) {
            system = true;
        } else if (a == QLatin1String("--plain")) {
            plain = true;
        } else if (a == QLatin1String("--registers") && i + 1 < args.size()) {
            registersFile = args[++i];
        } else if (a.startsWith(u'-') || !file.isEmpty()) {
            return usage();
        } else {
            file = a;
        }
    }
    if (file.isEmpty()) {
        return usage();
    }

    RegisterList registers;
    if (!registersFile.isEmpty()) {
        auto model = readDescription(registersFile, plain);
        if (!model) {
            printErr(model.error().toString());
            return kBadInput;
        }
        auto list = ReadRegisterSection(*model, registersFile);
        if (!list) {
            printErr(list.error().toString());
            return kBadInput;
        }
        registers = *list;
    }

    auto lines = readDescription(file, plain);
    if (!lines) {
        printErr(lines.error().toString());
        return kBadInput;
    }
    const auto result = ddt::dumpDescription(
        *lines, system ? ddt::DescriptionKind::System : ddt::DescriptionKind::Model, file,
        registers);
    if (!writeOutput(QStringLiteral("-"), QJsonDocument(result.json).toJson())) {
        return kBadInput;
    }
    for (const QString& e : result.errors) {
        printErr(e);
    }
    return result.ok ? kOk : kBadInput;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        return usage();
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("encode") && args.size() == 2) {
        return encode(args[0], args[1]);
    }
    if (command == QLatin1String("decode") && args.size() == 2) {
        return decode(args[0], args[1]);
    }
    if (command == QLatin1String("dump")) {
        return dump(args);
    }
    return usage();
}
