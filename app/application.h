#pragma once
// Start-up shared by the viewer and the replay driver: the application's title, style and
// icon, then the main window shown maximised and activated once.
#include <QApplication>
#include <memory>

#include "app/main_window.h"

namespace tarvelin {

void ConfigureApplication(QApplication& app);

// Creates the main window, shows it maximised, runs its activation (the open-log command with
// the first argument) and brings it to the front.
std::unique_ptr<TForm1> StartMainWindow(ViewerState& state, ErrorReport& report, bool exposePaints);

}  // namespace tarvelin
