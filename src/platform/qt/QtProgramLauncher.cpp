#include "QtProgramLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace bw {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

}  // namespace

QStringList QtProgramLauncher::splitCommandLine(const QString& commandLine) {
    QStringList words;
    QString word;
    for (const QChar c : commandLine) {
        if (isBlank(c)) {
            if (!word.isEmpty()) {
                words.append(word);
                word.clear();
            }
        } else {
            word.append(c);
        }
    }
    if (!word.isEmpty()) {
        words.append(word);
    }
    return words;
}

LaunchResult QtProgramLauncher::start(const QString& commandLine, int /*windowStyle*/) {
    QStringList words = splitCommandLine(commandLine);
    if (words.isEmpty()) {
        return {false, QStringLiteral("起動するコマンドが空です。")};
    }
    const QString name = words.takeFirst();

    // Look the program up ourselves, so that a missing program is reported as
    // such rather than as a failed exec.
    QString program = name;
    if (!name.contains(QLatin1Char('/'))) {
        program = QStandardPaths::findExecutable(name);
        if (program.isEmpty()) {
            return {false, QStringLiteral(
                               "プログラム「%1」が見つかりません。検索パス（PATH）にこの名前のプログラムはありません。")
                               .arg(name)};
        }
    }

    QProcess process;
    process.setProgram(program);
    process.setArguments(words);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        return {false, QStringLiteral("プログラム「%1」を起動できません（%2）。").arg(name, process.errorString())};
    }
    return {true, {}};
}

}  // namespace bw
