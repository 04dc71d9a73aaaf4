#!/usr/bin/python3
"""A pass-through FUSE file system whose chosen calls hang, standing in for a
network mount whose server has stopped answering.

    scripts/slowfs.py SOURCE MOUNTPOINT [--hang readdir,statfs,getattr,link] [--seconds 12]

Mounts SOURCE at MOUNTPOINT and stays in the foreground until unmounted
(fusermount -u MOUNTPOINT). "readdir" makes opening and listing a folder
hang, "statfs" asking the file system for its size, "getattr" asking what
anything below the mount's root is, "link" giving a file a second name, the
first of the two steps by which Quillet renames here (like many FUSE file
systems, this one cannot rename without replacing in one step). Needs
Debian's python3-fusepy; Debian's own python3 runs it.
"""
import argparse
import os
import time

from fusepy import FUSE, Operations  # Debian names the module fusepy

STAT_FIELDS = ('st_mode', 'st_nlink', 'st_size', 'st_uid', 'st_gid',
               'st_atime', 'st_mtime', 'st_ctime')
STATVFS_FIELDS = ('f_bsize', 'f_frsize', 'f_blocks', 'f_bfree', 'f_bavail',
                  'f_files', 'f_ffree', 'f_favail', 'f_flag', 'f_namemax')


class SlowPassThrough(Operations):
    def __init__(self, source, hang, seconds):
        self.source = source
        self.hang = hang
        self.seconds = seconds

    def _real(self, path):
        return os.path.join(self.source, path.lstrip('/'))

    def _wait(self, call):
        if call in self.hang:
            time.sleep(self.seconds)

    def getattr(self, path, fh=None):
        if path != '/':
            self._wait('getattr')
        info = os.lstat(self._real(path))
        return {field: getattr(info, field) for field in STAT_FIELDS}

    def opendir(self, path):
        self._wait('readdir')
        return 0

    def readdir(self, path, fh):
        self._wait('readdir')
        return ['.', '..'] + os.listdir(self._real(path))

    def statfs(self, path):
        self._wait('statfs')
        info = os.statvfs(self._real(path))
        return {field: getattr(info, field) for field in STATVFS_FIELDS}

    def rename(self, old, new):
        os.rename(self._real(old), self._real(new))

    def link(self, target, source):
        self._wait('link')
        os.link(self._real(source), self._real(target))

    def unlink(self, path):
        os.unlink(self._real(path))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('source')
    parser.add_argument('mountpoint')
    parser.add_argument('--hang', default='readdir',
                        help='comma-separated calls that hang: readdir, statfs, getattr, link')
    parser.add_argument('--seconds', type=float, default=12)
    args = parser.parse_args()
    hang = set(filter(None, args.hang.split(',')))
    FUSE(SlowPassThrough(os.path.abspath(args.source), hang, args.seconds),
         args.mountpoint, foreground=True, nothreads=False)


if __name__ == '__main__':
    main()
