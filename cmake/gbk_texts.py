#!/usr/bin/env python3
"""Turns the UTF-8 table of the system's texts into a C++ header of GBK byte strings.

    gbk_texts.py TABLE HEADER

Each line of the table is a name, one tab and the text, taken literally; lines that begin with
# and empty lines are skipped. A text with a character that GBK cannot hold fails the build.
"""
import re
import sys


def main(table_path, header_path):
    out = [f"// Generated from {table_path}: edit that table, not this file.",
           "#pragma once", "", "namespace kelvane::texts {", ""]
    with open(table_path, encoding="utf-8") as table:
        for number, line in enumerate(table.read().split("\n"), start=1):
            if not line or line.startswith("#"):
                continue
            name, tab, text = line.partition("\t")
            if not tab or not re.fullmatch(r"k[A-Za-z0-9]+", name):
                sys.exit(f"{table_path}:{number}: expected NAME<tab>text")
            try:
                encoded = text.encode("gbk")
            except UnicodeEncodeError as error:
                sys.exit(f"{table_path}:{number}: no GBK form: {error}")
            literal = "".join(f"\\x{byte:02x}" for byte in encoded)
            out.append(f"// \"{text}\"")  # quoted: a trailing backslash would continue the line
            out.append(f'inline constexpr char {name}[] = "{literal}";')
    out += ["", "} // namespace kelvane::texts", ""]
    content = "\n".join(out)
    try:
        with open(header_path, encoding="utf-8") as old:
            if old.read() == content:
                return
    except FileNotFoundError:
        pass
    with open(header_path, "w", encoding="utf-8") as header:
        header.write(content)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
