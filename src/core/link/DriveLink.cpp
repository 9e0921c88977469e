#include "link/DriveLink.h"

#include "text/TextUtil.h"

namespace tevra {

DriveLink::DriveLink(std::unique_ptr<SerialPort> port) : port_(std::move(port)) {}

DriveLink::~DriveLink() {
    if (port_) {
        port_->close();
    }
}

bool DriveLink::ReadWord(uint32_t address, uint16_t& value) {
    return protocol_.ReadWord(*port_, station(), address, value);
}

bool DriveLink::WriteWord(uint32_t address, uint16_t value) {
    return protocol_.WriteWord(*port_, station(), address, value);
}

bool DriveLink::ReadDWord(uint32_t address, uint32_t& value) {
    return protocol_.ReadDWord(*port_, station(), address, value);
}

bool DriveLink::WriteDWord(uint32_t address, uint32_t value) {
    return protocol_.WriteDWord(*port_, station(), address, value);
}

bool DriveLink::ReadEepromWord(uint32_t byteAddress, uint16_t& value) {
    return protocol_.ReadEepromWord(*port_, station(), byteAddress, value);
}

bool DriveLink::WriteEepromWord(uint32_t byteAddress, uint16_t value) {
    return protocol_.WriteEepromWord(*port_, station(), byteAddress, value);
}

bool DriveLink::ReadEepromByte(uint32_t byteAddress, uint16_t& value) {
    return protocol_.ReadEepromByte(*port_, station(), byteAddress, value);
}

bool DriveLink::ReadInfoString(uint8_t code, QString& text) {
    return protocol_.ReadInfoString(*port_, station(), code, text);
}

bool DriveLink::SendControlCode(uint8_t code) {
    return protocol_.SendControlCode(*port_, station(), code);
}

bool DriveLink::LinkProbe() {
    return protocol_.LinkProbe(*port_, station());
}

bool DriveLink::ReadWordReported(uint32_t address, uint16_t& value, ReadFailureReporter& reporter) {
    if (ReadWord(address, value)) {
        return true;
    }
    reporter.reportReadFailure(QStringLiteral("读取参数失败，参数号: ") + hexText(address, 2),
                               QStringLiteral("错误"));
    return false;
}

}  // namespace tevra
