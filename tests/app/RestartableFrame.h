#pragma once

// A main window over an installation of its own whose store holds the given values, started again
// over the same store to see what a user finds after a restart.

#include "AppTestSupport.h"
#include "app/CMainFrame.h"

#include <memory>

struct RestartableFrame {
    TestInstallation installation;
    std::unique_ptr<CMainFrame> frame;

    explicit RestartableFrame(std::initializer_list<std::pair<const char*, QVariant>> values) {
        installation.WriteStore(values);
        Restart();
    }

    // The window goes (writing its settings back) and a new one starts over the same store.
    void Restart() {
        frame.reset();
        MainFrameOptions options;
        options.settingsPath = installation.StorePath();
        frame = std::make_unique<CMainFrame>(options);
    }
};
