#pragma once

// The screens as the program registers and wires them, for the tests that
// drive several screens through the main window and the registry.

#include "helpsystem.h"
#include "mainwindow.h"
#include "printerchoice.h"
#include "screencatalog.h"
#include "screenregistry.h"

namespace TestSupport {

struct WiredProgram
{
    PrinterChoice printers;
    ScreenRegistry registry;
    HelpSystem help;
    MainWindow window{registry, help, printers};

    WiredProgram()
    {
        ScreenCatalog::registerScreens(registry, &printers);
        ScreenCatalog::wire(window, registry);
    }
};

} // namespace TestSupport
