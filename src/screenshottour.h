#pragma once

#include <QString>

class HelpSystem;
class MainWindow;
class ScreenRegistry;

// Opens every screen of the program in turn, as a user would from the main
// window, and writes one picture per screen into a folder (make screenshots).
namespace ScreenshotTour {

int run(MainWindow &window, ScreenRegistry &registry, HelpSystem &help, const QString &outputDir);

} // namespace ScreenshotTour
