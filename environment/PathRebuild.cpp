#include "environment/PathRebuild.h"

#include "SystemTexts.h"
#include "base/Text.h"

namespace kelvane {

namespace {

bool MentionsJava(std::string_view entry) {
    return FindText(ToLowerCase(entry), texts::kJavaWord, 1) > 0;
}

} // namespace

Text RebuildPath(std::string_view oldPath) {
    const TextArray entries = SplitText(oldPath, texts::kPathSeparator);
    Text newPath = texts::kPathPrefix;
    newPath.reserve(newPath.size() + oldPath.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Text& entry = entries[i];
        if (entry.empty() || MentionsJava(entry)) {
            continue;
        }
        newPath += entry;
        // The separator goes by the entry's place among all entries, not among the kept ones.
        if (i + 1 < entries.size()) {
            newPath += texts::kPathSeparator;
        }
    }
    return newPath;
}

} // namespace kelvane
