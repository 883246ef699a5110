// The window's keys as a browser names them (KeyboardEvent.key), for the page's generator and
// its tests. A switch, so that a key added to the form without a name here is a warning.
#pragma once

#include "form1.h"

#include <string_view>

namespace levelwise::web {

struct BrowserKey {
    std::string_view key;  // KeyboardEvent.key
    bool alt = false;      // pressed with Alt
};

constexpr BrowserKey BrowserKeyOf(form::Key key)
{
    switch (key) {
    case form::Key::Enter: return {"Enter"};
    case form::Key::Space: return {" "};
    case form::Key::Escape: return {"Escape"};
    case form::Key::Up: return {"ArrowUp"};
    case form::Key::Down: return {"ArrowDown"};
    case form::Key::AltDown: return {"ArrowDown", true};
    case form::Key::F4: return {"F4"};
    }
    return {};
}

}  // namespace levelwise::web
