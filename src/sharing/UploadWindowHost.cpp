#include "UploadWindowHost.h"

#include "BuildSettings.h"
#include "Form2.h"
#include "WebViewModuleLoader.h"
#include "model/MessageBoxStyle.h"
#include "platform/qt/DefaultBrowser.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/TextConversion.h"

#include <cstdio>

namespace bw {

UploadServices UploadServices::defaults() {
    UploadServices services;
    services.address = QString::fromUtf8(build::kUploadUrl);
    services.loadModule = [](QString* why) { return loadWebViewModule(why); };
    services.openInBrowser = openInDefaultBrowser;
    return services;
}

UploadWindowHost::UploadWindowHost() : UploadWindowHost(UploadServices::defaults()) {}

UploadWindowHost::UploadWindowHost(UploadServices services) : services_(std::move(services)) {
    if (services_.messages == nullptr) {
        ownMessages_ = std::make_unique<QtMessageBox>(nullptr);
        services_.messages = ownMessages_.get();
    }
}

UploadWindowHost::~UploadWindowHost() = default;

Form2* UploadWindowHost::window() const { return window_.window(); }

WebViewModule* UploadWindowHost::module() {
    if (!moduleTried_) {
        moduleTried_ = true;
        QString why;
        module_ = services_.loadModule ? services_.loadModule(&why) : nullptr;
        if (module_ == nullptr) {
            std::fprintf(stderr, "boxwright: no embedded browser (%s); the upload page opens in the default browser\n",
                         qPrintable(why));
        }
    }
    return module_;
}

void UploadWindowHost::show() {
    // A window already open is only brought to the front, not loaded again.
    if (module() != nullptr) {
        window_.show([this] { return new Form2(*module(), services_.address); });
        return;
    }

    if (services_.openInBrowser && services_.openInBrowser(services_.address)) {
        return;
    }
    // Neither an embedded nor a default browser: the user must not be left
    // wondering why nothing opened.
    const QString prompt =
        QStringLiteral("アップロードのページを開けませんでした。\r\nブラウザーで次のアドレスを開いてください。\r\n%1")
            .arg(services_.address);
    services_.messages->show(toU16(prompt), msgbox::OkOnly | msgbox::Exclamation, u"ZMRソース、VBSファイルアップ");
}

}  // namespace bw
