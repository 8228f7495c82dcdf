#include "ConsoleCommands.h"

#include "BuildSettings.h"
#include "CommandLine.h"
#include "commands/ConvertCommand.h"
#include "platform/SystemFileStore.h"
#include "platform/qt/TextConversion.h"

#include <QString>

#include <cstdio>

namespace bw {

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

}  // namespace

int runConsoleCommand(const CommandLine& commandLine) {
    if (!commandLine.ok()) {
        print(stderr, QStringLiteral("boxwright: ") + commandLine.error);
        print(stderr, commandLineUsage());
        return 2;
    }
    switch (commandLine.mode) {
        case CommandLine::Mode::Help:
            std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
            return 0;
        case CommandLine::Mode::Version:
            print(stdout, QStringLiteral("Boxwright ") + QString::fromLatin1(build::kVersion));
            return 0;
        case CommandLine::Mode::Window:
            return 2;
        case CommandLine::Mode::Convert:
            break;
    }
    const auto files = makeSystemFileStore();
    bool all = true;
    for (const QString& script : commandLine.scripts) {
        const Conversion conversion = convertToPs1(toU16(script), commandLine.force, *files);
        print(conversion.converted ? stdout : stderr, toQString(conversion.report));
        all = all && conversion.converted;
    }
    return all ? 0 : 1;
}

}  // namespace bw
