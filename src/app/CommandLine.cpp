#include "CommandLine.h"

#include <QCommandLineParser>

namespace bw {

namespace {

const QString kToPs1 = QStringLiteral("to-ps1");
const QString kForce = QStringLiteral("force");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({kToPs1, {}});
    parser.addOption({kForce, {}});
    parser.addOption({{QStringLiteral("h"), kHelp}, {}});
    parser.addOption({kVersion, {}});
    parser.addPositionalArgument(QStringLiteral("file"), {}, QStringLiteral("[FILE]"));
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(kHelp)) {
        result.mode = CommandLine::Mode::Help;
    } else if (parser.isSet(kVersion)) {
        result.mode = CommandLine::Mode::Version;
    } else if (parser.isSet(kToPs1)) {
        result.mode = CommandLine::Mode::Convert;
        result.scripts = files;
        result.force = parser.isSet(kForce);
        if (files.isEmpty()) {
            result.error = QStringLiteral("変換する .vbs ファイルを指定してください。");
        }
    } else if (parser.isSet(kForce)) {
        result.error = QStringLiteral("--force は --to-ps1 と一緒に使います。");
    } else if (files.size() > 1) {
        result.error = QStringLiteral("開けるファイルは一つです。");
    } else if (!files.isEmpty()) {
        result.file = files.constFirst();
    }
    return result;
}

bool asksForNoWindow(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QStringLiteral("--")) {
            break;
        }
        if (argument == QStringLiteral("-h") || (argument.startsWith(QStringLiteral("--")) &&
                                                 QStringList{kToPs1, kHelp, kVersion}.contains(argument.mid(2)))) {
            return true;
        }
    }
    return false;
}

QString commandLineUsage() {
    return QStringLiteral("使い方: boxwright [FILE] | boxwright --to-ps1 [--force] FILE.vbs... | boxwright --help");
}

QString commandLineHelp() {
    return QStringLiteral(
        "使い方:\n"
        "  boxwright [FILE]\n"
        "      エディターを開きます。FILE（.vbs または .ps1）があれば、それを読み込みます。\n"
        "  boxwright --to-ps1 [--force] FILE.vbs...\n"
        "      ウィンドウを開かずに、各 FILE.vbs の隣に PowerShell スクリプト FILE.ps1 を書きます。\n"
        "      ファイルごとに結果を一行表示し、すべて変換できたときは 0、それ以外は 1 で終わります。\n"
        "\n"
        "オプション:\n"
        "  --to-ps1    .vbs ファイルを PowerShell スクリプト（.ps1）に変換します。\n"
        "  --force     すでにある .ps1 ファイルを上書きします（--to-ps1 と一緒に）。\n"
        "  -h, --help  この説明を表示します。\n"
        "  --version   バージョンを表示します。\n");
}

}  // namespace bw
