#include "window/text_entry.h"

#include <algorithm>

#include "platform/utf16.h"

namespace pm {

KeptEdit keep_writable(std::u16string_view before, std::u16string_view after,
                       const std::function<bool(std::u16string_view)>& can_write) {
    // The edit changed what lies between the longest common start and the longest common end, neither cut
    // inside a surrogate pair.
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t start = 0;
    while (start < shorter && before[start] == after[start])
        ++start;
    if (start > 0 && start < after.size() && is_low_surrogate(after[start])) --start;
    std::size_t end = 0;
    while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    if (end > 0 && end < after.size() - start && is_low_surrogate(after[after.size() - end])) --end;

    KeptEdit kept;
    kept.text.assign(after.substr(0, start));
    const std::u16string_view brought = after.substr(start, after.size() - start - end);
    for (std::size_t i = 0; i < brought.size();) {
        const std::size_t length = i + 1 < brought.size() && is_low_surrogate(brought[i + 1]) ? 2 : 1;
        const std::u16string_view character = brought.substr(i, length);
        if (can_write(character)) {
            kept.text.append(character);
        } else {
            kept.refused = true;
        }
        i += length;
    }
    kept.caret = kept.text.size();
    kept.text.append(after.substr(after.size() - end));
    return kept;
}

}  // namespace pm
