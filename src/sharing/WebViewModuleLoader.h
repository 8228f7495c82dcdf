#pragma once

#include <QString>
#include <QStringList>

namespace bw {

class WebViewModule;

// Finds and loads the web-view module (Qt WebEngine) on first use, so that a
// start that never opens the upload window never loads the engine.
//
// Searched, in this order: the folders given, $BOXWRIGHT_MODULE_DIR, the
// installed place relative to the program (<bin>/../lib/boxwright), and the
// build tree's modules/ folder beside the program.
// Returns null, with the reason in why, when the build has no web engine or
// the module cannot be loaded.
WebViewModule* loadWebViewModule(QString* why, const QStringList& extraFolders = {});

// The module file loadWebViewModule would load, searched the same way, without
// loading it; empty, with the reason in why, when there is none.
QString findWebViewModule(QString* why, const QStringList& extraFolders = {});

// The folders loadWebViewModule searches after the extra ones.
QStringList webViewModuleFolders();

// Whether this build has the web-view module at all.
bool webViewModuleBuilt();

}  // namespace bw
