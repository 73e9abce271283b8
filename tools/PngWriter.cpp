#include "tools/PngWriter.h"

#include "tools/OutputFileError.h"
#include "tools/ReplacingFile.h"

#include <png.h>

#include <cassert>
#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <new>

namespace {

// What the encoder reports; libpng hands it back through its error pointer.
struct EncoderError {
    char message[256] = "";
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* error = static_cast<EncoderError*>(png_get_error_ptr(png));
    std::strncpy(error->message, message, sizeof error->message - 1);
    png_longjmp(png, 1);
}

void OnWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* stream = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, stream) != length) {
        png_error(png, std::strerror(errno));
    }
}

void OnFlush(png_structp /*png*/) {}

// libpng leaves by longjmp on an error, so nothing in this frame may need a
// destructor: it holds plain data only. Returns false when libpng reported an
// error, whose text is then in the encoder's error record.
bool Encode(png_structp png, png_infop info, const RgbaImage& image, PngChannels channels,
            std::FILE* stream) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, stream, OnWrite, OnFlush);
    const int colorType = channels == PngChannels::Rgba ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (channels == PngChannels::Rgb) {
        png_set_filler(png, 0, PNG_FILLER_AFTER); // the rows' alpha bytes are left out
    }
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, image.Row(y));
    }
    png_write_end(png, nullptr);
    return true;
}

// Owns libpng's two records for one picture.
class PngEncoder {
public:
    PngEncoder() {
        m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &m_error, OnError, nullptr);
        m_info = m_png ? png_create_info_struct(m_png) : nullptr;
        if (!m_info) {
            png_destroy_write_struct(&m_png, nullptr);
            throw std::bad_alloc();
        }
    }
    ~PngEncoder() { png_destroy_write_struct(&m_png, &m_info); }
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    /// Throws OutputFileError naming target when the encoder or a write fails.
    void Write(const RgbaImage& image, PngChannels channels, std::FILE* stream,
               const std::string& target) {
        if (!Encode(m_png, m_info, image, channels, stream)) {
            throw OutputFileError(target + ": cannot be written: " + m_error.message);
        }
    }

private:
    EncoderError m_error;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

} // namespace

void WritePng(const RgbaImage& image, PngChannels channels, const std::string& path,
              const std::string& input, ReplacingFile::Overwrite overwrite) {
    assert(image.width > 0 && image.height > 0);
    ReplacingFile file(path, input, overwrite);
    PngEncoder().Write(image, channels, file.Stream(), path);
    file.Commit();
}
