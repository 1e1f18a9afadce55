#pragma once
// The preview window "List": every frame of one picture in a grid of five
// boxes a row. A click on a box records it as SelectedFrame and announces it,
// for the picture replacement editor to open on that frame.

#include <QLabel>
#include <QWidget>

#include <vector>

#include "image/handset_image.h"
#include "pictures/picture_entry.h"
#include "pictures/stored_picture_format.h"

class QCloseEvent;

namespace korvana::ui {

class PicturePreviewWindow : public QWidget {
  Q_OBJECT
 public:
  // More boxes would only cost memory: a window of 200 rows is already
  // past any screen.
  static constexpr int kMaxPreviewFrames = 1000;

  // Decodes the frames of the picture at once. The window is top-level (the
  // main window is disabled while it is open, which would disable a child
  // window too) and deletes itself when closed or when owner goes away.
  PicturePreviewWindow(const image::HandsetImage& image, const pictures::PictureShape& shape,
                       const pictures::Palette16& palette, QWidget* owner);

  // The frame (from 1) of the box clicked last; 0 before any click.
  [[nodiscard]] int SelectedFrame() const { return m_selectedFrame; }
  [[nodiscard]] int BoxCount() const { return static_cast<int>(m_frameBoxes.size()); }
  // Box i, counted from 1.
  [[nodiscard]] QLabel* Box(int i) const { return m_frameBoxes.at(static_cast<std::size_t>(i - 1)); }
  // Shows frame i (from 1) anew, after the editor wrote it into the image.
  void ReloadFrame(int i);

 signals:
  void FrameClicked(int selectedFrame);
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildFrameGrid();
  void OnFrameBoxClicked(int i);
  // Decodes frame i (from 1) into its box.
  pictures::DecodeError DrawFrame(int i);

  const image::HandsetImage& m_image;
  pictures::PictureShape m_shape;
  pictures::Palette16 m_palette;
  int m_selectedFrame = 0;
  std::vector<QLabel*> m_frameBoxes;
};

}  // namespace korvana::ui
