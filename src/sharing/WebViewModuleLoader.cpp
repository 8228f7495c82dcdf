#include "WebViewModuleLoader.h"

#include "platform/Superuser.h"
#include "platform/WebView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPluginLoader>

#include <cstdio>

#ifndef BOXWRIGHT_MODULE_FILE
#define BOXWRIGHT_MODULE_FILE ""
#endif
#ifndef BOXWRIGHT_MODULE_INSTALL_DIR
#define BOXWRIGHT_MODULE_INSTALL_DIR "../lib/boxwright"
#endif
#ifndef BOXWRIGHT_MODULE_BUILD_DIR
#define BOXWRIGHT_MODULE_BUILD_DIR "modules"
#endif

namespace bw {

namespace {

// Chromium refuses to run its sandbox as root. Turn it off for this process
// before the engine starts, and say so once.
void allowEngineAsRoot() {
    static bool done = false;
    if (done || !runsAsSuperuser()) {
        return;
    }
    done = true;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fputs(
        "boxwright: running as root, so the web engine's sandbox is turned off "
        "(QTWEBENGINE_DISABLE_SANDBOX=1)\n",
        stderr);
    std::fflush(stderr);
}

// Loaded after QApplication, the engine finds no OpenGL context shared with
// the application and composes its pages in software, which serves an upload
// form well. Sharing contexts would mean Qt::AA_ShareOpenGLContexts before
// QApplication, and so an OpenGL context made at every start: measured under
// Xvfb, that alone made the start about three times slower and larger.
//
// Two things follow. The engine's start-up report of its graphics set-up
// (category qt.webenginecontext, info and debug) reads the shared context
// without checking that there is one and crashes (Qt 6.4), so that category
// is kept off whatever the logging rules say. And the engine's warnings about
// the missing context tell an application that links it what to change; here
// they are expected, so they are dropped while every other message passes on.
QLoggingCategory::CategoryFilter previousCategoryFilter = nullptr;
QtMessageHandler previousHandler = nullptr;

void keepEngineReportOff(QLoggingCategory* category) {
    if (previousCategoryFilter != nullptr) {
        previousCategoryFilter(category);
    }
    if (qstrcmp(category->categoryName(), "qt.webenginecontext") == 0) {
        category->setEnabled(QtDebugMsg, false);
        category->setEnabled(QtInfoMsg, false);
    }
}

// The warnings about the missing shared context, and the engine's own note on
// the sandbox, which allowEngineAsRoot has already given.
bool isExpectedEngineMessage(QtMsgType type, const QString& message) {
    if (type == QtInfoMsg) {
        return message == QLatin1String("Sandboxing disabled by user.");
    }
    return type == QtWarningMsg &&
           (message.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin")) ||
            message.startsWith(QLatin1String("WebEngineContext used before QtWebEngineCore::initialize()")) ||
            message.startsWith(QLatin1String("No suitable graphics backend found")));
}

void dropExpectedEngineMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (isExpectedEngineMessage(type, message)) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

// Before the engine's library is loaded: its start-up code runs at load.
void prepareEngineLogging() {
    static bool done = false;
    if (!done) {
        done = true;
        previousCategoryFilter = QLoggingCategory::installFilter(keepEngineReportOff);
        previousHandler = qInstallMessageHandler(dropExpectedEngineMessages);
    }
}

}  // namespace

bool webViewModuleBuilt() { return BOXWRIGHT_MODULE_FILE[0] != '\0'; }

QStringList webViewModuleFolders() {
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("BOXWRIGHT_MODULE_DIR");
    if (!fromEnvironment.isEmpty()) {
        folders << fromEnvironment;
    }
    const QDir programDir(QCoreApplication::applicationDirPath());
    folders << QDir::cleanPath(programDir.filePath(QStringLiteral(BOXWRIGHT_MODULE_INSTALL_DIR)))
            << QDir::cleanPath(programDir.filePath(QStringLiteral(BOXWRIGHT_MODULE_BUILD_DIR)));
    return folders;
}

QString findWebViewModule(QString* why, const QStringList& extraFolders) {
    auto fail = [why](const QString& reason) {
        if (why != nullptr) {
            *why = reason;
        }
        return QString();
    };
    if (!webViewModuleBuilt()) {
        return fail(QStringLiteral("this build has no web engine"));
    }
    const QStringList folders = extraFolders + webViewModuleFolders();
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), QStringLiteral(BOXWRIGHT_MODULE_FILE));
        if (candidate.isFile()) {
            return candidate.absoluteFilePath();
        }
    }
    return fail(QStringLiteral("%1 not found in %2")
                    .arg(QStringLiteral(BOXWRIGHT_MODULE_FILE), folders.join(QStringLiteral(", "))));
}

WebViewModule* loadWebViewModule(QString* why, const QStringList& extraFolders) {
    auto fail = [why](const QString& reason) -> WebViewModule* {
        if (why != nullptr) {
            *why = reason;
        }
        return nullptr;
    };
    const QString file = findWebViewModule(why, extraFolders);
    if (file.isEmpty()) {
        return nullptr;
    }

    allowEngineAsRoot();
    prepareEngineLogging();
    // The loader stays alive for the process: the module is never unloaded.
    static QPluginLoader* loader = nullptr;
    if (loader == nullptr || loader->fileName() != file) {
        loader = new QPluginLoader(file);
    }
    QObject* instance = loader->instance();
    if (instance == nullptr) {
        return fail(loader->errorString());
    }
    auto* module = qobject_cast<WebViewModule*>(instance);
    if (module == nullptr) {
        return fail(QStringLiteral("%1 is not a web-view module").arg(file));
    }
    return module;
}

}  // namespace bw
