#!/usr/bin/env python3
"""Reads the shipped RegOrvikPkg.exe's manifest and version resource the way
Windows finds them, through the PE resource directory, and fails naming
every difference from what the program needs:

- the manifest (type 24, id 1, which the loader reads for an executable) asks
  for requireAdministrator, depends on Common Controls 6, declares system DPI
  awareness and the Windows versions from Vista on, and names the program's
  own version;
- the version resource's fixed FILEVERSION and PRODUCTVERSION are the
  project's version, and the ProductVersion text of its one translation,
  which the program compares with the installed package's, is "7.0".

  CheckResources.py EXE_OR_ZIP PROJECT_VERSION
"""

import struct
import sys
import zipfile
import xml.etree.ElementTree as ElementTree

RT_VERSION = 16
RT_MANIFEST = 24
MANIFEST_ID = 1
VERSION_ID = 1


def resources(image):
    """{(type, id): bytes} of every resource with a numeric type and id."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[:2] != b"MZ" or image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE image")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    directories = optional + (96 if struct.unpack_from("<H", image, optional)[0] == 0x10B else 112)
    root_rva, _ = struct.unpack_from("<II", image, directories + 2 * 8)
    table = optional + optional_size

    def offset(rva):
        for index in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", image, table + 40 * index + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} lies in no section")

    root = offset(root_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", image, root + directory + 12)
        for index in range(named + numbered):
            name, target = struct.unpack_from("<II", image, root + directory + 16 + 8 * index)
            yield (None if name & 0x80000000 else name), target

    found = {}
    for type_id, type_dir in entries(0):
        for name_id, name_dir in entries(type_dir & 0x7FFFFFFF):
            for _, leaf in entries(name_dir & 0x7FFFFFFF):
                data_rva, size = struct.unpack_from("<II", image, root + leaf)
                if type_id is not None and name_id is not None:
                    found[(type_id, name_id)] = image[offset(data_rva):offset(data_rva) + size]
    return found


def version_nodes(block, at=0):
    """The version resource's tree: (key, value bytes, children) of the node at `at`."""
    length, value_length, text = struct.unpack_from("<HHH", block, at)
    end = at + length
    key_end = at + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value = block[value_at:value_at + value_length * (2 if text else 1)]
    children = []
    child = (value_at + len(value) + 3) & ~3
    while child < end:
        children.append(version_nodes(block, child))
        child = (child + struct.unpack_from("<H", block, child)[0] + 3) & ~3
    return key, value, children


def check_manifest(text, version, faults):
    v1, v3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
    settings = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
    compatibility = "{urn:schemas-microsoft-com:compatibility.v1}"
    root = ElementTree.fromstring(text)

    identity = root.find(f"{v1}assemblyIdentity")
    if identity is None or identity.get("version") != version + ".0":
        faults.append(f"the manifest's assemblyIdentity does not have version {version}.0")

    level = root.find(f"{v3}trustInfo/{v3}security/{v3}requestedPrivileges/{v3}requestedExecutionLevel")
    if level is None or (level.get("level"), level.get("uiAccess")) != ("requireAdministrator", "false"):
        faults.append('the manifest does not ask for requestedExecutionLevel "requireAdministrator" without uiAccess')

    controls = {"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
                "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df", "language": "*"}
    dependencies = [dict(dependency.attrib) for dependency in
                    root.findall(f"{v1}dependency/{v1}dependentAssembly/{v1}assemblyIdentity")]
    if controls not in dependencies:
        faults.append(f"the manifest does not depend on Common Controls 6 ({dependencies} instead)")

    dpi = root.find(f"{v3}application/{v3}windowsSettings/{settings}dpiAware")
    if dpi is None or (dpi.text or "").strip() != "true":
        faults.append("the manifest does not declare dpiAware true")

    expected_os = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
    }
    declared_os = {os.get("Id") for os in root.findall(f"{compatibility}compatibility/"
                                                        f"{compatibility}application/{compatibility}supportedOS")}
    if declared_os != expected_os:
        faults.append(f"the manifest's supportedOS ids are {sorted(declared_os)}, not {sorted(expected_os)}")


def check_version(block, version, faults):
    key, fixed, children = version_nodes(block)
    if key != "VS_VERSION_INFO" or len(fixed) != 52 or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        faults.append("the version resource holds no VS_FIXEDFILEINFO")
        return
    expected = [int(part) for part in (version.split(".") + ["0", "0", "0"])[:4]]
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", fixed, 8)
    for name, ms, ls in (("FILEVERSION", file_ms, file_ls), ("PRODUCTVERSION", product_ms, product_ls)):
        found = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
        if found != expected:
            faults.append(f"{name} is {'.'.join(map(str, found))}, the project's version is {version}")

    named = {child[0]: child for child in children}
    translations = [var for var in named.get("VarFileInfo", ("", b"", []))[2] if var[0] == "Translation"]
    if not translations or len(translations[0][1]) < 4:
        faults.append("the version resource names no translation")
        return
    language, code_page = struct.unpack_from("<HH", translations[0][1])
    first = f"{language:04x}{code_page:04x}"
    tables = {table[0]: table for table in named.get("StringFileInfo", ("", b"", []))[2]}
    if first != "040904b0" or list(tables) != ["040904b0"]:
        faults.append(f"the first translation is {first} and the string tables are {list(tables)}, "
                      "not 040904b0 alone")
    strings = {entry[0]: entry[1].decode("utf-16-le").rstrip("\0") for entry in tables.get(first, ("", b"", []))[2]}
    if strings.get("ProductVersion") != "7.0":
        faults.append(f'the ProductVersion text is {strings.get("ProductVersion")!r}, not "7.0"')


def main():
    path, version = sys.argv[1:]
    if path.endswith(".zip"):
        with zipfile.ZipFile(path) as archive:
            image = archive.read("RegOrvikPkg.exe")
    else:
        with open(path, "rb") as exe:
            image = exe.read()
    found = resources(image)
    faults = []
    if (RT_MANIFEST, MANIFEST_ID) in found:
        check_manifest(found[(RT_MANIFEST, MANIFEST_ID)], version, faults)
    else:
        faults.append("no manifest resource (type 24, id 1): Windows would run the program without one")
    if (RT_VERSION, VERSION_ID) in found:
        check_version(found[(RT_VERSION, VERSION_ID)], version, faults)
    else:
        faults.append("no version resource (type 16, id 1)")
    for fault in faults:
        print(f"{path}: {fault}", file=sys.stderr)
    if not faults:
        print(f"{path}: manifest and version resource as Windows reads them, version {version}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
