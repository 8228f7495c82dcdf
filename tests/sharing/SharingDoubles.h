#pragma once

#include "platform/ProgramLauncher.h"
#include "platform/WebView.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace bw::test {

// What the web-view doubles saw, shared by all views of one module.
struct WebViewLog {
    int viewsCreated = 0;
    std::vector<QString> navigations;
    // Every size the window asked for, in order: 'H' or 'W' and the twips.
    std::vector<std::pair<char, int>> sizeRequests;
};

// A browser area that records what it is told. Like the real control it
// refuses a negative size and keeps the previous one.
class FakeWebView : public QWidget, public WebView {
public:
    FakeWebView(QWidget* parent, WebViewLog& log) : QWidget(parent), log_(log) { ++log_.viewsCreated; }

    QWidget* widget() override { return this; }
    void navigate(const QString& address) override { log_.navigations.push_back(address); }
    int heightTwips() const override { return heightTwips_; }
    int widthTwips() const override { return widthTwips_; }
    bool setHeightTwips(int twips) override {
        log_.sizeRequests.emplace_back('H', twips);
        if (twips < 0) {
            return false;
        }
        heightTwips_ = twips;
        return true;
    }
    bool setWidthTwips(int twips) override {
        log_.sizeRequests.emplace_back('W', twips);
        if (twips < 0) {
            return false;
        }
        widthTwips_ = twips;
        return true;
    }

private:
    WebViewLog& log_;
    int heightTwips_ = -1;
    int widthTwips_ = -1;
};

class FakeWebViewModule : public WebViewModule {
public:
    WebViewLog log;

    WebView* createView(QWidget* parent) override { return new FakeWebView(parent, log); }
};

// A launcher that records each command line and answers as scripted.
class RecordingLauncher : public ProgramLauncher {
public:
    struct Call {
        QString commandLine;
        int windowStyle;
    };
    std::vector<Call> calls;
    LaunchResult answer{true, {}};

    LaunchResult start(const QString& commandLine, int windowStyle) override {
        calls.push_back({commandLine, windowStyle});
        return answer;
    }
};

}  // namespace bw::test
