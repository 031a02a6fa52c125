#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
"""Writes a zip that has the same bytes wherever and whenever it is made:
its files in the order given, each dated as the newest entry of
debian/changelog (or SOURCE_DATE_EPOCH, if set), readable by all, with no
owner, no extra fields and no comment; so neither the clock, the umask nor
the user leaves a mark.

    scripts/make-zip.py OUT.zip FOLDER FILE...
"""
import email.utils
import os
import pathlib
import sys
import time
import zipfile


def release_time():
    if 'SOURCE_DATE_EPOCH' in os.environ:
        return int(os.environ['SOURCE_DATE_EPOCH'])
    changelog = pathlib.Path(__file__).resolve().parent.parent / 'debian' / 'changelog'
    for line in changelog.read_text(encoding='utf-8').splitlines():
        if line.startswith(' -- '):
            return int(email.utils.parsedate_to_datetime(line.split('  ', 1)[1]).timestamp())
    sys.exit(f'{changelog}: no dated entry')


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__.split('\n\n')[1].strip())
    out, folder, names = sys.argv[1], pathlib.Path(sys.argv[2]), sys.argv[3:]
    # A zip's times are local times with no zone: the release's, in UTC.
    stamp = time.gmtime(release_time())[:6]
    partial = out + '.partial'
    with zipfile.ZipFile(partial, 'w') as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = 3  # Unix, so that the mode below is read
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, (folder / name).read_bytes(), compresslevel=9)
    os.replace(partial, out)


main()
