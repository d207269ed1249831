#include "platform/JPEGImage.h"

#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr size_t FirstBufferSize = 64 * 1024;

// The encoder reports a failure by calling error_exit, which must not return: it jumps back
// to Encode with the message.
struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

// A growing buffer of malloc'd memory, which the caller frees whether encoding succeeded.
struct Destination {
    jpeg_destination_mgr Base;
    JOCTET* Buffer;
    size_t Capacity;
    size_t Size;
};

Destination* DestinationOf(j_compress_ptr info) {
    return reinterpret_cast<Destination*>(info->dest);
}

void Grow(j_compress_ptr info, size_t capacity) {
    Destination* destination = DestinationOf(info);
    const size_t used = destination->Capacity - destination->Base.free_in_buffer;
    auto* buffer = static_cast<JOCTET*>(std::realloc(destination->Buffer, capacity));
    if (!buffer) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    destination->Buffer = buffer;
    destination->Capacity = capacity;
    destination->Base.next_output_byte = buffer + used;
    destination->Base.free_in_buffer = capacity - used;
}

void InitDestination(j_compress_ptr info) {
    Destination* destination = DestinationOf(info);
    destination->Base.free_in_buffer = destination->Capacity;
    Grow(info, FirstBufferSize);
}

// libjpeg calls it with the buffer full, whatever free_in_buffer says.
boolean EmptyOutputBuffer(j_compress_ptr info) {
    Destination* destination = DestinationOf(info);
    destination->Base.free_in_buffer = 0;
    Grow(info, destination->Capacity * 2);
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    Destination* destination = DestinationOf(info);
    destination->Size = destination->Capacity - destination->Base.free_in_buffer;
}

struct EncoderSettings {
    int Quality;
    bool Progressive;
    bool BestQuality;
};

// Nothing with a destructor may live here: the jump back from ErrorExit would skip it.
bool Encode(const QImage& picture, EncoderSettings settings, Destination& destination,
            ErrorManager& errors) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ErrorExit;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    destination.Base.init_destination = InitDestination;
    destination.Base.empty_output_buffer = EmptyOutputBuffer;
    destination.Base.term_destination = TermDestination;
    info.dest = &destination.Base;
    info.image_width = JDIMENSION(picture.width());
    info.image_height = JDIMENSION(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, settings.Quality, TRUE);
    info.dct_method = settings.BestQuality ? JDCT_ISLOW : JDCT_IFAST;
    info.optimize_coding = settings.BestQuality ? TRUE : FALSE;
    if (settings.Progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(picture.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

void TJPEGImage::SetCompressionQuality(int value) {
    compressionQuality_ = std::clamp(value, 1, 100);
}

void TJPEGImage::Assign(const TBitmap& source) {
    picture_ = source.Image().convertToFormat(QImage::Format_RGB888);
    data_.clear();
}

void TJPEGImage::Compress() {
    Destination destination{};
    ErrorManager errors{};
    const bool encoded =
        Encode(picture_, {compressionQuality_, progressiveEncoding_, performance_ == jpBestQuality},
               destination, errors);
    if (encoded)
        data_ = QByteArray(reinterpret_cast<const char*>(destination.Buffer),
                           qsizetype(destination.Size));
    std::free(destination.Buffer);
    if (!encoded)
        throw Exception(QStringLiteral("JPEG error - ") + QString::fromLatin1(errors.Message));
}

void TJPEGImage::SaveToFile(const QString& fileName) const {
    SaveBytesToFile(fileName, data_);
}
