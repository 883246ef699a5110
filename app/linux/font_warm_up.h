// Reading the font configuration is the longest single step before the window's first text can
// be measured, and nothing else at start needs it, so it runs beside the platform's own start.
#pragma once

#include <thread>

namespace levelwise {

class FontWarmUp {
public:
    FontWarmUp();   // begins reading the font configuration and caches on a worker thread
    ~FontWarmUp();  // waits for it, if Wait was not called

    // Returns once the configuration is loaded; call before the first widget is made, so Qt
    // finds it ready instead of loading a second copy of its own.
    void Wait();

    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::thread m_worker;
};

}  // namespace levelwise
