#include "shell/fontconfigwarmup.h"

#ifdef VURA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontconfigWarmUp::FontconfigWarmUp()
{
#ifdef VURA_FONTCONFIG
    m_reading = std::thread([] { FcInit(); });
#endif
}

void FontconfigWarmUp::wait()
{
    if (m_reading.joinable())
        m_reading.join();
}
