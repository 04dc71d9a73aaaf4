#include "fatmode.h"

#include <cstdio>

namespace bench {

int CompareOnFat(int, FolderRun)
{
    std::fputs("--fat mounts a FAT image with Linux's FUSE tools; Windows has none.\n", stderr);
    return 1;
}

} // namespace bench
