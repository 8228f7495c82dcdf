#include "ConsoleCommands.h"

#include "BuildSettings.h"
#include "CommandLine.h"
#include "platform/ProgramText.h"
#include "commands/ConvertCommand.h"
#include "platform/SystemFileStore.h"
#include "platform/qt/TextConversion.h"

#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace bw {

namespace {

// Writes the text; false when the stream took it not.
bool write(std::FILE* stream, const QString& text) {
    const std::string bytes = consoleBytes(toU16(text));
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

bool print(std::FILE* stream, const QString& text) { return write(stream, text + u'\n'); }

// Whether everything written to the stream has reached it.
bool delivered(std::FILE* stream) { return std::fflush(stream) == 0 && std::ferror(stream) == 0; }

// The exit code once the output is out: `code`, or 1 when standard output or
// error lost a line (said on standard error when only the output failed).
int finish(int code, bool written) {
    const bool output = delivered(stdout);
    if (!output) {
        print(stderr, QStringLiteral("boxwright: 標準出力に書き込めませんでした。"));
    }
    const bool errors = delivered(stderr);
    return written && output && errors ? code : 1;
}

}  // namespace

int runConsoleCommand(const CommandLine& commandLine) {
    if (!commandLine.ok()) {
        print(stderr, QStringLiteral("boxwright: ") + commandLine.error);
        print(stderr, commandLineUsage());
        std::fflush(stderr);
        return 2;
    }
    switch (commandLine.mode) {
        case CommandLine::Mode::Help:
            return finish(0, write(stdout, commandLineHelp()));
        case CommandLine::Mode::Version:
            return finish(0, print(stdout, QStringLiteral("Boxwright ") + QString::fromLatin1(build::kVersion)));
        case CommandLine::Mode::Window:
            return 2;
        case CommandLine::Mode::Convert:
            break;
    }
    std::vector<std::u16string> scripts;
    for (const QString& script : commandLine.scripts) {
        scripts.push_back(toU16(script));
    }
    const auto files = makeSystemFileStore();
    bool all = true;
    bool written = true;
    convertAllToPs1(scripts, commandLine.force, *files, [&](const Conversion& conversion) {
        written = print(conversion.converted ? stdout : stderr, toQString(conversion.report)) && written;
        all = all && conversion.converted;
    });
    return finish(all ? 0 : 1, written);
}

}  // namespace bw
