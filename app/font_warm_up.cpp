#include "font_warm_up.h"

#if LEVELWISE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace levelwise {

FontWarmUp::FontWarmUp()
{
#if LEVELWISE_HAVE_FONTCONFIG
    // FcInit is thread-safe, and a later call from Qt returns the configuration loaded here.
    m_worker = std::thread([] { FcInit(); });
#endif
}

FontWarmUp::~FontWarmUp()
{
    Wait();
}

void FontWarmUp::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

}  // namespace levelwise
