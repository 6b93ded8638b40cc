// Reads the system's font configuration on a thread of its own while the
// program opens its files after the main window maps. Where fonts come from
// fontconfig, its first use parses every configuration file and the font
// cache, which no window can do without; so that is done by the time the
// window first measures its texts. Elsewhere it does nothing.
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
