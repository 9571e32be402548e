#!/usr/bin/python3
"""Gives a Windows installer made by wixl the identity that its contents, not chance, decide.

wixl gives each package a random package code and stamps its summary with the time it runs,
and ignores the package code and SOURCE_DATE_EPOCH it is given; the product code comes from the
source it is given; wixl-heat names folders at random. So:

  msi-identity.py code UPGRADE_CODE TEXT     prints the GUID named TEXT in the namespace of the
                                            upgrade code (RFC 4122, version 5), in MSI form
  msi-identity.py stamp MSI PACKAGE_CODE EPOCH
                                            sets the package code and the summary's creation
                                            and last-saved times of MSI in place
  msi-identity.py directories WXS           names the folders of wixl-heat's file list by
                                            their paths, in place (wixl-heat names them at
                                            random)

Debian's python3-olefile reads and writes the compound file; the summary property set is
patched in place, as its size does not change.
"""
import struct
import sys
import uuid

SUMMARY_STREAM = "\x05SummaryInformation"
PID_REVNUMBER = 9  # the package code
PID_CREATE_DTM = 12
PID_LASTSAVE_DTM = 13
VT_LPSTR = 30
VT_FILETIME = 64
# Seconds from 1601-01-01, where FILETIME counts from, to 1970-01-01, in 100 ns steps.
FILETIME_EPOCH_OFFSET = 11644473600
FILETIME_STEPS_PER_SECOND = 10**7
# Byte order, version, system and class identifier, and the count of sections precede the
# first section's format identifier and offset.
FIRST_SECTION_OFFSET_AT = 2 + 2 + 4 + 16 + 4 + 16


def code(upgrade_code, text):
    return "{%s}" % str(uuid.uuid5(uuid.UUID(upgrade_code), text)).upper()


def stamp(path, package_code, epoch):
    import olefile

    filetime = (int(epoch) + FILETIME_EPOCH_OFFSET) * FILETIME_STEPS_PER_SECOND
    new_code = package_code.encode("ascii") + b"\0"
    with olefile.OleFileIO(path, write_mode=True) as ole:
        data = bytearray(ole.openstream(SUMMARY_STREAM).read())
        (section,) = struct.unpack_from("<I", data, FIRST_SECTION_OFFSET_AT)
        (count,) = struct.unpack_from("<I", data, section + 4)
        wanted = {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM}
        for index in range(count):
            pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * index)
            at = section + offset
            (kind,) = struct.unpack_from("<I", data, at)
            if pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
                struct.pack_into("<Q", data, at + 4, filetime)
                wanted.discard(pid)
            elif pid == PID_REVNUMBER and kind == VT_LPSTR:
                (size,) = struct.unpack_from("<I", data, at + 4)
                if len(new_code) > size:
                    sys.exit(f"{path}: no room for the package code {package_code}")
                data[at + 8 : at + 8 + size] = new_code.ljust(size, b"\0")
                wanted.discard(pid)
        if wanted:
            sys.exit(f"{path}: the summary lacks the properties {sorted(wanted)}")
        ole.write_stream(SUMMARY_STREAM, bytes(data))


def directories(path):
    import hashlib
    import xml.etree.ElementTree as ElementTree

    namespace = "http://schemas.microsoft.com/wix/2006/wi"
    ElementTree.register_namespace("", namespace)
    tree = ElementTree.parse(path)
    seen = {}

    def rename(parent, parent_path):
        for folder in parent.findall(f"{{{namespace}}}Directory"):
            folder_path = f"{parent_path}/{folder.get('Name')}"
            # wixl-heat may list one folder twice, as it comes back to it.
            seen[folder_path] = seen.get(folder_path, 0) + 1
            name = f"{folder_path}#{seen[folder_path]}".encode()
            folder.set("Id", "dir" + hashlib.sha256(name).hexdigest()[:32].upper())
            rename(folder, folder_path)

    for reference in tree.iter(f"{{{namespace}}}DirectoryRef"):
        rename(reference, reference.get("Id"))
    tree.write(path, encoding="utf-8", xml_declaration=True)


def main(argv):
    if len(argv) == 4 and argv[1] == "code":
        print(code(argv[2], argv[3]))
    elif len(argv) == 5 and argv[1] == "stamp":
        stamp(argv[2], argv[3], argv[4])
    elif len(argv) == 3 and argv[1] == "directories":
        directories(argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
