#include "font_warm_up.h"

#include <system_error>

#if LEVELWISE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace levelwise {

FontWarmUp::FontWarmUp()
{
#if LEVELWISE_HAVE_FONTCONFIG
    // FcInit is thread-safe, and a later call from Qt returns the configuration loaded here.
    try {
        m_worker = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration itself when it first needs it.
    }
#endif
}

FontWarmUp::~FontWarmUp() { Wait(); }

void FontWarmUp::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

}  // namespace levelwise
