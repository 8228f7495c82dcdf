#include "CommandLine.h"

#include <QCommandLineParser>

namespace bw {

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("開くスクリプト"), QStringLiteral("[FILE]"));
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
    } else if (parser.positionalArguments().size() > 1) {
        result.error = QStringLiteral("開けるファイルは一つです。");
    } else if (!parser.positionalArguments().isEmpty()) {
        result.file = parser.positionalArguments().constFirst();
    }
    return result;
}

QString commandLineUsage() { return QStringLiteral("使い方: boxwright [FILE]"); }

}  // namespace bw
