// Writes the web page's window from the shared table:
//   make_page DIR      index.html, layout.css (joined to the page's style when the site is
//                      put together), logo.svg and manifest.webmanifest in DIR
// Runs as a WASI command under node at build time, built by the same compiler as the page's
// calculator.
#include "logo.h"
#include "page.h"

#include <cstdio>
#include <string>

namespace {

bool Write(const std::string &path, const std::string &text)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0)
        ok = false;
    if (!ok)
        std::fprintf(stderr, "make_page: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_page DIR\n");
        return 2;
    }
    using namespace levelwise;
    const std::string dir = argv[1];
    const bool ok = Write(dir + "/index.html", web::PageHtml()) &&
                    Write(dir + "/layout.css", web::PageLayout()) &&
                    Write(dir + "/logo.svg", form::LogoSvg()) &&
                    Write(dir + "/manifest.webmanifest", web::PageManifest());
    return ok ? 0 : 1;
}
