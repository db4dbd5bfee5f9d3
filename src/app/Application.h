#pragma once

// Wires the real seams to the main window: what main() runs, and what the demo runs.

#include <memory>

class frmMain;

class Application
{
public:
    Application();
    ~Application();

    // Runs the start-up sequence and shows the main window.
    frmMain& start();

private:
    struct Parts;
    std::unique_ptr<Parts> parts;
};
