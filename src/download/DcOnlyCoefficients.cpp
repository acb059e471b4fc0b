#include "download/DcOnlyCoefficients.h"

#include <cstring>
#include <jerror.h>

namespace {

TDcOnlyBuffers& BuffersOf(j_common_ptr cinfo) { return *static_cast<TDcOnlyBuffers*>(cinfo->client_data); }

jvirt_barray_ptr Request(j_common_ptr cinfo, int, boolean, JDIMENSION columns, JDIMENSION rows, JDIMENSION maxAccess)
{
    TDcOnlyBuffers& b = BuffersOf(cinfo);
    if (b.Used == MAX_COMPONENTS)
        ERREXIT(cinfo, JERR_VIRTUAL_BUG);
    TDcOnlyBuffers::TArray& a = b.Arrays[b.Used++];
    a = {columns, rows, maxAccess, nullptr, nullptr, 0, 0, false};
    return reinterpret_cast<jvirt_barray_ptr>(&a);
}

void Realize(j_common_ptr cinfo)
{
    TDcOnlyBuffers& b = BuffersOf(cinfo);
    for (int i = 0; i < b.Used; ++i) {
        TDcOnlyBuffers::TArray& a = b.Arrays[i];
        const size_t bytes = sizeof(JCOEF) * a.Columns * a.Rows;
        a.Dc = static_cast<JCOEF*>((*cinfo->mem->alloc_large)(cinfo, JPOOL_IMAGE, bytes));
        std::memset(a.Dc, 0, bytes);
        a.Window = (*cinfo->mem->alloc_barray)(cinfo, JPOOL_IMAGE, a.Columns, a.MaxAccess);
    }
    b.RealizeOthers(cinfo);
}

// Rows handed out stay valid until the same array is next accessed, which
// is how the library uses them; what was written to them is kept then.
JBLOCKARRAY Access(j_common_ptr cinfo, jvirt_barray_ptr array, JDIMENSION first, JDIMENSION rows, boolean writable)
{
    auto& a = *reinterpret_cast<TDcOnlyBuffers::TArray*>(array);
    if (rows > a.MaxAccess || first > a.Rows || rows > a.Rows - first)
        ERREXIT(cinfo, JERR_BAD_VIRTUAL_ACCESS);
    if (a.WindowWritten)
        for (JDIMENSION r = 0; r < a.WindowRows; ++r)
            for (JDIMENSION x = 0; x < a.Columns; ++x)
                a.Dc[(a.WindowFirst + r) * a.Columns + x] = a.Window[r][x][0];
    for (JDIMENSION r = 0; r < rows; ++r) {
        std::memset(a.Window[r], 0, sizeof(JBLOCK) * a.Columns);
        for (JDIMENSION x = 0; x < a.Columns; ++x)
            a.Window[r][x][0] = a.Dc[(first + r) * a.Columns + x];
    }
    a.WindowFirst = first;
    a.WindowRows = rows;
    a.WindowWritten = writable;
    return a.Window;
}

} // namespace

void KeepDcOnly(j_decompress_ptr cinfo, TDcOnlyBuffers& buffers)
{
    cinfo->client_data = &buffers;
    buffers.RealizeOthers = cinfo->mem->realize_virt_arrays;
    cinfo->mem->request_virt_barray = Request;
    cinfo->mem->realize_virt_arrays = Realize;
    cinfo->mem->access_virt_barray = Access;
}
