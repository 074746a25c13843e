#pragma once

class HelpSystem;
class MainWindow;
class PrinterChoice;
class ScreenRegistry;

// The composition root: which class the registry builds under each screen
// name, and the reads that cross screens (the gate reads the euro rate screen).
namespace ScreenCatalog {

// `printers`: the main window's printer set-up, which the pay slip screens
// print through; it must outlive the registry's screens.
void registerScreens(ScreenRegistry &registry, const PrinterChoice *printers = nullptr);
void wire(MainWindow &window, ScreenRegistry &registry);

} // namespace ScreenCatalog
