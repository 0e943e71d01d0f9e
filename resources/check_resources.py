#!/usr/bin/env python3
"""check_resources.py EXE ARCHITECTURE: EXE carries Kelvane's resources.

The icon group "DEFAULT_ICON" with its six images (48, 32 and 16 pixels at 8 and 32 bits per
pixel), a manifest that binds the common controls 6.0.0.0 for ARCHITECTURE (x86 or amd64) and
asks for no execution level, and the version record 1.0.0.0 "Kelvane" in Chinese (PRC), Unicode.
Reads the PE file itself, so that it runs wherever the build runs.
"""

import re
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe : pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections = struct.unpack_from("<H", data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for index in range(sections):
            entry = table + 40 * index
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, entry + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def at(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address outside every section")

    def directory(self, offset):
        """(name or id, is_directory, offset) of each entry of a resource directory."""
        base = self.at(self.resource_rva)
        named, numbered = struct.unpack_from("<HH", self.data, base + offset + 12)
        entries = []
        for index in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, base + offset + 16 + 8 * index)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", self.data, at)[0]
                name = self.data[at + 2 : at + 2 + 2 * length].decode("utf-16-le")
            entries.append((name, bool(target & 0x80000000), target & 0x7FFFFFFF))
        return entries

    def resources(self, kind):
        """{name: data} of every resource of a type, first language of each."""
        found = {}
        for type_name, _, type_dir in self.directory(0):
            if type_name != kind:
                continue
            for name, _, name_dir in self.directory(type_dir):
                _, _, leaf = self.directory(name_dir)[0]
                base = self.at(self.resource_rva)
                rva, size = struct.unpack_from("<II", self.data, base + leaf)
                found[name] = self.data[self.at(rva) : self.at(rva) + size]
        return found


def check(path, architecture):
    try:
        image = Image(open(path, "rb").read())
        if image.resource_rva == 0:
            return ["carries no resources at all"]
        return check_resources(image, architecture)
    except (OSError, ValueError, struct.error, UnicodeDecodeError) as error:
        return [f"cannot be read as a PE file with resources: {error}"]


def check_resources(image, architecture):
    failures = []

    groups = image.resources(RT_GROUP_ICON)
    icons = image.resources(RT_ICON)
    if list(groups) != ["DEFAULT_ICON"]:
        failures.append(f"icon groups are {list(groups)}, not DEFAULT_ICON alone")
    else:
        group = groups["DEFAULT_ICON"]
        count = struct.unpack_from("<H", group, 4)[0]
        seen = []
        for index in range(count):
            width, height, _, _, _, bits, size, icon_id = struct.unpack_from(
                "<BBBBHHIH", group, 6 + 14 * index
            )
            if icon_id not in icons or len(icons[icon_id]) != size:
                failures.append(f"icon image {icon_id} is missing or of the wrong size")
            seen.append((width, height, bits))
        wanted = sorted((s, s, b) for s in (48, 32, 16) for b in (8, 32))
        if sorted(seen) != wanted:
            failures.append(f"icon images are {sorted(seen)}, not {wanted}")

    manifests = image.resources(RT_MANIFEST)
    if list(manifests) != [1]:
        failures.append(f"manifest resources are {list(manifests)}, not the one of id 1")
    else:
        text = manifests[1].decode("utf-8")
        controls = (
            'name="Microsoft.Windows.Common-Controls" version="6.0.0.0" '
            f'processorArchitecture="{architecture}"'
        )
        if controls not in text:
            failures.append("the manifest does not bind the common controls 6.0.0.0")
        if "requestedExecutionLevel" in text:
            failures.append("the manifest requests an execution level")

    versions = image.resources(RT_VERSION)
    if len(versions) != 1:
        failures.append("no single version record")
    else:
        record = next(iter(versions.values()))
        fixed = record.find(struct.pack("<I", 0xFEEF04BD))
        if fixed < 0:
            failures.append("the version record has no fixed part")
        else:
            file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", record, fixed + 8)
            if (file_ms, file_ls, product_ms, product_ls) != (0x10000, 0, 0x10000, 0):
                failures.append("file or product version is not 1.0.0.0")
        text = record.decode("utf-16-le", errors="replace")
        if "080404B0" not in text:
            failures.append("no string table for 0804/04B0")
        for key in ("FileDescription", "ProductName", "Comments"):
            # Keys and values are padded to 32 bits with zero characters.
            if not re.search(f"{key}\0+Kelvane\0", text):
                failures.append(f"{key} is not Kelvane")
        if struct.pack("<HH", 0x0804, 0x04B0) not in record:
            failures.append("the translation is not 0804/04B0")
    return failures


if __name__ == "__main__":
    problems = check(sys.argv[1], sys.argv[2])
    for problem in problems:
        print(f"check_resources: {sys.argv[1]}: {problem}", file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"check_resources: {sys.argv[1]}: icon, manifest ({sys.argv[2]}) and version record")
