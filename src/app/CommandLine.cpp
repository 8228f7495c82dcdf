#include "CommandLine.h"

#include "platform/ProgramText.h"
#include "platform/qt/TextConversion.h"

#include <QCommandLineParser>

#include <array>
#include <string_view>


namespace bw {

namespace {

const QString kToPs1 = QStringLiteral("to-ps1");
const QString kForce = QStringLiteral("force");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

// The options Qt's application classes take from the command line, spelt with
// one dash or two, as QGuiApplication and QApplication document them (with
// the X11 ones): how each takes its value.
enum class QtValue { None, Next, NextOrEquals, Equals };

struct QtOption {
    std::string_view name;
    QtValue value;
};

constexpr std::array kQtOptions{
    QtOption{"platform", QtValue::Next},
    QtOption{"platformpluginpath", QtValue::Next},
    QtOption{"platformtheme", QtValue::Next},
    QtOption{"plugin", QtValue::Next},
    QtOption{"qwindowgeometry", QtValue::Next},
    QtOption{"qwindowicon", QtValue::Next},
    QtOption{"qwindowtitle", QtValue::Next},
    QtOption{"session", QtValue::Next},
    QtOption{"display", QtValue::Next},
    QtOption{"geometry", QtValue::Next},
    QtOption{"title", QtValue::Next},
    QtOption{"icon", QtValue::Next},
    QtOption{"name", QtValue::Next},
    QtOption{"visual", QtValue::Next},
    QtOption{"style", QtValue::NextOrEquals},
    QtOption{"stylesheet", QtValue::NextOrEquals},
    QtOption{"qmljsdebugger", QtValue::NextOrEquals},
    QtOption{"dialogs", QtValue::Equals},
    QtOption{"fontengine", QtValue::Equals},
    QtOption{"reverse", QtValue::None},
    QtOption{"widgetcount", QtValue::None},
    QtOption{"nograb", QtValue::None},
    QtOption{"dograb", QtValue::None},
    QtOption{"sync", QtValue::None},
    QtOption{"testability", QtValue::None},
};

// How many arguments from `at` are a Qt option with its value (0 when the
// argument is none of them), or -1 for an option whose value is missing.
int qtOptionAt(const QStringList& arguments, int at) {
    const QString& argument = arguments.at(at);
    if (!argument.startsWith(u'-')) {
        return 0;
    }
    const QString spelt = argument.startsWith(QStringLiteral("--")) ? argument.mid(2) : argument.mid(1);
    const qsizetype equals = spelt.indexOf(u'=');
    const QString name = equals < 0 ? spelt : spelt.left(equals);
    for (const QtOption& option : kQtOptions) {
        if (name != QLatin1String(option.name.data(), static_cast<qsizetype>(option.name.size()))) {
            continue;
        }
        const bool hasEquals = equals >= 0;
        switch (option.value) {
            case QtValue::None:
                return hasEquals ? 0 : 1;
            case QtValue::Equals:
                return hasEquals ? 1 : -1;
            case QtValue::NextOrEquals:
                if (hasEquals) {
                    return 1;
                }
                [[fallthrough]];
            case QtValue::Next:
                if (hasEquals) {
                    return 0;
                }
                return at + 1 < arguments.size() ? 2 : -1;
        }
    }
    return 0;
}

bool isOurLongOption(const QString& name) { return QStringList{kToPs1, kForce, kHelp, kVersion}.contains(name); }

// The first argument QCommandLineParser did not take, said in Japanese.
QString optionError(const QStringList& arguments) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QStringLiteral("--")) {
            break;
        }
        if (!argument.startsWith(u'-') || argument == QStringLiteral("-")) {
            continue;
        }
        if (argument.startsWith(QStringLiteral("--"))) {
            const QString spelt = argument.mid(2);
            const qsizetype equals = spelt.indexOf(u'=');
            if (equals >= 0 && isOurLongOption(spelt.left(equals))) {
                return QStringLiteral("--%1 は値を取りません: %2").arg(spelt.left(equals), argument);
            }
            if (isOurLongOption(spelt)) {
                continue;
            }
        } else if (argument.mid(1).count(u'h') == argument.size() - 1) {
            continue;  // -h, alone or repeated
        }
        QString error = QStringLiteral("不明なオプションです: ") + argument;
        if (argument.contains(u'.') || argument.contains(u'/')) {
            error += QStringLiteral("\n- で始まるファイル名なら、-- の後に書くか（-- %1）、./%1 と書いてください。")
                         .arg(argument);
        }
        return error;
    }
    return QStringLiteral("引数を読み取れませんでした。");
}

}  // namespace

QStringList programArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (const std::u16string& argument : systemArguments(argc, argv)) {
        arguments << toQString(argument);
    }
    return arguments;
}

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    // Qt's options are set apart; QCommandLineParser reads the rest.
    QStringList ours{arguments.value(0, QStringLiteral("boxwright"))};
    bool optionsEnded = false;
    for (int at = 1; at < arguments.size(); ++at) {
        const QString& argument = arguments.at(at);
        optionsEnded = optionsEnded || argument == QStringLiteral("--");
        const int qtOption = optionsEnded ? 0 : qtOptionAt(arguments, at);
        if (qtOption < 0) {
            result.error = QStringLiteral("%1 には値が必要です。").arg(argument);
            return result;
        }
        if (qtOption == 0) {
            ours << argument;
            continue;
        }
        for (int taken = 0; taken < qtOption; ++taken) {
            result.qtArguments.push_back(at + taken);
        }
        at += qtOption - 1;
    }

    QCommandLineParser parser;
    parser.addOption({kToPs1, {}});
    parser.addOption({kForce, {}});
    parser.addOption({{QStringLiteral("h"), kHelp}, {}});
    parser.addOption({kVersion, {}});
    parser.addPositionalArgument(QStringLiteral("file"), {}, QStringLiteral("[FILE]"));
    if (!parser.parse(ours)) {
        result.error = optionError(ours);
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
    return parseCommandLine(arguments).mode != CommandLine::Mode::Window;
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
        "      同じファイルは一度だけ変換し、同じ .ps1 になる別のファイルや、.ps1 が変換するファイル\n"
        "      そのものになるファイルは、何も書く前に断ります。\n"
        "\n"
        "オプション:\n"
        "  --to-ps1    .vbs ファイルを PowerShell スクリプト（.ps1）に変換します。\n"
        "  --force     すでにある .ps1 ファイルを上書きします（--to-ps1 と一緒に）。\n"
        "  -h, --help  この説明を表示します。\n"
        "  --version   バージョンを表示します。\n"
        "  --          これより後はすべてファイル名です（- で始まるファイル名に）。\n"
        "\n"
        "Qt のオプション（-platform、-style など）はウィンドウに渡します。\n");
}

}  // namespace bw
