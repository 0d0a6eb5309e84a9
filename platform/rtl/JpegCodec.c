#include "platform/rtl/JpegCodec.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

/* jpeglib.h needs FILE from stdio.h. */
#include <jpeglib.h>

typedef struct {
  struct jpeg_error_mgr base;
  jmp_buf jump;
} error_manager;

static void on_error_exit(j_common_ptr info) {
  error_manager* manager = (error_manager*)info->err;
  longjmp(manager->jump, 1);
}

/* libjpeg's default error handling, except that a fatal error jumps back to
 * errors->jump. */
static struct jpeg_error_mgr* jump_on_error(error_manager* errors) {
  struct jpeg_error_mgr* base = jpeg_std_error(&errors->base);
  errors->base.error_exit = on_error_exit;
  return base;
}

static void keep_message(j_common_ptr info, char* error, size_t errorSize) {
  char message[JMSG_LENGTH_MAX];
  info->err->format_message(info, message);
  snprintf(error, errorSize, "%s", message);
}

int rtl_jpeg_compress(const unsigned char* rgb, int width, int height, size_t stride, int quality, int grayscale,
                      unsigned char** out, unsigned long* outSize, char* error, size_t errorSize) {
  struct jpeg_compress_struct c;
  error_manager errors;
  *out = NULL;
  *outSize = 0;
  c.err = jump_on_error(&errors);
  if (setjmp(errors.jump)) {
    keep_message((j_common_ptr)&c, error, errorSize);
    jpeg_destroy_compress(&c);
    free(*out);
    *out = NULL;
    return -1;
  }
  jpeg_create_compress(&c);
  jpeg_mem_dest(&c, out, outSize);
  c.image_width = (JDIMENSION)width;
  c.image_height = (JDIMENSION)height;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  if (grayscale) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = (JSAMPROW)(rgb + (size_t)c.next_scanline * stride);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return 0;
}

/* Reads the header into `info`; then, when `rgb` is not NULL, decodes the
 * pixels into it as RGB rows of width * 3 bytes. */
static int decode(const unsigned char* data, unsigned long size, rtl_jpeg_info* info, unsigned char* rgb,
                  char* error, size_t errorSize) {
  struct jpeg_decompress_struct d;
  error_manager errors;
  d.err = jump_on_error(&errors);
  if (setjmp(errors.jump)) {
    keep_message((j_common_ptr)&d, error, errorSize);
    jpeg_destroy_decompress(&d);
    return -1;
  }
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, data, size);
  jpeg_read_header(&d, TRUE);
  info->width = (int)d.image_width;
  info->height = (int)d.image_height;
  info->components = d.num_components;
  info->grayscale = d.jpeg_color_space == JCS_GRAYSCALE;
  if (rgb) {
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    while (d.output_scanline < d.output_height) {
      JSAMPROW row = (JSAMPROW)(rgb + (size_t)d.output_scanline * d.output_width * 3);
      jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
  }
  jpeg_destroy_decompress(&d);
  return 0;
}

int rtl_jpeg_read_header(const unsigned char* data, unsigned long size, rtl_jpeg_info* info, char* error,
                         size_t errorSize) {
  return decode(data, size, info, NULL, error, errorSize);
}

int rtl_jpeg_decompress_rgb(const unsigned char* data, unsigned long size, unsigned char* rgb, char* error,
                            size_t errorSize) {
  rtl_jpeg_info info;
  return decode(data, size, &info, rgb, error, errorSize);
}

void rtl_jpeg_free(unsigned char* buffer) { free(buffer); }
