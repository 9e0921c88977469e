// The drive link commands: probe, identity, RAM, EEPROM and control codes.

#include "CliCommand.h"
#include "link/SerialDevices.h"
#include "text/TextUtil.h"

namespace tevra::cli {

namespace {

QString hex4(uint32_t v) {
    return QStringLiteral("0x") + hexText(v, 4);
}

int probe(CliContext& ctx, const QStringList&) {
    if (!ctx.link->LinkProbe()) {
        return transactionFailed(ctx, QStringLiteral("link probe"));
    }
    ctx.out << "ok" << Qt::endl;
    return kExitOk;
}

// The identity as the connection page reads it.
int info(CliContext& ctx, const QStringList&) {
    static const char* const kLabels[] = {"information number", "application type",
                                          "software version", "program identification",
                                          "program information number"};
    int failures = 0;
    for (uint8_t code = 3; code <= 7; ++code) {
        QString text;
        const bool ok = ctx.link->ReadInfoString(code, text);
        failures += ok ? 0 : 1;
        ctx.out << QStringLiteral("%1 (%2): %3")
                       .arg(QLatin1String(kLabels[code - 3]))
                       .arg(code)
                       .arg(ok ? text : QStringLiteral("<read failed>"))
                << Qt::endl;
    }
    uint16_t w1 = 0;
    uint16_t w2 = 0;
    if (ctx.link->ReadEepromWord(0x520, w1) && ctx.link->ReadEepromWord(0x522, w2)) {
        ctx.out << "serial number: " << hexText(w1 & 0xFF, 2) << hexText(w1 >> 8, 2)
                << hexText(w2 & 0xFF, 2) << hexText(w2 >> 8, 2) << Qt::endl;
    } else {
        ++failures;
        ctx.out << "serial number: <read failed>" << Qt::endl;
    }
    QByteArray bytes;
    bool infoOk = true;
    for (uint32_t a = 0x500; a <= 0x51D; ++a) {
        uint16_t v = 0;
        if (!ctx.link->ReadEepromByte(a, v)) {
            infoOk = false;
            break;
        }
        bytes.append(v == 0x00FF ? ' ' : static_cast<char>(v & 0xFF));
    }
    if (infoOk) {
        ctx.out << "drive information number: " << trimText(QString::fromLatin1(bytes)) << Qt::endl;
    } else {
        ++failures;
        ctx.out << "drive information number: <read failed>" << Qt::endl;
    }
    ctx.out << "station: " << hexText(ctx.link->station(), 2) << Qt::endl;
    return failures == 0 ? kExitOk : kExitFailed;
}

int readWord(CliContext& ctx, const QStringList& a) {
    const auto address = hexArgument(ctx, a.at(0), 0xFFFFFF, QStringLiteral("ADDR"));
    if (!address) {
        return kExitUsage;
    }
    uint16_t v = 0;
    if (!ctx.link->ReadWord(*address, v)) {
        return transactionFailed(ctx, QStringLiteral("read of ") + hexText(*address, 2));
    }
    ctx.out << v << " (" << hex4(v) << ", signed " << static_cast<int16_t>(v) << ")" << Qt::endl;
    return kExitOk;
}

int writeWord(CliContext& ctx, const QStringList& a) {
    const auto address = hexArgument(ctx, a.at(0), 0xFFFFFF, QStringLiteral("ADDR"));
    const auto value =
        address ? valueArgument(ctx, a.at(1), -32768, 65535, QStringLiteral("VAL")) : std::nullopt;
    if (!value) {
        return kExitUsage;
    }
    if (!ctx.link->WriteWord(*address, static_cast<uint16_t>(*value))) {
        return transactionFailed(ctx, QStringLiteral("write of ") + hexText(*address, 2));
    }
    ctx.out << "ok" << Qt::endl;
    return kExitOk;
}

int readDWord(CliContext& ctx, const QStringList& a) {
    const auto address = hexArgument(ctx, a.at(0), 0xFFFFFF, QStringLiteral("ADDR"));
    if (!address) {
        return kExitUsage;
    }
    uint32_t v = 0;
    if (!ctx.link->ReadDWord(*address, v)) {
        return transactionFailed(ctx,
                                 QStringLiteral("double-word read of ") + hexText(*address, 2));
    }
    ctx.out << v << " (0x" << hexText(v, 8) << ", signed " << static_cast<int32_t>(v) << ")"
            << Qt::endl;
    return kExitOk;
}

int writeDWord(CliContext& ctx, const QStringList& a) {
    const auto address = hexArgument(ctx, a.at(0), 0xFFFFFF, QStringLiteral("ADDR"));
    const auto value =
        address ? valueArgument(ctx, a.at(1), INT32_MIN, UINT32_MAX, QStringLiteral("VAL"))
                : std::nullopt;
    if (!value) {
        return kExitUsage;
    }
    if (!ctx.link->WriteDWord(*address, static_cast<uint32_t>(*value))) {
        return transactionFailed(ctx,
                                 QStringLiteral("double-word write of ") + hexText(*address, 2));
    }
    ctx.out << "ok" << Qt::endl;
    return kExitOk;
}

int eepromRead(CliContext& ctx, const QStringList& a) {
    const auto address = hexArgument(ctx, a.at(0), 0xFFFFFF, QStringLiteral("ADDR"));
    if (!address) {
        return kExitUsage;
    }
    uint16_t v = 0;
    const bool byte = ctx.options.flag(QStringLiteral("byte"));
    const bool ok =
        byte ? ctx.link->ReadEepromByte(*address, v) : ctx.link->ReadEepromWord(*address, v);
    if (!ok) {
        if (v == TCommunicationProtocol::kBusyAnswer) {
            ctx.err << "the drive answered busy (0x789A)" << Qt::endl;
        }
        return transactionFailed(ctx, QStringLiteral("EEPROM read of ") + hexText(*address, 4));
    }
    if (byte) {
        ctx.out << (v & 0xFF) << " (0x" << hexText(v & 0xFF, 2) << ")" << Qt::endl;
    } else {
        ctx.out << v << " (" << hex4(v) << ")" << Qt::endl;
    }
    return kExitOk;
}

int eepromWrite(CliContext& ctx, const QStringList& a) {
    const auto address = hexArgument(ctx, a.at(0), 0xFFFFFF, QStringLiteral("ADDR"));
    const auto value =
        address ? valueArgument(ctx, a.at(1), -32768, 65535, QStringLiteral("VAL")) : std::nullopt;
    if (!value) {
        return kExitUsage;
    }
    if (!ctx.link->WriteEepromWord(*address, static_cast<uint16_t>(*value))) {
        return transactionFailed(ctx, QStringLiteral("EEPROM write of ") + hexText(*address, 4));
    }
    ctx.out << "ok" << Qt::endl;
    return kExitOk;
}

int control(CliContext& ctx, const QStringList& a) {
    const auto code = hexArgument(ctx, a.at(0), 0xFF, QStringLiteral("CODE"));
    if (!code) {
        return kExitUsage;
    }
    if (!ctx.link->SendControlCode(static_cast<uint8_t>(*code))) {
        return transactionFailed(ctx, QStringLiteral("control code ") + hexText(*code, 2));
    }
    ctx.out << "ok" << Qt::endl;
    return kExitOk;
}

int modbusRead(CliContext& ctx, const QStringList& a) {
    const auto reg = hexArgument(ctx, a.at(0), 0xFFFF, QStringLiteral("REG"));
    if (!reg) {
        return kExitUsage;
    }
    uint16_t v = 0;
    if (!ctx.link->protocol().ModbusReadWord(ctx.link->port(), ctx.link->station(),
                                             static_cast<uint16_t>(*reg), v)) {
        return transactionFailed(ctx, QStringLiteral("Modbus read of ") + hexText(*reg, 4));
    }
    ctx.out << v << " (" << hex4(v) << ")" << Qt::endl;
    return kExitOk;
}

int ports(CliContext& ctx, const QStringList&) {
    for (const QString& device : listSerialDevices()) {
        ctx.out << device << Qt::endl;
    }
    return kExitOk;
}

void registerLinkCommands(CommandRegistry& r) {
    r.add({QStringLiteral("ports"),
           QString(),
           QStringLiteral("list the system's serial devices"),
           0,
           0,
           false,
           {},
           {},
           ports});
    r.add({QStringLiteral("probe"),
           QString(),
           QStringLiteral("test the link (Modbus read and native read of 1)"),
           0,
           0,
           true,
           {},
           {},
           probe});
    r.add(
        {QStringLiteral("info"),
         QString(),
         QStringLiteral("the drive's identity: information strings, serial and information number"),
         0,
         0,
         true,
         {},
         {},
         info});
    r.add({QStringLiteral("read"),
           QStringLiteral("ADDR"),
           QStringLiteral("read a RAM word"),
           1,
           1,
           true,
           {},
           {},
           readWord});
    r.add({QStringLiteral("write"),
           QStringLiteral("ADDR VAL"),
           QStringLiteral("write a RAM word"),
           2,
           2,
           true,
           {},
           {},
           writeWord});
    r.add({QStringLiteral("read32"),
           QStringLiteral("ADDR"),
           QStringLiteral("read a RAM double word (ADDR low, ADDR+1 high)"),
           1,
           1,
           true,
           {},
           {},
           readDWord});
    r.add({QStringLiteral("write32"),
           QStringLiteral("ADDR VAL"),
           QStringLiteral("write a RAM double word"),
           2,
           2,
           true,
           {},
           {},
           writeDWord});
    r.add({QStringLiteral("eeprom-read"),
           QStringLiteral("ADDR [--byte]"),
           QStringLiteral("read an EEPROM word (or byte) at a byte address"),
           1,
           1,
           true,
           {QStringLiteral("byte")},
           {},
           eepromRead});
    r.add({QStringLiteral("eeprom-write"),
           QStringLiteral("ADDR VAL"),
           QStringLiteral("write an EEPROM word at a byte address"),
           2,
           2,
           true,
           {},
           {},
           eepromWrite});
    r.add({QStringLiteral("control"),
           QStringLiteral("CODE"),
           QStringLiteral("send a control code (50 load encoder, 51 store, 52 keep)"),
           1,
           1,
           true,
           {},
           {},
           control});
    r.add({QStringLiteral("modbus-read"),
           QStringLiteral("REG"),
           QStringLiteral("read a register with Modbus function 3"),
           1,
           1,
           true,
           {},
           {},
           modbusRead});
}

const CommandGroup linkGroup(QStringLiteral("1 Drive link"), registerLinkCommands);

}  // namespace

}  // namespace tevra::cli
