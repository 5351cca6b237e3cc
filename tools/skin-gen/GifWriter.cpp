#include "GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <unordered_map>

namespace {

void Put16(QByteArray& out, int v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}

// Packs variable-width codes into bytes, least significant bit first.
class BitPacker {
 public:
  void Put(int code, int width) {
    acc_ |= uint32_t(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      bytes_.append(char(acc_ & 0xFF));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  QByteArray Finish() {
    if (bits_ > 0) bytes_.append(char(acc_ & 0xFF));
    return bytes_;
  }

 private:
  uint32_t acc_ = 0;
  int bits_ = 0;
  QByteArray bytes_;
};

}  // namespace

QByteArray GifWriter::Lzw(const QImage& indexed) {
  // Classic GIF LZW: 8-bit pixels, codes from 9 to 12 bits, the table
  // cleared when it is full.
  constexpr int kClear = 256;
  constexpr int kEnd = 257;
  constexpr int kMaxCode = 4095;
  std::unordered_map<uint32_t, int> table;
  BitPacker packer;
  int codeSize = 9;
  int maxCode = kEnd;
  packer.Put(kClear, codeSize);
  int prefix = -1;
  for (int y = 0; y < indexed.height(); ++y) {
    const uchar* line = indexed.constScanLine(y);
    for (int x = 0; x < indexed.width(); ++x) {
      const int pixel = line[x];
      if (prefix < 0) {
        prefix = pixel;
        continue;
      }
      const uint32_t key = (uint32_t(prefix) << 8) | uint32_t(pixel);
      auto it = table.find(key);
      if (it != table.end()) {
        prefix = it->second;
        continue;
      }
      packer.Put(prefix, codeSize);
      table.emplace(key, ++maxCode);
      if (maxCode >= (1 << codeSize)) ++codeSize;
      if (maxCode == kMaxCode) {
        packer.Put(kClear, codeSize);
        table.clear();
        codeSize = 9;
        maxCode = kEnd;
      }
      prefix = pixel;
    }
  }
  if (prefix >= 0) packer.Put(prefix, codeSize);
  packer.Put(kEnd, codeSize);
  const QByteArray packed = packer.Finish();
  QByteArray out;
  out.append(char(8));  // minimum code size
  for (int i = 0; i < packed.size(); i += 255) {
    const QByteArray block = packed.mid(i, 255);
    out.append(char(block.size()));
    out.append(block);
  }
  out.append(char(0));
  return out;
}

QByteArray GifWriter::Encode(const QList<QImage>& frames, const QVector<QRgb>& palette, int delayCs) {
  QByteArray out;
  if (frames.isEmpty()) return out;
  const int w = frames.first().width();
  const int h = frames.first().height();
  out.append("GIF89a");
  Put16(out, w);
  Put16(out, h);
  out.append(char(0xF7));  // global colour table of 256 entries
  out.append(char(0));
  out.append(char(0));
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
    out.append(char(qRed(c)));
    out.append(char(qGreen(c)));
    out.append(char(qBlue(c)));
  }
  // Loop for ever.
  out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
  Put16(out, 0);
  out.append(char(0));
  for (const QImage& frame : frames) {
    out.append("\x21\xF9\x04", 3);
    out.append(char(0x04));  // keep the frame in place
    Put16(out, delayCs);
    out.append(char(0));
    out.append(char(0));
    out.append(char(0x2C));
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, w);
    Put16(out, h);
    out.append(char(0));
    const QImage indexed = frame.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
    out.append(Lzw(indexed));
  }
  out.append(char(0x3B));
  return out;
}

bool GifWriter::RoundTrips(const QByteArray& gif, const QList<QImage>& frames, const QVector<QRgb>& palette) {
  QByteArray copy = gif;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "gif");
  for (const QImage& frame : frames) {
    const QImage got = reader.read();
    const QImage want = frame.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither)
                            .convertToFormat(QImage::Format_ARGB32);
    if (got.isNull() || got.convertToFormat(QImage::Format_ARGB32) != want) return false;
  }
  return true;
}
