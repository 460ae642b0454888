#include "Support/RouteFlags.h"

#include <array>
#include <net/route.h>
#include <utility>

namespace tools {

std::string routeFlagLetters(unsigned kernelFlags, bool isFullLengthPrefix) {
    static constexpr std::array<std::pair<unsigned, char>, 6> letters{{{RTF_UP, 'U'},
                                                                       {RTF_GATEWAY, 'G'},
                                                                       {RTF_HOST, 'H'},
                                                                       {RTF_REJECT, 'R'},
                                                                       {RTF_DYNAMIC, 'D'},
                                                                       {RTF_MODIFIED, 'M'}}};
    const auto flags = isFullLengthPrefix ? kernelFlags | RTF_HOST : kernelFlags;
    std::string text;
    for (const auto& [bit, letter] : letters) {
        if ((flags & bit) != 0) {
            text += letter;
        }
    }
    return text;
}

} // namespace tools
