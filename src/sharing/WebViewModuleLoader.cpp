#include "WebViewModuleLoader.h"

#include "platform/WebView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include <cstdio>
#include <unistd.h>

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
    if (done || geteuid() != 0) {
        return;
    }
    done = true;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fputs("boxwright: running as root, so the web engine's sandbox is turned off "
               "(QTWEBENGINE_DISABLE_SANDBOX=1)\n",
               stderr);
    std::fflush(stderr);
}

}  // namespace

bool webViewModuleBuilt() { return BOXWRIGHT_MODULE_FILE[0] != '\0'; }

void prepareWebEngineBeforeApplication() {
    if (webViewModuleBuilt()) {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
}

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

WebViewModule* loadWebViewModule(QString* why, const QStringList& extraFolders) {
    auto fail = [why](const QString& reason) -> WebViewModule* {
        if (why != nullptr) {
            *why = reason;
        }
        return nullptr;
    };
    if (!webViewModuleBuilt()) {
        return fail(QStringLiteral("this build has no web engine"));
    }

    QString file;
    const QStringList folders = extraFolders + webViewModuleFolders();
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), QStringLiteral(BOXWRIGHT_MODULE_FILE));
        if (candidate.isFile()) {
            file = candidate.absoluteFilePath();
            break;
        }
    }
    if (file.isEmpty()) {
        return fail(QStringLiteral("%1 not found in %2")
                        .arg(QStringLiteral(BOXWRIGHT_MODULE_FILE), folders.join(QStringLiteral(", "))));
    }

    allowEngineAsRoot();
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
