// SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
//
// SPDX-License-Identifier: MIT

#pragma once
#include <functional>
#include <string>

namespace vexo {

// What the main window's frame asks of the rest of the program. The application shell implements
// it over the device link and the configuration; tests record the calls.
class FrameActions {
public:
    virtual ~FrameActions() = default;
    // A usable mouse is present (the handshake passed).
    virtual bool mousePresent() const = 0;
    // Called before every showing of the basic page. The first call with a mouse present reads
    // the mouse's settings into the configuration once (on a first run it also sets the default
    // button labels) and returns true, as the page then has new values to show; otherwise false.
    virtual bool prepareBasicPage() = 0;
    // Called before a face that was given back is loaded again, so that what only drawing needs
    // (the fonts) can wait until then.
    virtual void prepareFace() {}
    // Sends the edited configuration to the mouse and saves it with the button labels; then runs
    // done on this thread. The save may still be running when this returns: done then runs from
    // the event loop once it is over and its problems were told. Until done the configuration and
    // the labels must not change.
    virtual void applyConfig(std::function<void()> done) = 0;
    // Copies the edited configuration over the applied snapshot.
    virtual void takeSnapshot() = 0;
    // Copies the applied snapshot back over the edited configuration.
    virtual void restoreSnapshot() = 0;
    // Applies the desktop's pointer settings of the advanced page.
    virtual void applyDesktopSettings() = 0;
    // Opens the skin picker.
    virtual void openSkinPicker() = 0;
    // Opens url in the desktop's default browser.
    virtual void openUrl(const std::string& url) = 0;
    // Shutdown clean-up, then the process ends with status 0.
    virtual void shutdown() = 0;
};

} // namespace vexo
