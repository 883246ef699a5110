// The web page's files, each written from the shared table by one function, so that a change
// to the table reaches the page as it reaches the desktop windows.
#pragma once

#include <string>

namespace levelwise::web {

std::string PageHtml();      // index.html: the window's elements, the box, the scripts
std::string PageLayout();    // the window's places and colours, and the two touch layouts
std::string PageManifest();  // manifest.webmanifest: the installed app's name and icons

}  // namespace levelwise::web
