#pragma once

class HelpSystem;
class MainWindow;
class PrinterChoice;
class ScreenRegistry;

// The composition root: which class the registry builds under each screen
// name, and the reads that cross screens (the gate reads the euro rate screen).
namespace ScreenCatalog {

void registerScreens(ScreenRegistry &registry);
void wire(MainWindow &window, ScreenRegistry &registry);

} // namespace ScreenCatalog
