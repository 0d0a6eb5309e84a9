#pragma once
/* libjpeg-turbo calls kept in a C frame: libjpeg reports errors by longjmp,
 * which must never cross C++ frames. Every function returns 0 on success, or
 * -1 with libjpeg's message in `error` (always terminated). */
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
  int width;
  int height;
  int components;
  int grayscale; /* the image is stored as gray levels */
} rtl_jpeg_info;

/* Compresses `height` rows of RGB pixels (3 bytes each, `stride` bytes per
 * row) into a baseline JPEG file of `quality` (1..100), gray when `grayscale`.
 * On success *out holds the file (free it with rtl_jpeg_free). */
int rtl_jpeg_compress(const unsigned char* rgb, int width, int height, size_t stride, int quality, int grayscale,
                      unsigned char** out, unsigned long* outSize, char* error, size_t errorSize);

int rtl_jpeg_read_header(const unsigned char* data, unsigned long size, rtl_jpeg_info* info, char* error,
                         size_t errorSize);

/* Decodes the file into RGB rows of width * 3 bytes; `rgb` holds
 * width * height * 3 bytes of the size rtl_jpeg_read_header gave. */
int rtl_jpeg_decompress_rgb(const unsigned char* data, unsigned long size, unsigned char* rgb, char* error,
                            size_t errorSize);

void rtl_jpeg_free(unsigned char* buffer);

#ifdef __cplusplus
}
#endif
