#pragma once
// The picture replacement editor's work: the frame to replace, the new
// picture the user opened (with its turns), and the write of the new
// picture over the frame. The editor window and `korvana-cli pictures
// replace` both run these steps.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/question.h"
#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "pictures/picture_list.h"

namespace korvana::pictures {

// The frame being replaced: frame selectedFrame (from 1) of list row row.
struct ReplacementTarget {
  int row = -1;
  int selectedFrame = 1;
  PictureShape shape;
  std::string frameSizeText;  // the row's frame size text, as the editor shows it

  [[nodiscard]] std::int64_t FrameAddress() const { return shape.FrameAddress(selectedFrame - 1); }
  [[nodiscard]] std::int64_t FrameSize() const { return shape.frameSize; }
};

struct TargetRead {
  Outcome outcome;
  ReplacementTarget target;
};

// The target of row and frame; fails with the row's parse message (2 or 38)
// or message 11 when there is no such row.
[[nodiscard]] TargetRead ReplacementTargetOf(const PictureList& list, int row, int selectedFrame);

// "128x160x16bit": the dimension texts of the editor.
[[nodiscard]] std::string DimensionsText(std::int64_t width, std::int64_t height, std::int64_t bits);

// The new picture of the editor.
struct NewPicture {
  bool loaded = false;
  std::vector<std::uint8_t> bmp;  // the BMP file, rows bottom-up, with the turns applied
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bits = 0;
  // For a compressed target: the stored form of the picture as it is now.
  std::vector<std::uint8_t> compressed;
  // What the editor shows as its size: the compressed size for a compressed
  // target, else the BMP's own pixel data size.
  std::int64_t size = 0;
};

// Which turns a picture of bits per pixel takes: 1-bit pictures only the
// flip (mode 1); 4-bit pictures no mirror (mode 2), which moves whole bytes.
[[nodiscard]] bool TurnAvailable(int bits, int mode);

// Reads and prepares the BMP at path for target. The BMP is checked
// (CheckUserBmp; a file that cannot be read or is empty gives 37 or 1), a
// top-down one stored bottom-up, and for a compressed target compressed at
// once (progress as CompressPicture takes it; 34 for 1- and 4-bit BMPs, 36
// when the conversion fails). Success carries message 41 when the
// compressed picture is larger than the frame. On failure picture is left
// not loaded.
[[nodiscard]] Outcome OpenNewPicture(std::string_view path, const ReplacementTarget& target, NewPicture& picture,
                                     const ProgressFn& progress);
[[nodiscard]] Outcome LoadNewPicture(std::vector<std::uint8_t> bytes, const ReplacementTarget& target,
                                     NewPicture& picture, const ProgressFn& progress);

// Applies TransformBmp mode (1 flip, 2 mirror, 3 quarter turn clockwise, 4
// counter-clockwise) to the loaded picture and, for a compressed target,
// compresses it again. False (picture unchanged) when nothing is loaded or
// the turn is not available for its bits.
bool TurnNewPicture(NewPicture& picture, int mode, const ReplacementTarget& target, const ProgressFn& progress);

// The compressed picture is larger than the built-in frame.
[[nodiscard]] bool TooLarge(const ReplacementTarget& target, const NewPicture& picture);

// Writes the picture over the target frame in image. Checks first, in this
// order: the sizes match (19); the depths fit (34; 36 when a conversion
// fails). A compressed picture larger than the frame is written only when
// ask answers Yes (else a silent failure); it then also becomes the frame
// size of the list's row. The write is all or nothing: bytes that would pass
// the end of the image fail with message 2 and leave image and list as they
// were. Success carries message 20. The write is one step of undo labelled
// "Bild", the row's name and ", Frame " and the frame; undo and redo take
// the row's frame size text with them, so list must live as long as the
// image's journal (the editor keeps both for the whole session).
[[nodiscard]] Outcome ReplaceFrame(image::HandsetImage& image, PictureList& list, const ReplacementTarget& target,
                                   const NewPicture& picture, const app::QuestionFn& ask);

}  // namespace korvana::pictures
