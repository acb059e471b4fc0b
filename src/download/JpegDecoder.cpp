#include "download/JpegDecoder.h"

#include "download/DcOnlyCoefficients.h"
#include "download/EmbeddedThumbnail.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

namespace {

// Everything the decoder touches between setjmp and longjmp is plain data,
// so jumping back over the library's frames skips no destructor.
struct TDecodeState {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    QImage* image;
    int thumbnailSide; // 0: full size
    TDcOnlyBuffers dcOnly;
    bool dataEnded; // the source ran out before the end marker
};

TDecodeState& StateOf(j_common_ptr cinfo)
{
    return *reinterpret_cast<TDecodeState*>(reinterpret_cast<char*>(cinfo) - offsetof(TDecodeState, cinfo));
}

[[noreturn]] void Refuse(TDecodeState& s, const char* why)
{
    std::snprintf(s.message, sizeof s.message, "%s", why);
    std::longjmp(s.jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    TDecodeState& s = StateOf(cinfo);
    (*cinfo->err->format_message)(cinfo, s.message);
    std::longjmp(s.jump, 1);
}

// Warnings about damaged data are tolerated (the picture still shows), and
// so is a file that lacks only its end marker. Once the data has run out,
// any further warning means the picture needed data that was not there:
// that is an error, not a picture padded with grey.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    TDecodeState& s = StateOf(cinfo);
    if (s.dataEnded) {
        cinfo->err->msg_code = JWRN_JPEG_EOF;
        ErrorExit(cinfo);
    }
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        s.dataEnded = true;
    cinfo->err->num_warnings++;
}

// A file of several scans may end between two of them with no warning.
// A progressive file is whole when every coefficient is fully refined; for
// other multi-scan files that cannot be told, so they count as cut short.
bool AllScansArrived(const jpeg_decompress_struct& c)
{
    if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&c)))
        return true;
    if (!c.progressive_mode)
        return false;
    for (int component = 0; component < c.num_components; ++component)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (c.coef_bits[component][k] != 0)
                return false;
    return true;
}

// Runs while a multi-scan file is read in, once per row of blocks.
void CountScans(j_common_ptr cinfo)
{
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > MaxJpegScans)
        Refuse(StateOf(cinfo), "JPEG has too many scans");
}

void ReadHeader(TDecodeState& s)
{
    jpeg_read_header(&s.cinfo, TRUE);
    const long long pixels = static_cast<long long>(s.cinfo.image_width) * s.cinfo.image_height;
    if (pixels > MaxJpegPixels)
        Refuse(s, "JPEG is too large");
    const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (s.thumbnailSide > 0) {
        const JDIMENSION longer = std::max(s.cinfo.image_width, s.cinfo.image_height);
        unsigned denom = 8;
        while (denom > 2 && longer / denom < static_cast<JDIMENSION>(s.thumbnailSide))
            denom /= 2;
        s.cinfo.scale_num = 1;
        s.cinfo.scale_denom = denom;
        s.cinfo.dct_method = JDCT_IFAST;
        s.cinfo.do_fancy_upsampling = FALSE;
    }
}

// Adobe writes CMYK inverted; this is the usual conversion for it.
void CmykToRgb(const JSAMPLE* in, uchar* out, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const int k = in[3];
        out[0] = static_cast<uchar>(in[0] * k / 255);
        out[1] = static_cast<uchar>(in[1] * k / 255);
        out[2] = static_cast<uchar>(in[2] * k / 255);
    }
}

// The output rows of the pass started, into the picture.
void ReadRows(TDecodeState& s)
{
    j_decompress_ptr c = &s.cinfo;
    *s.image = QImage(static_cast<int>(c->output_width), static_cast<int>(c->output_height), QImage::Format_RGB888);
    if (s.image->isNull())
        Refuse(s, "Out of memory for the picture");
    if (c->out_color_space == JCS_CMYK) {
        JSAMPARRAY row = (*c->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(c), JPOOL_IMAGE, c->output_width * 4, 1);
        while (c->output_scanline < c->output_height) {
            const JDIMENSION y = c->output_scanline;
            jpeg_read_scanlines(c, row, 1);
            CmykToRgb(row[0], s.image->scanLine(static_cast<int>(y)), c->output_width);
        }
    } else {
        JSAMPROW rows[16];
        while (c->output_scanline < c->output_height) {
            const JDIMENSION y = c->output_scanline;
            const JDIMENSION n = std::min<JDIMENSION>(16, c->output_height - y);
            for (JDIMENSION i = 0; i < n; ++i)
                rows[i] = s.image->scanLine(static_cast<int>(y + i));
            jpeg_read_scanlines(c, rows, n);
        }
    }
}

void ReadPixels(TDecodeState& s)
{
    j_decompress_ptr c = &s.cinfo;
    jpeg_start_decompress(c);
    if (s.dataEnded && !AllScansArrived(*c))
        Refuse(s, "Premature end of JPEG file");
    ReadRows(s);
    jpeg_finish_decompress(c);
}

// Scaled by 1/8, each block becomes one pixel from its DC coefficient alone.
bool NeedsDcOnly(const jpeg_decompress_struct& c) { return c.scale_num * 8 <= c.scale_denom; }

// Every component has had its DC coefficients' first scan begun.
bool DcArrived(const jpeg_decompress_struct& c)
{
    for (int component = 0; component < c.num_components; ++component)
        if (c.coef_bits[component][0] < 0)
            return false;
    return true;
}

// A progressive file sends every block's DC coefficient, less its lowest
// bits, in its first scan: a picture scaled by 1/8 is there once that scan
// is read, and the rest of the file (nearly all of it) is left unread. The
// missing bits change a pixel by less than a thumbnail shows. Only the DC
// coefficients are kept meanwhile.
void ReadDcScan(TDecodeState& s)
{
    j_decompress_ptr c = &s.cinfo;
    c->buffered_image = TRUE;
    c->do_block_smoothing = FALSE;
    KeepDcOnly(c, s.dcOnly);
    jpeg_start_decompress(c);
    while (!DcArrived(*c)) {
        const int status = jpeg_consume_input(c);
        if (status == JPEG_SUSPENDED || status == JPEG_REACHED_EOI)
            Refuse(s, "Premature end of JPEG file");
    }
    // Rows wait for that scan's data as they are read.
    jpeg_start_output(c, c->input_scan_number);
    ReadRows(s);
    jpeg_abort_decompress(c);
}

bool DecodeHeader(TDecodeState& s, const unsigned char* data, size_t size)
{
    if (setjmp(s.jump))
        return false;
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.progress = &s.progress;
    s.cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
    if (s.thumbnailSide > 0)
        jpeg_save_markers(&s.cinfo, JPEG_APP0 + 1, 0xFFFF);
    ReadHeader(s);
    return true;
}

bool DecodePixels(TDecodeState& s)
{
    if (setjmp(s.jump))
        return false;
    if (s.cinfo.progressive_mode && NeedsDcOnly(s.cinfo))
        ReadDcScan(s);
    else
        ReadPixels(s);
    return true;
}

// The camera's own thumbnail, when there is a fitting one that decodes.
bool DecodeEmbedded(const TDecodeState& s, const unsigned char* data, size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const std::string_view embedded = UsableEmbeddedThumbnail(s.cinfo, file, s.thumbnailSide);
    if (embedded.empty())
        return false;
    try {
        *s.image = DecodeJpeg(reinterpret_cast<const unsigned char*>(embedded.data()), embedded.size());
        return true;
    } catch (const EPictureError&) {
        return false; // the picture itself may still be sound
    }
}

QImage DecodeScaled(const unsigned char* data, size_t size, int thumbnailSide)
{
    if (size == 0)
        throw EPictureError("Empty JPEG data");
    QImage image;
    TDecodeState s{};
    s.image = &image;
    s.thumbnailSide = thumbnailSide;
    s.cinfo.err = jpeg_std_error(&s.err);
    s.err.error_exit = ErrorExit;
    s.err.emit_message = EmitMessage;
    s.progress.progress_monitor = CountScans;
    const bool ok = DecodeHeader(s, data, size) &&
                    ((thumbnailSide > 0 && DecodeEmbedded(s, data, size)) || DecodePixels(s));
    jpeg_destroy_decompress(&s.cinfo);
    if (!ok)
        throw EPictureError(s.message);
    return image;
}

} // namespace

QImage DecodeJpeg(const unsigned char* data, size_t size) { return DecodeScaled(data, size, 0); }

QImage DecodeJpegThumbnail(const unsigned char* data, size_t size, int side)
{
    return DecodeScaled(data, size, std::max(side, 1));
}
