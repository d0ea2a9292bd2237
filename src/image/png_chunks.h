// The chunk list of an RGBA image and its chunk classes. Each chunk writes
// itself framed: length (big-endian), type, data, CRC over type and data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace glyphory {

class TPNGObject;

// Writes one framed chunk; throws EWriteError when the stream fails.
void WriteChunk(std::ostream& out, std::string_view type, const std::uint8_t* data, std::uint32_t length);

class TChunk {
 public:
  // The chunk type is the class name from its seventh character on
  // ("TChunkIHDR" gives "IHDR").
  explicit TChunk(const TPNGObject& owner, std::string_view className = "TChunk");
  virtual ~TChunk() = default;
  TChunk(const TChunk&) = delete;
  TChunk& operator=(const TChunk&) = delete;

  [[nodiscard]] const std::string& Type() const { return type_; }
  [[nodiscard]] const std::vector<std::uint8_t>& Data() const { return data_; }
  [[nodiscard]] const TPNGObject& Owner() const { return *owner_; }

  // A new chunk of the same class and data for another image.
  [[nodiscard]] virtual std::unique_ptr<TChunk> CloneFor(const TPNGObject& owner) const;
  // Copies the data of another chunk.
  virtual void Assign(const TChunk& source);
  // Writes the chunk (or, for image data, all its chunks) to the stream.
  virtual void Write(std::ostream& out);

 protected:
  std::vector<std::uint8_t>& MutableData() { return data_; }

 private:
  std::string type_;
  std::vector<std::uint8_t> data_;
  const TPNGObject* owner_;
};

// The header chunk: its 13 data bytes are rebuilt from the image header on
// every save.
class TChunkIHDR : public TChunk {
 public:
  explicit TChunkIHDR(const TPNGObject& owner) : TChunk(owner, "TChunkIHDR") {}
  [[nodiscard]] std::unique_ptr<TChunk> CloneFor(const TPNGObject& owner) const override;
  void Write(std::ostream& out) override;
};

// The image data: the deflate stream of the encoded rows, cut into IDAT
// chunks of exactly IdatLimit bytes but the last, none of them empty.
class TChunkIDAT : public TChunk {
 public:
  explicit TChunkIDAT(const TPNGObject& owner) : TChunk(owner, "TChunkIDAT") {}
  [[nodiscard]] std::unique_ptr<TChunk> CloneFor(const TPNGObject& owner) const override;
  void Write(std::ostream& out) override;
};

class TChunkIEND : public TChunk {
 public:
  explicit TChunkIEND(const TPNGObject& owner) : TChunk(owner, "TChunkIEND") {}
  [[nodiscard]] std::unique_ptr<TChunk> CloneFor(const TPNGObject& owner) const override;
};

// The ordered chunk list an image owns.
class TPNGList {
 public:
  void Add(std::unique_ptr<TChunk> chunk) { items_.push_back(std::move(chunk)); }
  void Clear() { items_.clear(); }
  [[nodiscard]] std::size_t Count() const { return items_.size(); }
  [[nodiscard]] TChunk& Item(std::size_t index) const { return *items_[index]; }

 private:
  std::vector<std::unique_ptr<TChunk>> items_;
};

}  // namespace glyphory
