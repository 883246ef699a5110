// The web app's manifest: what a browser installs.
#include "form1.h"
#include "identity_texts.h"
#include "json_text.h"
#include "page.h"
#include "page_geometry.h"

#include <string>

namespace levelwise::web {

std::string PageManifest()
{
    return "{\n"
           "  \"name\": " +
           Json(form::kApplicationTitle) +
           ",\n"
           "  \"short_name\": " +
           Json(form::kApplicationTitle) +
           ",\n"
           "  \"description\": " +
           Json(kSummaryHu) +
           ",\n"
           "  \"lang\": \"hu\",\n"
           "  \"dir\": \"ltr\",\n"
           // No "id": an id is read against the host's root, where two copies in two folders
           // would be one app; without one, the app is its start address, the copy's folder.
           "  \"start_url\": \"./\",\n"
           "  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n"
           "  \"theme_color\": \"" +
           Rgb(form::kBackgroundColour) +
           "\",\n"
           "  \"background_color\": \"rgb(255, 255, 255)\",\n"
           "  \"icons\": [\n"
           "    {\"src\": \"icon-192.png\", \"sizes\": \"192x192\", \"type\": \"image/png\"},\n"
           "    {\"src\": \"icon-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\"},\n"
           "    {\"src\": \"levelwise.svg\", \"sizes\": \"any\", \"type\": \"image/svg+xml\"}\n"
           "  ]\n"
           "}\n";
}

}  // namespace levelwise::web
