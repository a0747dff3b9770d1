#include "companions/portpicker/PortPickerCommandLine.h"

#include "companions/common/ComPortMap.h"
#include "companions/common/PortChoice.h"
#include "companions/common/SerialPorts.h"

#include <QFileInfo>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int BadArguments = 2;

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int usage(const QString& problem) {
    print(stderr, problem);
    print(stderr, u"Usage: keywright24-portpicker [--list | --set DEVICE [--type U|R|V]]"_s);
    return BadArguments;
}

int listPorts() {
    const QList<SerialPortInfo> ports = ListSerialPorts();
    const QString gone = RecordedPortGone(ReadRecordedPort());
    if (!gone.isEmpty())
        print(stderr, gone);
    if (ports.isEmpty())
        print(stderr, u"No serial ports found."_s);
    for (const SerialPortInfo& port : ports)
        print(stdout, QStringList{port.device, port.systemDevice, QString(port.kind), port.manufacturer,
                                  port.product, port.serialNumber}
                          .join(u'\t'));
    return Done;
}

int setPort(const QString& device, std::optional<QChar> kind) {
    const QString stable = StableDeviceName(device);
    try {
        const PortChoiceResult result =
            RecordPortChoice(stable, kind.value_or(GuessPortKind(QFileInfo(stable).canonicalFilePath())));
        print(stdout, u"COM%1\t%2"_s.arg(result.comPort).arg(stable));
        if (!result.warning.isEmpty())
            print(stderr, result.warning);
        return Done;
    } catch (const ComPortError& error) {
        print(stderr, error.message());
        return Failed;
    }
}

} // namespace

std::optional<int> RunPortPickerCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return std::nullopt;
    if (arguments == QStringList{u"--list"_s})
        return listPorts();
    if (arguments.front() != u"--set"_s)
        return usage(u"Unknown argument: %1"_s.arg(arguments.front()));
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return usage(u"--set needs a device."_s);
    std::optional<QChar> kind;
    if (arguments.size() == 4 && arguments.at(2) == u"--type"_s) {
        const QString type = arguments.at(3).toUpper();
        if (type.size() != 1 || !IsPortKind(type.front()))
            return usage(u"--type must be U (USB), R (DB9) or V (CDC)."_s);
        kind = type.front();
    } else if (arguments.size() != 2) {
        return usage(u"Unexpected arguments after --set %1."_s.arg(arguments.at(1)));
    }
    return setPort(arguments.at(1), kind);
}
