#include "pictures/picture_replacement.h"

#include <limits>
#include <memory>

#include "app/shared_texts.h"
#include "pictures/bmp_file.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_encoding.h"

namespace korvana::pictures {

namespace {
// Compresses the picture as it is now, for a compressed target.
Outcome Compress(NewPicture& picture, const ProgressFn& progress) {
  EncodedPicture packed = EncodeCompressedBmp(picture.bmp, progress);
  if (!packed.outcome.ok) return packed.outcome;
  picture.compressed = std::move(packed.bytes);
  picture.size = static_cast<std::int64_t>(picture.compressed.size());
  return Outcome::Success();
}

void TakeSizes(NewPicture& picture) {
  const BmpLayout l = ReadBmpLayout(picture.bmp);
  picture.width = l.width;
  picture.height = l.height;
  picture.bits = l.bitCount;
  picture.size = BmpRowSize(l.width, l.bitCount) * l.height;
}

// The frame size text that an accepted larger picture gave its row, taken
// back and set again with the step. The list is the one the editor keeps for
// its table; a row that no longer shows this picture with the text the step
// left (another table loaded meanwhile) is left alone.
class FrameSizeChange final : public image::StepCompanion {
 public:
  FrameSizeChange(PictureList& list, int row, std::string start, std::string before, std::string after)
      : m_list(list), m_row(row), m_start(std::move(start)), m_before(std::move(before)), m_after(std::move(after)) {}
  void Undo() override { Set(m_after, m_before); }
  void Redo() override { Set(m_before, m_after); }
  [[nodiscard]] std::size_t MemoryBytes() const override {
    return sizeof(*this) + m_start.capacity() + m_before.capacity() + m_after.capacity();
  }

 private:
  void Set(const std::string& expected, std::string text) {
    const PictureEntry* entry = m_list.Row(m_row);
    if (entry == nullptr || entry->start != m_start || entry->frameSize != expected) return;
    m_list.SetFrameSize(m_row, std::move(text));
  }

  PictureList& m_list;
  int m_row;
  std::string m_start;
  std::string m_before;
  std::string m_after;
};

// "Bild Abendrot, Frame 1".
std::string ChangeLabelOf(const PictureList& list, const ReplacementTarget& target) {
  const PictureEntry* entry = list.Row(target.row);
  return "Bild " + (entry != nullptr ? entry->name : std::string()) + ", Frame " +
         std::to_string(target.selectedFrame);
}

Outcome Write(image::HandsetImage& image, const ReplacementTarget& target, const std::vector<std::uint8_t>& bytes,
              const std::string& label) {
  const std::int64_t address = target.FrameAddress();
  const auto length = static_cast<std::int64_t>(bytes.size());
  if (address < 0 || address > std::numeric_limits<Address>::max() || length > std::numeric_limits<Length>::max()) {
    return Outcome::Failure(msg::kFileError, "frame address outside the image");
  }
  Outcome out = image.CopyIntoImage(bytes, static_cast<Address>(address), static_cast<Length>(length), {label});
  if (!out.ok) out.detail = "the picture's " + std::to_string(length) + " bytes do not fit in the image there";
  return out;
}
}  // namespace

TargetRead ReplacementTargetOf(const PictureList& list, int row, int selectedFrame) {
  TargetRead read;
  const PictureEntry* entry = list.Row(row);
  if (entry == nullptr) {
    read.outcome = Outcome::Failure(msg::kSelectRows, "no picture row");
    return read;
  }
  const ParsedPicture parsed = ParsePictureEntry(*entry);
  if (!parsed.Ok()) {
    read.outcome = Outcome::Failure(parsed.message, "picture " + entry->number + ": " + parsed.detail);
    return read;
  }
  read.target = {row, selectedFrame, parsed.shape, entry->frameSize};
  return read;
}

std::string DimensionsText(std::int64_t width, std::int64_t height, std::int64_t bits) {
  return std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits) + "bit";
}

bool TurnAvailable(int bits, int mode) {
  if (mode < 1 || mode > 4) return false;
  if (bits == 1) return mode == 1;
  if (bits == 4) return mode != 2;
  return true;
}

Outcome LoadNewPicture(std::vector<std::uint8_t> bytes, const ReplacementTarget& target, NewPicture& picture,
                       const ProgressFn& progress) {
  picture = NewPicture{};
  if (Outcome checked = CheckUserBmp(bytes); !checked.ok) return checked;
  MakeBottomUp(bytes);
  NewPicture loaded;
  loaded.bmp = std::move(bytes);
  TakeSizes(loaded);
  if (target.shape.compressed) {
    if (Outcome packed = Compress(loaded, progress); !packed.ok) return packed;
  }
  loaded.loaded = true;
  picture = std::move(loaded);
  return Outcome::Success(TooLarge(target, picture) ? msg::kCompressedTooLarge : msg::kNone);
}

Outcome OpenNewPicture(std::string_view path, const ReplacementTarget& target, NewPicture& picture,
                       const ProgressFn& progress) {
  picture = NewPicture{};
  BmpInfo info = ReadBmpInfo(path);
  if (!info.outcome.ok) return info.outcome;
  return LoadNewPicture(std::move(info.bytes), target, picture, progress);
}

bool TurnNewPicture(NewPicture& picture, int mode, const ReplacementTarget& target, const ProgressFn& progress) {
  if (!picture.loaded || !TurnAvailable(picture.bits, mode)) return false;
  NewPicture turned = picture;
  if (!TransformBmp(turned.bmp, mode)) return false;
  TakeSizes(turned);
  if (target.shape.compressed && !Compress(turned, progress).ok) return false;
  picture = std::move(turned);
  return true;
}

bool TooLarge(const ReplacementTarget& target, const NewPicture& picture) {
  return target.shape.compressed && picture.loaded && picture.size > target.FrameSize();
}

Outcome ReplaceFrame(image::HandsetImage& image, PictureList& list, const ReplacementTarget& target,
                     const NewPicture& picture, const app::QuestionFn& ask) {
  if (!picture.loaded) return Outcome::Silent();
  if (picture.width != target.shape.width || picture.height != target.shape.height) {
    return Outcome::Failure(msg::kBmpSizeMismatch, "the BMP is " + std::to_string(picture.width) + " x " +
                                                       std::to_string(picture.height) + ", the picture " +
                                                       std::to_string(target.shape.width) + " x " +
                                                       std::to_string(target.shape.height));
  }
  if (!target.shape.compressed) {
    const EncodedPicture encoded = EncodeBmp(picture.bmp, target.shape.depth);
    if (!encoded.outcome.ok) return encoded.outcome;
    Outcome out = Write(image, target, encoded.bytes, ChangeLabelOf(list, target));
    return out.ok ? Outcome::Success(msg::kPictureReplaced) : out;
  }
  const bool larger = TooLarge(target, picture);
  if (larger && (!ask || ask(app::kPictureTooLargeQuestion, app::kQuestionTitle) != app::Answer::kYes)) {
    return Outcome::Silent();
  }
  image::ChangeStep step(image);
  Outcome out = Write(image, target, picture.compressed, ChangeLabelOf(list, target));
  if (!out.ok) return out;
  // The table's frame size follows the accepted larger picture, once it is
  // written, and goes back with the step.
  if (larger) {
    const PictureEntry* entry = list.Row(target.row);
    std::string size = std::to_string(picture.size);
    if (entry != nullptr && entry->frameSize != size) {
      image.AttachToStep(std::make_unique<FrameSizeChange>(list, target.row, entry->start, entry->frameSize, size));
    }
    list.SetFrameSize(target.row, std::move(size));
  }
  return Outcome::Success(msg::kPictureReplaced);
}

}  // namespace korvana::pictures
