#pragma once
#include <cstdio>
#include <jpeglib.h>

// For a multi-scan JPEG decoded at 1/8 scale from its DC scans alone:
// keeps, of the library's whole-picture coefficient buffers, only each
// block's DC coefficient (all that those scans hold). The library's own buffers hold all 64 of every
// block, tens of megabytes for a photograph, whose zeroing and first touch
// cost more than the thumbnail's decoding; these hold 2 bytes a block, and
// a window of a few rows of whole blocks that the library reads and writes.
struct TDcOnlyBuffers {
    struct TArray {
        JDIMENSION Columns, Rows, MaxAccess;
        JCOEF* Dc; // Columns x Rows
        JBLOCKARRAY Window;
        JDIMENSION WindowFirst, WindowRows;
        bool WindowWritten;
    };
    TArray Arrays[MAX_COMPONENTS];
    int Used = 0;
    void (*RealizeOthers)(j_common_ptr) = nullptr;
};

// Call after jpeg_read_header, before jpeg_start_decompress, on a decoder
// that only ever reads DC coefficients; `buffers` must outlive the decoder's
// image (its client_data points to it from then on).
void KeepDcOnly(j_decompress_ptr cinfo, TDcOnlyBuffers& buffers);
