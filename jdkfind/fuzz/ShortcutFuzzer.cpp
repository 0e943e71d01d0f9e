// libFuzzer target: any bytes, read as a shortcut's data. The sanitizers catch any read outside
// the data; the checks below catch results that no reading of the data could give.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "jdkfind/ShortcutReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kelvane::ByteSeq bytes(data, data + size);
    kelvane::ShortcutInfo info;
    info.IconIndex = 0x5A5A5A5A;
    kelvane::ParseShortcut(bytes, info);

    // Texts end at their first zero byte, and none can be longer than the data it came from: a
    // string's units each give at most two bytes.
    const kelvane::Text* texts[] = {
        &info.TargetPath, &info.WorkingDirectory, &info.RelativePath, &info.Description,
        &info.Arguments,  &info.ShowMode,         &info.IconLocation, &info.Hotkey};
    for (const kelvane::Text* text : texts) {
        if (text->find('\0') != kelvane::Text::npos || text->size() > size + 16) {
            std::abort();
        }
    }
    // Not a shortcut: nothing of the record may change.
    if ((size == 0 || data[0] != 0x4C || (size > 1 && data[1] != 0)) &&
        (info.IconIndex != 0x5A5A5A5A || !info.ShowMode.empty())) {
        std::abort();
    }
    return 0;
}
