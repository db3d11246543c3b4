#pragma once

class Controller;

// Form_Load: the start-up sequence of the main window.
class Startup
{
public:
    explicit Startup(Controller& c) : c(c) {}
    // Returns false when another copy runs: the message has been shown and the process must end
    // without writing anything.
    bool Form_Load();

private:
    Controller& c;
};
