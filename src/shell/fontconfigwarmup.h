// Reads the system's font configuration on a thread of its own while the
// application connects to the display. Where fonts come from fontconfig,
// its first use parses every configuration file and the font cache, which
// no window can do without; started first, that is done by the time the
// first window measures its texts. Elsewhere it does nothing.
#pragma once

#include <thread>

class FontconfigWarmUp
{
public:
    FontconfigWarmUp();
    ~FontconfigWarmUp() { wait(); }

    // Waits until the configuration is read.
    void wait();

    FontconfigWarmUp(const FontconfigWarmUp &) = delete;
    FontconfigWarmUp &operator=(const FontconfigWarmUp &) = delete;

private:
    std::thread m_reading;
};
