/* minizip's unzip, compiled here with the one function of UnzipLocalHeader.h: it reads the archive
   state that unzip.c keeps to itself. */
#include "unzip.c"

#include "preview/minizip/UnzipLocalHeader.h"

int unzGetLocalHeaderOffset64(unzFile file, ZPOS64_T* offset)
{
    unz64_s* s = (unz64_s*)file;
    if (s == NULL || offset == NULL)
        return UNZ_PARAMERROR;
    if (!s->current_file_ok)
        return UNZ_END_OF_LIST_OF_FILE;
    *offset = s->cur_file_info_internal.offset_curfile + s->byte_before_the_zipfile;
    return UNZ_OK;
}
